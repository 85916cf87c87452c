#!/usr/bin/env bash
# Serves build/web on 127.0.0.1 (gzip, as a web host does) and walks through the game in headless Chromium
# (web_test.mjs). Screenshots and the console go to build/web-test/.
set -euo pipefail
cd "$(dirname "$0")"
here=$PWD
root=$(cd ../.. && pwd)
out="$root/build/web-test"
[ -f "$root/build/web/index.html" ] || { echo "run.sh: build/web is missing (scripts/web.sh)"; exit 1; }
bash "$root/scripts/apt-install.sh" chromium
[ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund --loglevel=error
rm -rf "$out"
mkdir -p "$out"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 "$here/serve.py" "$root/build/web" "$port" >"$out/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" \
    2>/dev/null && break
  sleep 0.1
done
node "$here/web_test.mjs" "http://127.0.0.1:$port/" "$out"
