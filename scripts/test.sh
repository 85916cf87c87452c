#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test
cd build/test
ctest --output-on-failure --timeout 300 -j2
