#!/usr/bin/env bash
# The installed game in a real X window (run under xvfb-run): the launcher comes up, Start is
# clicked, the game window appears, a game is started with Enter and the Dragon hops; a
# screenshot must show the pond's water, the Dragon and the status line's heart.
#   window_play_test.sh BUILD_DIR
set -uo pipefail
build=$1
for tool in xdotool import convert; do
  command -v $tool >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
tmp=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$tmp/err" ] && cat "$tmp/err"; exit 1; }

cmake --install "$build" --prefix "$tmp/usr" >/dev/null || fail "cmake --install"
export XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=0
"$tmp/usr/games/tarvelle" 2>"$tmp/err" &
pid=$!

# Waits up to 15 s for a window named Tarvelle of the given size; prints its id.
window_of_size() {
  for _ in $(seq 1 150); do
    for w in $(xdotool search --onlyvisible --name '^Tarvelle$' 2>/dev/null); do
      if xwininfo -id "$w" 2>/dev/null | grep -q "Width: $1" &&
        xwininfo -id "$w" | grep -q "Height: $2"; then
        echo "$w"
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}

launcher=$(window_of_size 366 225) || fail "no 366x225 launcher window"
sleep 0.5
# The Start button: 264, 8, 100 x 25.
xdotool mousemove --window "$launcher" 314 20 click 1
game=$(window_of_size 640 480) || fail "no 640x480 game window after Start"
sleep 1.5
xdotool key --window "$game" Return  # "New Game" on the title menu
sleep 3
xdotool key --window "$game" Right
sleep 0.6
xdotool key --window "$game" Down
sleep 0.8
import -window "$game" "$tmp/shot.png" || fail "import"
cp "$tmp/shot.png" "$build/window_play.png" 2>/dev/null

# Counts of pixels: water blues, the Dragon's orange-gold, the heart's red in the status line.
read -r water dragon heart < <(convert "$tmp/shot.png" -depth 8 txt:- | awk -F'[(),]' '
  NR > 1 { y = $2 + 0; r = $3 + 0; g = $4 + 0; b = $5 + 0  # "x,y: (r,g,b) ..." 
           if (b > 170 && g > 120 && g < 215 && r < 140) w++
           if (r > 215 && g > 130 && g < 190 && b < 110) d++
           if (y >= 440 && r > 200 && g < 90 && b > 60 && b < 120) h++ }
  END { print w + 0, d + 0, h + 0 }')
echo "water $water, dragon $dragon, heart $heart pixels"
[ "$water" -gt 100000 ] || fail "the pond's water is not drawn"
[ "$dragon" -gt 30 ] || fail "the Dragon is not drawn"
[ "$heart" -gt 20 ] || fail "no game in play (the status line's heart is missing)"
kill -TERM "$pid"
wait "$pid" || fail "the game did not end cleanly"
pid=
echo "launcher, Start, game window and a hop on the pond all seen"
