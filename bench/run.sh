#!/bin/bash
# Builds the program and its benchmarks as released and runs them all on an
# X server of their own: start-up and memory against a bare window and
# against the same window built with plain Qt, the CPU and pacing of real
# draws (also with the history window opened on a 200 MB log, once and again
# and again), the cost of a save as the log grows, and reading logs of 200 MB
# of both shapes: --check, --results and the history window against awk and
# wc -l, on every core and then on one (DRAVA_THREADS=1).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
cmake --build build-bench -j "$(nproc)" > /dev/null

runtime=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$runtime"' EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$runtime/display" > /dev/null 2>&1 &
for _ in $(seq 100); do [ -s "$runtime/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$runtime/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime"
# A sound server, as a desktop has, for the draws' sounds: one null sink.
XDG_CONFIG_HOME="$runtime" pulseaudio -n --exit-idle-time=-1 --load=module-null-sink \
    --load=module-native-protocol-unix > /dev/null 2>&1 &
export XDG_CONFIG_HOME="$runtime"

echo "on $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(date -u +%F)"
build-bench/bench/bench_startup build-bench/drava build-bench/bench/bare_window build-bench/bench/captioned_window \
    build-bench/bench/plain_window "${RUNS:-10}"
build-bench/bench/bench_draw "${DRAWS:-20}" --history
build-bench/bench/bench_save
for shape in sorted repeat; do
    build-bench/bench/bench_history build-bench/drava "${RUNS_HISTORY:-5}" "$shape"
    DRAVA_THREADS=1 build-bench/bench/bench_history build-bench/drava "${RUNS_HISTORY:-5}" "$shape"
done
build-bench/bench/bench_draws
