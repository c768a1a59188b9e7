#!/bin/bash
# Installs what is missing, builds Drava twice (plain, and with AddressSanitizer
# and UndefinedBehaviorSanitizer) with warnings as errors, and runs the whole
# test suite on both builds: unit and widget tests on Qt's offscreen platform,
# end-to-end tests on Xvfb through the accessibility tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAVA_WERROR=ON
cmake --build build -j "$jobs"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DDRAVA_WERROR=ON -DDRAVA_SANITIZE=ON
cmake --build build-asan -j "$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
ctest --test-dir build --output-on-failure || status=1
ctest --test-dir build-asan --output-on-failure || status=1
exit "$status"
