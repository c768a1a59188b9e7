#!/bin/bash
# Checks that every include runs down the house, never up: each room may
# include its own files and those of the rooms before it in this list. (That
# the rooms which keep the files use no widgets, the build sees: they are
# built against Qt's core alone.) Prints each include that breaks the order,
# and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

rooms=(calendar rules platform files threads model history stats results tickets analysis follow draw lines sort log print clear repeat historywindow app)
status=0
for room in "${rooms[@]}"; do
    [ -d "$room" ] || { echo "no room $room"; status=1; }
done
for ((i = 0; i < ${#rooms[@]}; i++)); do
    room=${rooms[i]}
    allowed=" ${rooms[*]:0:i+1} "
    while IFS=: read -r file line target; do
        to=${target%%/*}
        if [[ $allowed != *" $to "* ]]; then
            echo "$file:$line: $room includes $target, from a room above it"
            status=1
        fi
    done < <(grep -rn -E '^#include "[a-z]+/' --include='*.cpp' --include='*.h' "$room/" | sed -E 's/#include "([^"]*)".*/\1/')
done
exit $status
