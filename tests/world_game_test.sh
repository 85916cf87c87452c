#!/usr/bin/env bash
# The game against the real world table, under Xvfb: tarvelle-server on 127.0.0.1 with a fresh
# database; the game (tarvelle-drive in an X window, on its virtual clock, recording as the game
# does) plays a game whose score enters the high-score table, the name is typed, the question
# of the world table is answered Yes, the replay goes through the game's HTTP client, the server
# plays it back and ranks it, and the rank stands beside the row. Then the server is stopped:
# the next score waits in the queue, and is sent at a later start once the server is back.
# Screenshots go to BUILD/world-game-test/.
#   world_game_test.sh BUILD
set -euo pipefail
# In the sanitizer build: the system's X and D-Bus libraries keep memory to their end.
export ASAN_OPTIONS=detect_leaks=0
build=$(cd "$1" && pwd)
out="$build/world-game-test"
rm -rf "$out"
mkdir -p "$out"
tmp=$(mktemp -d)
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
api="http://127.0.0.1:$port/api/v1/"
start_server() {
  "$build/tarvelle-server" --listen "127.0.0.1:$port" --data "$tmp/server" >>"$out/server.log" 2>&1 &
  server_pid=$!
  for _ in $(seq 100); do
    curl -sf "${api}scores" >/dev/null && return 0
    sleep 0.1
  done
  fail "the server did not start (server.log)"
}
start_server
home="$tmp/home"
world="$home/Morvane/Tarvelle/world"

# A game on level 1: hops that eat, then into the water until every life is lost; a name; the
# question answered Yes; the answer awaited.
game() {  # NAME SEED
  cat <<SCRIPT
difficulty 2
start 1
wait 700
tap Up
wait 400
tap Right
wait 400
tap Up
wait 400
tap Right
wait 1200
state
SCRIPT
  # From the start (1, 6) the water lies two cells to the right: a life lost each time.
  for _ in 1 2 3 4 5 6 7; do printf 'tap Right\nwait 400\ntap Right\nwait 4000\n' ; done
  cat <<SCRIPT
state
type $1
tap Enter
frames 3
shot $out/$1-question.png
tap Y
frames 3
shot $out/$1-answered.png
network 30000
frames 3
shot $out/$1-table.png
state
SCRIPT
}

game WORLD | "$build/tarvelle-drive" --home "$home" --record --server "$api" --seed "${SEED:-7}" - \
  >"$out/WORLD.txt" 2>"$out/WORLD.err" || fail "tarvelle-drive (WORLD.err)"
grep -q '"state":"gsHighScores"' "$out/WORLD.txt" || fail "the score did not enter the high-score table (WORLD.txt)"
[ -f "$world/ranks.txt" ] || fail "no world rank kept (WORLD.err)"
grep -qP '^Hiscore\.dat\t[0-9]+\tWORLD\t1$' "$world/ranks.txt" || fail "ranks.txt: $(cat "$world/ranks.txt")"
table=$(curl -sf "${api}scores?difficulty=2")
echo "$table" | grep -q '"name":"WORLD"' || fail "the server's table lacks the game: $table"
grep -q '^Share = dword:1' "$home/Morvane/Tarvelle Free/settings.conf" || fail "the answer Yes is not kept"
tail -n 1 "$out/WORLD.txt" | grep -q '"state":"gsHighScores"' || fail "the answer's key left the table"
# The rank, between the name and the score of row 1, is new in the picture since the question.
for f in question table; do convert "$out/WORLD-$f.png" -crop 90x20+335+116 +repage "$tmp/$f.png"; done
changed=$(compare -metric AE "$tmp/question.png" "$tmp/table.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 40 ] 2>/dev/null || fail "no world rank beside row 1 (WORLD-table.png: $changed)"
echo "ok   a game's score sent through the game's client, ranked 1, the rank kept beside the row"

# Offline: the next game waits in the queue...
kill "$server_pid"; wait "$server_pid" 2>/dev/null || true; server_pid=
game AGAIN | sed 's/^tap Y$/frames 1/' | "$build/tarvelle-drive" --home "$home" --record --server "$api" \
  --seed "${SEED2:-11}" - >"$out/AGAIN.txt" 2>"$out/AGAIN.err" || fail "tarvelle-drive (AGAIN.err)"
grep -q "can't be reached" "$out/AGAIN.err" || fail "no line about the unreachable table (AGAIN.err)"
[ "$(wc -l <"$world/queue.txt")" -eq 1 ] || fail "the score is not queued: $(cat "$world/queue.txt")"
echo "ok   offline, the score waits in the queue"
# ...and goes at a later start, with the server back.
start_server
printf 'frames 3\nnetwork 30000\nstate\n' | "$build/tarvelle-drive" --home "$home" --server "$api" - \
  >"$out/LATER.txt" 2>"$out/LATER.err" || fail "tarvelle-drive (LATER.err)"
[ ! -s "$world/queue.txt" ] || fail "the queue was not sent: $(cat "$world/queue.txt")"
grep -qP '\tAGAIN\t[0-9]+$' "$world/ranks.txt" || fail "no rank for the queued score: $(cat "$world/ranks.txt")"
echo "ok   at a later start the queued score is sent and ranked"
