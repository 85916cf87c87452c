#!/usr/bin/env bash
# Tarvelle.exe under Wine in an X window (run under xvfb-run): the launcher comes up, Start is
# clicked, the game window appears, a game starts with Enter and the Dragon hops; a screenshot
# must show the pond's water, the Dragon and the status line's heart. Alt+F4 then closes it.
#   windows_window_test.sh TARVELLE.EXE SHOT.png
set -uo pipefail
exe=$1 shot=$2
log=$(mktemp)
pid=
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  rm -f "$log"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$log"; exit 1; }

cd "$(dirname "$exe")"
SDL_AUDIODRIVER=dummy nice -n 10 wine ./Tarvelle.exe >"$log" 2>&1 &
pid=$!

# Waits up to 60 s (Wine starts slowly) for a window named Tarvelle of the given size.
window_of_size() {
  for _ in $(seq 1 600); do
    for w in $(xdotool search --onlyvisible --name '^Tarvelle$' 2>/dev/null); do
      if xwininfo -id "$w" 2>/dev/null | grep -q "Width: $1" &&
        xwininfo -id "$w" | grep -q "Height: $2"; then
        echo "$w"
        return 0
      fi
    done
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

launcher=$(window_of_size 366 225) || fail "no 366x225 launcher window"
sleep 1
# The Start button: 264, 8, 100 x 25.
xdotool mousemove --window "$launcher" 314 20 click 1 2>/dev/null
game=$(window_of_size 640 480) || fail "no 640x480 game window after Start"
sleep 3
xdotool key --window "$game" Return 2>/dev/null  # "New Game" on the title menu
sleep 4
xdotool key --window "$game" Right 2>/dev/null
sleep 0.8
xdotool key --window "$game" Down 2>/dev/null
sleep 1
import -window "$game" "$shot" || fail "import"

read -r water dragon heart < <(convert "$shot" -depth 8 txt:- | awk -F'[(),]' '
  NR > 1 { y = $2 + 0; r = $3 + 0; g = $4 + 0; b = $5 + 0
           if (b > 170 && g > 120 && g < 215 && r < 140) w++
           if (r > 215 && g > 130 && g < 190 && b < 110) d++
           if (y >= 440 && r > 200 && g < 90 && b > 60 && b < 120) h++ }
  END { print w + 0, d + 0, h + 0 }')
echo "water $water, dragon $dragon, heart $heart pixels"
[ "$water" -gt 100000 ] || fail "the pond's water is not drawn"
[ "$dragon" -gt 30 ] || fail "the Dragon is not drawn"
[ "$heart" -gt 20 ] || fail "no game in play (the status line's heart is missing)"

xdotool key --window "$game" alt+F4 2>/dev/null
for _ in $(seq 1 200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then fail "the game did not close on Alt+F4"; fi
wait "$pid" || fail "the game ended with an error"
pid=
echo "launcher, Start, game window and a hop on the pond all seen; closed cleanly"
