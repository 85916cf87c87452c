#!/usr/bin/env bash
# Prints the world table server's figures (benchmarks, not tests): the processor time of a
# verification per replayed minute and of a verifying child's start-up, table reads per second
# with wrk on SQLite and on PostgreSQL, and games verified per second per processor at the
# queue's steady state.
# usage: scripts/server-figures.sh [BUILD_DIR]   (default build/test)
set -euo pipefail
build=$(cd "${1:-build/test}" && pwd)
tmp=$(mktemp -d /tmp/tarvelle-figures-XXXXXX)
chmod 755 "$tmp"
pids=()
pgbin=/usr/lib/postgresql/15/bin
as_pg() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  [ -d "$tmp/pg" ] && as_pg "$pgbin/pg_ctl" -D "$tmp/pg" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$tmp"
}
trap cleanup EXIT
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
json() { python3 -c "import json,sys; print(json.load(sys.stdin)$1)"; }

# record SEED HOPS: a game of the real game, HOPS hops 300 frames apart, then left.
record() {
  local home=$tmp/home-$1-$2
  mkdir -p "$home"
  { printf 'difficulty 2\nstart 1\n'
    for i in $(seq "$2"); do printf 'frames 300\ntap %s\n' "$([ $((i % 2)) -eq 0 ] && echo Up || echo Right)"; done
    printf 'frames 60\ntap Esc\nframes 2\ntap Y\nframes 2\n'; } >"$home.txt"
  "$build/tarvelle-drive" --data "$build" --home "$home" --seed "$1" --record "$home.txt" >/dev/null 2>&1
  find "$home" -name '*.tvr' | head -1
}
# cpu COMMAND...: the processor seconds (user + system) the command took, its input from $input.
cpu() { { /usr/bin/time -f '%U %S' "$@" <"$input" 2>&1 >/dev/null || true; } | tail -1 | awk '{ print $1 + $2 }'; }

echo "== Verification (tarvelle-check, as the server runs it)"
long=$(record 5 12)
short=$(record 6 0)
for game in "$long" "$short"; do
  input=$game
  out=$("$build/tarvelle-check" --data "$build" <"$game")
  ms=$(json '["length_ms"]' <<<"$out")
  best=9
  for _ in 1 2 3 4 5; do t=$(cpu "$build/tarvelle-check" --data "$build"); best=$(awk -v a="$best" -v b="$t" 'BEGIN { print (b < a) ? b : a }'); done
  awk -v ms="$ms" -v t="$best" -v v="$(json '["verdict"]' <<<"$out")" 'BEGIN {
    printf "  a game of %.1f s (%s): %.3f s of processor time, %.3f s per replayed minute, 1/%.0f of its length\n",
      ms / 1000, v, t, t * 60000 / ms, ms / 1000 / (t > 0 ? t : 0.001) }'
done
input=/dev/null
best=9
for _ in 1 2 3 4 5; do t=$(cpu "$build/tarvelle-check" --data "$build"); best=$(awk -v a="$best" -v b="$t" 'BEGIN { print (b < a) ? b : a }'); done
echo "  a child's start-up and refusal of an empty input: $best s of processor time (the clock's resolution is 10 ms)"

# serve NAME DATABASE: a server on a free port (in $port).
serve() {
  port=$(free_port)
  "$build/tarvelle-server" --listen "127.0.0.1:$port" --database "$2" --per-minute 100000 \
    --answer-within 0 --max-waiting 100000 "${@:3}" >"$tmp/$1.log" 2>&1 &
  pids+=($!)
  server=$!
  for _ in $(seq 100); do curl -sf "http://127.0.0.1:$port/api/v1/scores" >/dev/null && return; sleep 0.1; done
  cat "$tmp/$1.log"; return 1
}
games=()
for seed in $(seq 1 40); do games+=("$(record $((100 + seed)) 2)"); done
post_all() { for g in "${games[@]}"; do
  curl -s -X POST -H 'Content-Type: application/octet-stream' --data-binary "@$g" \
    "http://127.0.0.1:$port/api/v1/scores?name=Bench" >/dev/null; done; }
wait_all() {
  for _ in $(seq 3000); do
    [ "$(curl -s "http://127.0.0.1:$port/api/v1/scores?difficulty=2&limit=1" | json '["total"]')" -ge "$1" ] && return
    sleep 0.05
  done
}
# children's processor time of a process, in seconds
child_cpu() { awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15 + $16 + $17) / hz }' "/proc/$1/stat"; }

echo "== Queue (SQLite, 2 workers): ${#games[@]} games sent at once"
serve queue "$tmp/queue.sqlite" --workers 2
c0=$(child_cpu "$server")
t0=$(date +%s.%N)
post_all
wait_all "${#games[@]}"
t1=$(date +%s.%N)
c1=$(child_cpu "$server")
awk -v n="${#games[@]}" -v w="$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')" -v c="$(awk -v a="$c0" -v b="$c1" 'BEGIN { print b - a }')" 'BEGIN {
  printf "  %d verified in %.1f s: %.1f a second on 2 processors, %.1f per second of processor time (server and children)\n", n, w, n / w, n / c }'

# the processor time of a process itself, in seconds
own_cpu() { awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) / hz }' "/proc/$1/stat"; }
bench() {
  echo "== GET /api/v1/scores with wrk ($1, a table of ${#games[@]} rows, 20 a read, 2 threads, 64 connections, 10 s)"
  local c0 c1
  c0=$(own_cpu "$server")
  wrk -t2 -c64 -d10s --latency "http://127.0.0.1:$port/api/v1/scores?difficulty=2" >"$tmp/wrk.txt"
  c1=$(own_cpu "$server")
  grep -E 'Requests/sec|^ +99%|^ +50%' "$tmp/wrk.txt" | sed 's/^ */  /'
  # What the server spends a request, whatever else the machine runs meanwhile.
  awk -v n="$(awk '/requests in/ { print $1 }' "$tmp/wrk.txt")" -v c0="$c0" -v c1="$c1" 'BEGIN {
    printf "  %d requests for %.2f s of the server'"'"'s processor time: %.0f a second of processor time\n", n, c1 - c0, n / (c1 - c0) }'
  echo "  machine load (1 min): $(cut -d ' ' -f 1 /proc/loadavg) on $(nproc) processors"
}
bench SQLite
kill "$server"

if [ -x "$pgbin/initdb" ]; then
  mkdir -p "$tmp/pg" "$tmp/run"
  [ "$(id -u)" -eq 0 ] && chown postgres "$tmp/pg" "$tmp/run"
  pgport=$(free_port)
  as_pg "$pgbin/initdb" -D "$tmp/pg" -A trust -U postgres >/dev/null 2>&1
  as_pg "$pgbin/pg_ctl" -D "$tmp/pg" -l "$tmp/run/pg.log" -w -o "-k $tmp/run -p $pgport -c listen_addresses=''" start >/dev/null
  as_pg /usr/bin/psql -h "$tmp/run" -p "$pgport" -U postgres -XAtq -c "CREATE DATABASE tarvelle"
  serve pg "postgresql://postgres@/tarvelle?host=$tmp/run&port=$pgport" --workers 2
  post_all
  wait_all "${#games[@]}"
  bench PostgreSQL
fi
