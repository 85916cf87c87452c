#!/usr/bin/env bash
# Plays the game headless for MINUTES of virtual time (default 120) in the AddressSanitizer and
# UBSan build: demos, every screen, games to their end with high scores entered, their replays
# played back, bot searches. Fails on any sanitizer report or a replay that ends otherwise, and,
# over two hours or more, on a live heap that grows by 1 MiB or more after the first hour (the
# peak resident memory of the first and the last hour is printed too).
# Usage: scripts/soak.sh [MINUTES]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-120}
bash scripts/install-deps.sh
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVELLE_SANITIZE=ON \
  -DTARVELLE_BENCH=OFF >/dev/null
cmake --build build/sanitize --target tarvelle-soak tarvelle_levels tarvelle_demos
# A small quarantine keeps freed memory from counting as growth; freed pages go back to the
# system as a normal allocator's do.
export ASAN_OPTIONS=quarantine_size_mb=16:detect_leaks=1:allocator_release_to_os_interval_ms=500
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
start=$(date +%s)
build/sanitize/tarvelle-soak "$minutes"
echo "soak of $minutes virtual minutes took $(( $(date +%s) - start )) s"
