#!/bin/bash
# What a test run leaves on the machine. "leftovers.sh note FOLDER", before the
# run, notes how things stand; "leftovers.sh check FOLDER", after it, lists what
# the run made and did not take away: processes, mounts, files in the root
# folder, temporary folders, the installed package. It then takes away what is
# surely the run's own (its processes, and FOLDER with every mount in it) and
# fails if anything was left.
#
# FOLDER is the run's: its temporary folders are made in FOLDER/tmp (TMPDIR).
# The run's processes are those that began after the note and carry FOLDER in
# their environment or are in the process group of the script that calls this
# (one that clears its environment stays in its group).
set -u
export LC_ALL=C
mode=$1 run=$2

state() {
    awk '{print "mounted: " $2}' /proc/mounts
    find / -maxdepth 1 -type f -printf 'in the root folder: /%f (%s bytes, changed %TT)\n'
    # Temporary folders of tests that did not use TMPDIR; another run's own folder is its business.
    find /tmp -mindepth 1 -maxdepth 1 \( -name 'drava-*' -o -name 'runtime-*' \) ! -name 'drava-run.*' \
        -printf 'temporary folder: %p\n'
    dpkg -s drava >/dev/null 2>&1 && echo "installed: the drava package"
}
processes() { ps -eo pid=,ppid=,pgid=,stat=,lstart=,args= | awk '{$1 = $1; print}'; }

if [ "$mode" = note ]; then
    state | sort >"$run/before"
    processes | cut -d' ' -f1,5-9 >"$run/processes"
    exit 0
fi

left=()
group=$(ps -o pgid= "$PPID" | tr -d ' ')
ours=()
processes >"$run/now"
while read -r pid ppid pgid stat d1 d2 d3 d4 d5 args; do
    # An exited process waits for its parent to read its status; nothing of it runs.
    [ "$pid" = $$ ] || [ "$ppid" = $$ ] || [ "${stat:0:1}" = Z ] && continue
    grep -qxF "$pid $d1 $d2 $d3 $d4 $d5" "$run/processes" && continue
    if [ "$pgid" = "$group" ] || grep -qzF "$run" "/proc/$pid/environ" 2>/dev/null; then
        ours+=("$pid")
        left+=("process $pid: $args")
    fi
done <"$run/now"
if [ ${#ours[@]} -gt 0 ]; then
    kill -TERM "${ours[@]}" 2>/dev/null
    for _ in 1 2 3 4 5; do
        kill -0 "${ours[@]}" 2>/dev/null || break
        sleep 1
    done
    kill -KILL "${ours[@]}" 2>/dev/null
fi

while IFS= read -r line; do left+=("$line"); done < <(state | sort | comm -13 "$run/before" -)
while IFS= read -r folder; do left+=("temporary folder: $folder"); done < <(find "$run/tmp" -mindepth 1 -maxdepth 1)

# Deepest first; a mount may lie on another at the same place.
for mount in $(awk -v run="$run/" 'index($2, run) == 1 {print $2}' /proc/mounts | sort -r); do
    while umount -l "$mount" 2>/dev/null; do :; done
done
rm -rf --one-file-system "$run" || left+=("could not remove $run")

if [ ${#left[@]} -gt 0 ]; then
    echo "The test run left behind:"
    printf '  %s\n' "${left[@]}"
    exit 1
fi
