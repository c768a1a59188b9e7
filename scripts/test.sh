#!/bin/bash
# Installs what is missing, builds Drava twice (plain, and with AddressSanitizer
# and UndefinedBehaviorSanitizer) with warnings as errors, and runs the whole
# test suite on both builds: unit and widget tests on Qt's offscreen platform,
# end-to-end tests on Xvfb through the accessibility tree.
set -euo pipefail
cd "$(dirname "$0")/.."

# The run's temporary folders all go in one of its own. At its end, pass or
# fail, whatever it left on the machine is listed, taken away and fails it.
run=$(mktemp -d -t drava-run.XXXXXX)
chmod 755 "$run" # the package's test user reads its scripts from in here
mkdir "$run/tmp"
scripts/leftovers.sh note "$run"
trap 'scripts/leftovers.sh check "$run" || exit 1' EXIT
export TMPDIR=$run/tmp
# Qt programs run by the build (the icons are drawn by one) want a runtime folder.
mkdir -m 700 "$run/runtime"
export XDG_RUNTIME_DIR=$run/runtime

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
# The log reader against a minute of libFuzzer; any input that breaks it fails the run.
fuzz/run.sh 60 || status=1
exit "$status"
