#!/usr/bin/env bash
# Writes a picture of the first frame of every level, as the game draws it, to DIR
# (default build/level-previews): level01.png ... level15.png.
# Usage: scripts/level-previews.sh [DIR] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/level-previews}
build=${2:-build/test}
mkdir -p "$out"
out=$(cd "$out" && pwd)
script=$(mktemp)
trap 'rm -f "$script"' EXIT
{
  echo "difficulty 1"
  for n in $(seq 1 15); do
    printf 'start %d\nframes 1\nshot %s/level%02d.png\n' "$n" "$out" "$n"
  done
} >"$script"
"$build/tarvelle-drive" --seed 1 "$script"
echo "Wrote $out/level01.png ... level15.png"
