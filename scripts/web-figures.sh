#!/usr/bin/env bash
# Prints the web build's figures: what the browser downloads (gzip, per file), the time from
# navigation to the title's first frame and the phone's figures (the picture's share of the
# screen, the first frame over a phone's network, the start with no network; all measured by
# the browser test, tests/web/run.sh), and
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
# The phone's figures, measured by the browser test (a phone emulated: 390 x 844 CSS pixels at
# 3 device pixels each, upright and on its side).
if [ -f build/web-test/figures.json ]; then
  python3 - build/web-test/figures.json <<'PY'
import json, sys
f = json.load(open(sys.argv[1]))
def show(key, text):
    print(text % f[key] if key in f else text.split(":")[0] + ": not measured")
show("portrait", "picture's share of a phone's width, upright (390 x 844): %.3f (goal at least 0.95)")
show("landscape", "picture's share of a phone's height, on its side (844 x 390): %.3f (goal at least 0.95)")
show("phoneNetwork", "navigation to the title's first frame on a phone's network (9 Mbit/s, 150 ms): %d ms (goal under 3000)")
show("phoneBytes", "bytes over that network before the first frame (gzip): %d")
show("offline", "reload to the title with no network after one visit: %d ms")
PY
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
