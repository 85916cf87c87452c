#!/usr/bin/env bash
# The server's pages in headless Chromium: a server on SQLite with a few real games and a
# listed pack, the web version from build/web served under /play/. Screenshots go to
# build/server-pages/.
# usage: tests/server/pages_test.sh BUILD_DIR WEB_DIR
set -euo pipefail
build=$(cd "${1:?usage: pages_test.sh BUILD_DIR WEB_DIR}" && pwd)
web=$(cd "${2:?usage: pages_test.sh BUILD_DIR WEB_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$root/build/server-pages"
[ -f "$web/index.html" ] || { echo "pages_test: $web holds no web version (scripts/web.sh)"; exit 1; }
[ -d "$root/tests/web/node_modules/puppeteer-core" ] ||
  (cd "$root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
rm -rf "$out"
mkdir -p "$out"
tmp=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$tmp"' EXIT
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$build/tarvelle-server" --listen "127.0.0.1:$port" --data "$tmp/data" --web "$web" \
  --per-minute 100 >"$out/server.log" 2>&1 &
server=$!
for _ in $(seq 100); do curl -sf "http://127.0.0.1:$port/api/v1/scores" >/dev/null && break; sleep 0.1; done

# Three real games, and a pack of 15 small levels of islands.
names=("Zo%C3%AB" "Ann" "Bj%C3%B6rn")
for seed in 1 2 3; do
  mkdir -p "$tmp/home$seed"
  printf 'difficulty 2\nstart 1\nframes %d\ntap Right\nframes 200\ntap Up\nframes 300\ntap Esc\nframes 2\ntap Y\nframes 2\n' \
    $((200 + seed * 30)) >"$tmp/play.txt"
  "$build/tarvelle-drive" --data "$build" --home "$tmp/home$seed" --seed "$seed" --record "$tmp/play.txt" >/dev/null 2>&1
  id=$(curl -s -X POST -H "Content-Type: application/octet-stream" --data-binary "@$(find "$tmp/home$seed" -name '*.tvr' | head -1)" \
    "http://127.0.0.1:$port/api/v1/scores?name=${names[$((seed - 1))]}" |
    python3 -c 'import json,sys; print(json.load(sys.stdin).get("id", ""))')
  for _ in $(seq 300); do  # a busy machine answers "pending" first
    curl -s "http://127.0.0.1:$port/api/v1/scores/$id" | grep -q '"pending"' || break
    sleep 0.2
  done
  curl -s "http://127.0.0.1:$port/api/v1/scores/$id" | grep -q '"accepted"' ||
    { echo "pages_test: game $seed was not accepted"; exit 1; }
done
cat >"$tmp/islands.txt" <<'LEVEL'
GridCols 4
GridRows 3
TimeLimit 100
DiamondDelay 0
DragonX 1
DragonY 3
DiamondX 4
DiamondY 1
IslandPercent 0
SteppedPercent 0
RandomMaxSize 0
RandomHoldFull 0
RandomHoldEmpty 0
RandomPeriod 0
FoodShare 40 30 15 10 5
Pad I island MaxSize 4 Size 4
Map
  I  I  I  I
  I  I  I  I
  I  I  I  I
End
LEVEL
"$build/tarvelle-levels" compile "$tmp/pack.dat" $(for _ in $(seq 15); do echo "$tmp/islands.txt"; done) >/dev/null
pack=$(curl -s -X POST -H "Content-Type: application/octet-stream" --data-binary "@$tmp/pack.dat" \
  "http://127.0.0.1:$port/api/v1/packs?title=Pond%20Again&author=Ann" | python3 -c 'import json,sys; print(json.load(sys.stdin)["id"])')
for _ in $(seq 600); do
  curl -s "http://127.0.0.1:$port/api/v1/packs/$pack" | grep -q '"status":"proving"' || break
  sleep 0.2
done
node "$root/tests/web/server_pages.mjs" "http://127.0.0.1:$port" "$out" 3
