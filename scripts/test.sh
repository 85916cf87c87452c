#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything and runs every test: once in
# the release build (optimised as players get it), once more under AddressSanitizer and UBSan.
# Both builds fail on any compiler warning.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVELLE_WERROR=ON
cmake --build build/test
(cd build/test && ctest --output-on-failure --timeout 300 -j2)
# The web browser's build, walked through in headless Chromium; then its figures.
bash scripts/web.sh
bash tests/web/run.sh
python3 tools/web/sizes.py build/web
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVELLE_SANITIZE=ON \
  -DTARVELLE_BENCH=OFF -DTARVELLE_WERROR=ON
cmake --build build/sanitize
(cd build/sanitize && ctest --output-on-failure --timeout 600 -j2)
