#!/bin/bash
# Installs what is missing, builds the release program and packs it, with its
# desktop entry, icons and AppStream data, into a Debian package in build-release/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
cmake --build build-release -j "$(nproc)"
(cd build-release && cpack -G DEB)
