#!/usr/bin/env bash
# The world table on a real PostgreSQL 15, started in a temporary folder: two server processes
# share one database and its queue, each game of a batch is verified exactly once, and the table
# is the same as the one SQLite keeps for the same games; a server killed while it verifies
# leaves its job to the other.
# usage: tests/server/postgres_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: postgres_test.sh BUILD_DIR}" && pwd)
pgbin=/usr/lib/postgresql/15/bin
[ -x "$pgbin/initdb" ] || { echo "SKIP: PostgreSQL 15 is not installed (scripts/install-deps.sh)"; exit 0; }
tmp=$(mktemp -d /tmp/tarvelle-pg-XXXXXX)
chmod 755 "$tmp"
failed=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failed=1; }
# PostgreSQL runs as the postgres user when this script runs as root.
as_pg() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 -- "-$p" 2>/dev/null || true; done
  as_pg "$pgbin/pg_ctl" -D "$tmp/pg" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$tmp"
}
trap cleanup EXIT
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

mkdir -p "$tmp/pg" "$tmp/run"
[ "$(id -u)" -eq 0 ] && chown postgres "$tmp/pg" "$tmp/run"
pgport=$(free_port)
as_pg "$pgbin/initdb" -D "$tmp/pg" -A trust -U postgres >"$tmp/initdb.log" 2>&1 ||
  { cat "$tmp/initdb.log"; exit 1; }
as_pg "$pgbin/pg_ctl" -D "$tmp/pg" -l "$tmp/run/pg.log" -w -o "-k $tmp/run -p $pgport -c listen_addresses=''" \
  start >/dev/null
psql() { as_pg /usr/bin/psql -h "$tmp/run" -p "$pgport" -U postgres -XAtq "$@"; }
psql -c "CREATE DATABASE tarvelle"
db="postgresql://postgres@/tarvelle?host=$tmp/run&port=$pgport"
sql() { psql -d tarvelle -c "$1"; }

# A batch of real games: the game played headless with its own seed each, recorded.
games=()
for seed in 1 2 3 4 5 6 7 8 9 10; do
  home="$tmp/home$seed"
  mkdir -p "$home"
  printf 'difficulty 2\nstart 1\nframes %d\ntap Right\nframes 200\ntap Up\nframes 200\ntap Right\nframes 300\ntap Esc\nframes 2\ntap Y\nframes 2\n' \
    $((200 + seed * 20)) >"$tmp/play$seed.txt"
  "$build/tarvelle-drive" --data "$build" --home "$home" --seed "$seed" --record "$tmp/play$seed.txt" \
    >/dev/null 2>&1
  games+=("$(find "$home" -name '*.tvr' | head -1)")
done

# start NAME PORT DATABASE [OPTIONS...]: a server in a process group of its own.
start() {
  local name=$1 port=$2 where=$3
  shift 3
  setsid "$build/tarvelle-server" --listen "127.0.0.1:$port" --database "$where" --workers 1 \
    --lease 3000 --per-minute 1000 --answer-within 0 "$@" >"$tmp/$name.log" 2>&1 &
  pids+=($!)
  disown
  eval "pid_$name=$!"
  for _ in $(seq 100); do curl -sf "http://127.0.0.1:$port/api/v1/scores" >/dev/null && return; sleep 0.1; done
  cat "$tmp/$name.log"
  return 1
}
post() { curl -s -X POST --data-binary "@$2" -H 'Content-Type: application/octet-stream' "http://127.0.0.1:$1/api/v1/scores?name=$3"; }
# wait_decided PORT: until no game waits in the queue the server at PORT reads.
wait_decided() {
  for _ in $(seq 600); do
    [ "$(curl -s "http://127.0.0.1:$1/api/v1/scores?limit=100&difficulty=2" | python3 -c 'import json,sys; print(json.load(sys.stdin)["total"])')" = "$2" ] && return 0
    sleep 0.2
  done
  return 1
}
table() { curl -s "http://127.0.0.1:$1/api/v1/scores?limit=100&difficulty=2" |
  python3 -c 'import json,sys; [print(r["rank"], r["name"], r["score"], r["level"], r["start"], r["length_ms"]) for r in json.load(sys.stdin)["rows"]]'; }

# 1. Two servers on one database, the batch sent to both in turn.
a=$(free_port); b=$(free_port)
start a "$a" "$db"
start b "$b" "$db"
i=0
for g in "${games[@]}"; do
  port=$a; [ $((i % 2)) -eq 1 ] && port=$b
  post "$port" "$g" "Player$i" >/dev/null
  i=$((i + 1))
done
if wait_decided "$a" "${#games[@]}"; then
  pass "two servers on one PostgreSQL database accepted the batch of ${#games[@]} games"
else
  fail "the batch was not all accepted"; table "$a"
fi
[ "$(sql "SELECT COUNT(*) FROM submissions WHERE attempts <> 1 OR state <> 'accepted'")" = 0 ] &&
  pass "each game verified exactly once" ||
  fail "games verified more or less than once: $(sql "SELECT id, state, attempts FROM submissions")"
[ "$(table "$a")" = "$(table "$b")" ] && pass "both servers read the same table" ||
  fail "the servers read different tables"

# 2. The same games kept by SQLite make the same table.
s=$(free_port)
mkdir -p "$tmp/sqlite"
start s "$s" "$tmp/sqlite/tarvelle.sqlite"
i=0
for g in "${games[@]}"; do post "$s" "$g" "Player$i" >/dev/null; i=$((i + 1)); done
wait_decided "$s" "${#games[@]}" || fail "SQLite did not accept the batch"
# Games of equal score stand in the order they were decided, which the two runs' verifying
# orders make differ: compared as ranked by score, equal scores in any order.
by_score() { table "$1" | awk '{ $1 = ""; print }' | sort -k2,2nr -k1,1; }
[ "$(by_score "$s")" = "$(by_score "$a")" ] && pass "the table is the same as with SQLite" ||
  { fail "PostgreSQL and SQLite tables differ"; diff <(table "$a") <(table "$s") || true; }

# 3. A server killed while it verifies: its job is taken again by the other once its lease ends.
kill -9 -- "-$pid_a" "-$pid_b" 2>/dev/null || true
mkdir -p "$tmp/slow"
printf '#!/bin/sh\nsleep 30\n' >"$tmp/slow/tarvelle-check"
chmod +x "$tmp/slow/tarvelle-check"
ln -s "$build/tarvelle-bot" "$tmp/slow/tarvelle-bot"
c=$(free_port)
start c "$c" "$db" --helpers "$tmp/slow" --game-data "$build"
home="$tmp/home-late"
mkdir -p "$home"
"$build/tarvelle-drive" --data "$build" --home "$home" --seed 99 --record "$tmp/play1.txt" >/dev/null 2>&1
late=$(post "$c" "$(find "$home" -name '*.tvr' | head -1)" Late | python3 -c 'import json,sys; print(json.load(sys.stdin)["id"])')
for _ in $(seq 100); do
  [ "$(sql "SELECT state FROM submissions WHERE id = '$late'")" = running ] && break
  sleep 0.1
done
kill -9 -- "-$pid_c"
a=$(free_port)
start a "$a" "$db"
for _ in $(seq 200); do
  [ "$(sql "SELECT state FROM submissions WHERE id = '$late'")" = accepted ] && break
  sleep 0.1
done
[ "$(sql "SELECT state || ' ' || attempts FROM submissions WHERE id = '$late'")" = "accepted 2" ] &&
  pass "a job of a killed server was done by the other" ||
  fail "the killed server's job: $(sql "SELECT state, attempts FROM submissions WHERE id = '$late'")"

exit $failed
