#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVELLE_TESTS=OFF -DTARVELLE_BENCH=OFF
cmake --build build/release
exec build/release/tarvelle
