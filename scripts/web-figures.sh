#!/usr/bin/env bash
# Prints the web build's figures: what the browser downloads (gzip, per file), the time from
# navigation to the title's first frame (measured by the browser test, tests/web/run.sh), and
# the busy play frame of the play benchmark built for WebAssembly (run with node) beside the
# native one, in the same run. Needs scripts/web.sh and the native build/test.
set -euo pipefail
cd "$(dirname "$0")/.."
python3 tools/web/sizes.py build/web
echo
if [ -f build/web-test/first-frame-ms.txt ]; then
  echo "navigation to the title's first frame (headless Chromium, 127.0.0.1): $(cat build/web-test/first-frame-ms.txt) ms (goal under 2000)"
else
  echo "navigation to the title's first frame: run tests/web/run.sh first"
fi
echo
filter='Play32/Frame$|Play16/Frame$'
# The processor time of a frame (the wall time counts the other programs on the machine too).
frame() { sed 's/\x1b\[[0-9;]*m//g' | awk '$1 ~ /^Play[0-9]+\/Frame$/ {sub("/Frame", "", $1); print $1, $4}'; }
[ -x build/test/play_bench ] || cmake --build build/test --target play_bench
native=$(build/test/play_bench --benchmark_filter="$filter" --benchmark_color=false 2>/dev/null | frame)
# Debian's Emscripten predates node's own fetch: node reads the .wasm file itself without it.
wasm=$(node --no-experimental-fetch build/web-obj/play_bench.js --benchmark_filter="$filter" \
  --benchmark_color=false 2>/dev/null | frame)
echo "play benchmark, busy play frame (processor us):"
python3 - "$native" "$wasm" <<'PY'
import sys
native = dict(l.split() for l in sys.argv[1].splitlines() if l.strip())
wasm = dict(l.split() for l in sys.argv[2].splitlines() if l.strip())
for name in sorted(native):
    n, w = float(native[name]), float(wasm.get(name, "nan"))
    print("  %-8s native %8.1f   wasm (node) %8.1f   ratio %.2f (goal within 2)" % (name, n, w, w / n))
PY
