#!/usr/bin/env bash
# The level editor in a real X window: a 3 x 1 pond drawn with clicks (the Dragon's island, an
# island, the diamond's island), saved as a pack, proved at the three difficulties, its casual
# player's win rate measured, tried and won in the game window (the editor then says so), won
# with the game on that pack; then a change left unsaved when the editor is killed comes back
# from the recovery copy at the next start.
set -uo pipefail
build=$1
command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 77; }
tmp=$(mktemp -d)
editor_pid=
cleanup() {
  [ -n "$editor_pid" ] && kill -KILL "$editor_pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data ASAN_OPTIONS=detect_leaks=0
pack=$XDG_DATA_HOME/Morvane/Tarvelle/levels/pond.dat
fail() { echo "FAIL: $*"; cat "$tmp/out" "$tmp/err" 2>/dev/null; exit 1; }

start_editor() {
  "$build/tarvelle-editor" "$@" >"$tmp/out" 2>"$tmp/err" &
  editor_pid=$!
  wid=
  # The window that stays: a window the program makes and drops while it starts (a renderer's
  # probe) is not the one to talk to.
  for _ in $(seq 1 200); do
    found=$(xdotool search --onlyvisible --name "Tarvelle level editor" 2>/dev/null | tail -1)
    if [ -n "$found" ] && [ "$found" = "$wid" ] && xdotool getwindowname "$wid" >/dev/null 2>&1; then
      break
    fi
    wid=$found
    sleep 0.25
  done
  [ -n "$wid" ] || fail "no editor window"
  sleep 0.5
}
# Waits up to 20 s (a loaded machine) for a command to succeed.
wait_for() {
  for _ in $(seq 1 200); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
click() { xdotool mousemove --window "$wid" "$1" "$2" click "${3:-1}"; sleep 0.2; }
key() { xdotool key --window "$wid" "$@"; sleep 0.15; }
# Where things are in the 960 x 560 window.
cell() { click $((106 + 213 * ($1 - 1))) 240 "${2:-1}"; }
columns=(746 150) rows=(918 150) island=(796 49) dragon=(676 68) diamond=(736 68)

start_editor
click "${columns[@]}"; key 3 Return
click "${rows[@]}"; key 1 Return
click "${island[@]}"; cell 1; cell 2; cell 3
click "${dragon[@]}"; cell 1
click "${diamond[@]}"; cell 3
key ctrl+s; key p o n d Return
wait_for test -f "$pack" || fail "the pack was not saved"
"$build/tarvelle-levels" check "$pack" >"$tmp/check" 2>&1 || fail "the pack has errors: $(cat "$tmp/check")"
"$build/tarvelle-levels" show "$pack" 1 >"$tmp/show"
grep -q "^Level 1: 3 x 1 cells" "$tmp/show" && grep -q "^ 1  #6D #6  #6\*" "$tmp/show" ||
  fail "the pack does not hold the pond drawn: $(cat "$tmp/show")"

key F9
for _ in $(seq 1 300); do
  [ "$(grep -c '^level 1, difficulty' "$tmp/out")" = 3 ] && break
  sleep 0.1
done
for d in 1 2 3; do
  grep -q "^level 1, difficulty $d: won" "$tmp/out" || fail "not proved at difficulty $d"
done

# The casual player's win rate, measured by itself once the pond has settled.
wait_for grep -q "^level 1, difficulty 1: a casual player wins [1-9][0-9]* of 40 tries" "$tmp/out" ||
  fail "no win rate for the pond"

# The level tried in the game window (F5), won by two hops to the right: the try ends with the
# level and the editor says so.
key F5
game=
for _ in $(seq 1 200); do
  game=$(xdotool search --onlyvisible --name '^Tarvelle$' 2>/dev/null | tail -1)
  [ -n "$game" ] && break
  sleep 0.1
done
[ -n "$game" ] || fail "no game window for the try"
sleep 2
xdotool key --window "$game" Right; sleep 1
xdotool key --window "$game" Right; sleep 3
xdotool key --window "$game" Return
wait_for grep -q "^the try ended: the level was won" "$tmp/out" || fail "the try's end was not told"

# The game wins the pack's first level by two hops to the right.
printf 'difficulty 2\nstart 1\nwait 500\ntap Right\nwait 600\ntap Right\nwait 1500\nstate\n' |
  "$build/tarvelle-drive" --home "$tmp/drive" --levels "$pack" >"$tmp/state" 2>&1
grep -q '"state":"gsLevelDone"' "$tmp/state" || fail "the game did not win the pack: $(cat "$tmp/state")"

# An unsaved change, a crash, and the change back from the recovery copy.
cell 2 3  # right click: water
recovery_kept() { ls "$XDG_DATA_HOME/Morvane/Tarvelle/editor-recovery/" 2>/dev/null | grep -q pond.dat; }
wait_for recovery_kept || fail "no recovery copy"
sleep 0.5  # the copy is written whole (atomically); let it settle before the crash
kill -KILL "$editor_pid"
wait "$editor_pid" 2>/dev/null
start_editor "$pack"
key r
key ctrl+s
recovered() {
  "$build/tarvelle-levels" check "$pack" >"$tmp/check" 2>&1
  grep -q "level 1: warning: 1 pad(s) cut off from the Dragon's start by water: (3, 1)" "$tmp/check"
}
wait_for recovered || fail "the recovered change is not in the saved pack: $(cat "$tmp/check")"
xdotool windowclose "$wid" 2>/dev/null
for _ in $(seq 1 50); do
  kill -0 "$editor_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$editor_pid" 2>/dev/null && fail "the editor did not close with its changes saved"
[ -z "$(ls -A "$XDG_DATA_HOME/Morvane/Tarvelle/editor-recovery/")" ] || fail "the recovery copy stayed"
editor_pid=
echo "ok"
