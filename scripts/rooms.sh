#!/bin/bash
# Checks that every include runs down the house, never up: each room may
# include its own files and those of the rooms before it in this list. A room
# may hold rooms of its own (historywindow/lines/): a file is in the deepest
# room its folder lies in, and the room that holds them comes after them.
# (That the rooms which keep the files use no widgets, the build sees: they
# are built against Qt's core alone.) Prints each include that breaks the
# order, and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

rooms=(calendar rules platform files threads model history stats results tickets analysis texts follow fetch notify draw lines
       sort log print clear repeat historywindow/parts historywindow/draws historywindow/book historywindow/lines
       historywindow/tickets historywindow
       app)
status=0
for room in "${rooms[@]}"; do
    [ -d "$room" ] || { echo "no room $room"; status=1; }
done

# The room a file is in, left in $in: the deepest one its path lies in;
# none for a path in no room.
roomOf() {
    local room
    in=
    for room in "${rooms[@]}"; do
        if [[ $1 == "$room/"* && ${#room} -gt ${#in} ]]; then
            in=$room
        fi
    done
}

for ((i = 0; i < ${#rooms[@]}; i++)); do
    room=${rooms[i]}
    allowed=" ${rooms[*]:0:i+1} "
    while IFS= read -r file; do
        roomOf "$file"
        [ "$in" = "$room" ] || continue
        while IFS=: read -r line target; do
            if [[ $target == ../* ]]; then
                echo "$file:$line: $room includes $target, by a path that climbs out of its folder"
                status=1
                continue
            fi
            [[ $target == */* ]] || continue # a file of its own folder
            roomOf "$target"
            if [[ -z $in || $allowed != *" $in "* ]]; then
                echo "$file:$line: $room includes $target, from a room above it"
                status=1
            fi
        done < <(grep -n -E '^#include "' "$file" | sed -E 's/^([0-9]+):#include "([^"]*)".*/\1:\2/')
    done < <(find "$room" -name '*.cpp' -o -name '*.h' | sort)
done
exit $status
