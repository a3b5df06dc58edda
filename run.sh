#!/usr/bin/env bash
# Installs what is missing, builds, and starts Ombrazio.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build build --target ombrazio
exec ./build/ombrazio
