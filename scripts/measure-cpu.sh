#!/usr/bin/env bash
# Measures how much of one processor core the real game uses in a real X window (under Xvfb):
# first at the title menu, then while a level is played (the Dragon hopping about), with its
# resident memory at the end of each; and how long after the start of the process the window
# showed its first frame (the game writes that moment to standard error as it presents it).
# Usage: scripts/measure-cpu.sh [SECONDS] [EXECUTABLE]   (default 10 s each, build/release/tarvelle)
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-10}
exe=$(realpath "${2:-build/release/tarvelle}")
for tool in xvfb-run xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb xdotool x11-utils)"; exit 2; }
done
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$exe" "$secs" <<'INNER'
set -euo pipefail
exe=$1
secs=$2
tmp=$(mktemp -d)
export XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data
"$exe" --play 2>"$tmp/stderr" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$tmp"' EXIT
for _ in $(seq 1 100); do
  # Only a shown window: the game may make and drop a hidden one first while it picks its
  # renderer.
  win=$(xdotool search --onlyvisible --name '^Tarvelle$' 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "no game window"; cat "$tmp/stderr"; exit 1; }
xdotool windowfocus --sync "$win" 2>/dev/null || true
first=
for _ in $(seq 1 50); do
  first=$(sed -n 's/^tarvelle: first frame shown \([0-9]*\) ms after start$/\1/p' "$tmp/stderr")
  [ -n "$first" ] && break
  sleep 0.1
done
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
rss() { awk '/^VmRSS:/ {printf "%.1f MB", $2 / 1024}' "/proc/$pid/status"; }
measure() {
  local start end
  start=$(cpu)
  sleep "$secs"
  end=$(cpu)
  echo "$(( (end - start) * 1000 / (ticks * secs) ))"
}
sleep 2
menu=$(measure)
menu_rss=$(rss)
xdotool key --window "$win" Return
sleep 1
start=$(cpu)
began=$(date +%s%N)
for _ in $(seq 1 $((secs * 2))); do
  xdotool key --window "$win" Right
  sleep 0.25
  xdotool key --window "$win" Left
  sleep 0.25
done
end=$(cpu)
# Over the time the hops really took (each key sent takes a little more than its pause).
ms=$(( ($(date +%s%N) - began) / 1000000 ))
play=$(( (end - start) * 1000 * 1000 / (ticks * ms) ))
play_rss=$(rss)
printf 'title menu: %d.%d%% of one core, %s resident\n' $((menu / 10)) $((menu % 10)) "$menu_rss"
printf 'playing:    %d.%d%% of one core, %s resident\n' $((play / 10)) $((play % 10)) "$play_rss"
printf 'first frame shown %s ms after the process started\n' "${first:-(not reported)}"
echo 'goals: under 1.5% of one core at the title and while playing, under 60 MB resident, first frame within 300 ms'
INNER
