#!/bin/bash
# Builds the log reader's fuzz target with clang and runs it for SECONDS (60
# unless told), starting from the seed logs in fuzz/corpus. What it learns
# goes to a temporary copy, so the seeds stay as they are; an input that
# breaks the reader is kept in build-fuzz/ and fails the run.
# Usage: fuzz/run.sh [SECONDS] [libFuzzer options]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ > /dev/null
cmake --build build-fuzz -j "$(nproc)" > /dev/null

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp fuzz/corpus/* "$corpus"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build-fuzz/fuzz_logreader -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=build-fuzz/ \
    "$@" "$corpus"
