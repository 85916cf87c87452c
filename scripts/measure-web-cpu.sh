#!/usr/bin/env bash
# Measures the processor time of the page's main thread in headless Chromium (a performance
# trace through puppeteer) per second of the game, at the title menu and while playing.
# Usage: scripts/measure-web-cpu.sh [--profile] [SECONDS] [WEB_FOLDER]   (default 10 s each, build/web)
# --profile: where the time goes instead, the page's functions by their share of it (WebAssembly
# functions by name in a build linked with --profiling-funcs).
set -euo pipefail
cd "$(dirname "$0")/.."
profile=()
if [ "${1:-}" = --profile ]; then profile=(--profile); shift; fi
secs=${1:-10}
web=$(realpath "${2:-build/web}")
[ -f "$web/index.html" ] || { echo "no web build in $web (scripts/web.sh)"; exit 1; }
command -v chromium >/dev/null || { echo "needs chromium (tests/web/run.sh installs it)"; exit 2; }
(cd tests/web && { [ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund --loglevel=error; })
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$web" "$port" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" \
    2>/dev/null && break
  sleep 0.1
done
node tests/web/cpu_trace.mjs "http://127.0.0.1:$port/" "$secs" "${profile[@]}"
