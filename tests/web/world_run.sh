#!/usr/bin/env bash
# The web version against the real world table: starts tarvelle-server on 127.0.0.1 with a
# fresh database, serving build/web under /play/, and walks through world_test.mjs in headless
# Chromium. Screenshots and the console go to build/web-world-test/.
#   world_run.sh TARVELLE_SERVER
set -euo pipefail
server_bin=$(realpath -m "${1:?usage: world_run.sh TARVELLE_SERVER}")
cd "$(dirname "$0")"
here=$PWD
root=$(cd ../.. && pwd)
out="$root/build/web-world-test"
[ -f "$root/build/web/index.html" ] || { echo "world_run.sh: build/web is missing (scripts/web.sh)"; exit 1; }
[ -x "$server_bin" ] || { echo "world_run.sh: no server program at $server_bin"; exit 1; }
[ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund --loglevel=error
rm -rf "$out"
mkdir -p "$out"
data=$(mktemp -d)
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$server_bin" --listen "127.0.0.1:$port" --data "$data" --web "$root/build/web" >"$out/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; wait $server 2>/dev/null || true; rm -rf "$data"' EXIT
for _ in $(seq 100); do
  curl -sf "http://127.0.0.1:$port/api/v1/scores" >/dev/null && break
  sleep 0.1
done
node "$here/world_test.mjs" "http://127.0.0.1:$port/" "$out"
