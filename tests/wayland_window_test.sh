#!/usr/bin/env bash
# The game under a real Wayland compositor: sway with its headless backend and software
# renderer, run by an unprivileged user (sway refuses root), the game on SDL's Wayland driver
# with no renderer forced. `--play` must show the title on the water (a grim screenshot);
# then the launcher, Start by Enter, a game started by Enter and a hop by the arrow keys,
# typed with wtype.
#   wayland_window_test.sh BUILD_DIR
# Skipped (status 77) only where the compositor cannot start.
set -uo pipefail
build=$1
for tool in sway grim wtype convert; do
  command -v $tool >/dev/null || { echo "$tool is not installed: the compositor cannot start: skipped"; exit 77; }
done

tmp=$(mktemp -d)
chmod 755 "$tmp"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null; done
  sleep 0.3
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  for f in "$tmp"/home/err*.txt; do [ -f "$f" ] && { echo "--- $f"; cat "$f"; }; done
  exit 1
}

# The user the compositor and the game run as: this one, or under root a system user of the
# tests' own (made once).
user=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  user=tarvelle-test
  if ! id "$user" >/dev/null 2>&1; then
    useradd --system --user-group --no-create-home --home-dir /nonexistent \
      --shell /usr/sbin/nologin "$user" || { echo "no user to run sway as: skipped"; exit 77; }
  fi
fi
mkdir -m 700 "$tmp/run" && mkdir -m 755 "$tmp/home" "$tmp/game"
chown "$user:" "$tmp/run" "$tmp/home"
# A simple command (not a function), so that a job started in the background has the pid of
# the program itself.
as_user=(env HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" WAYLAND_DISPLAY=wayland-1)
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups "${as_user[@]}")
fi

# The game and its data, where that user can read them (the build folder may not be).
cp -r "$build/tarvelle" "$build/LevelsFree.dat" "$build/DemoFree.dat" "$build/TvFree.dat" \
  "$build/Music" "$tmp/game/" || fail "the game's files are not in $build"
chmod -R a+rX "$tmp/game"

cat >"$tmp/sway.conf" <<'EOF'
output HEADLESS-1 resolution 1024x768 scale 1 bg #203040 solid_color
default_border none
EOF
chmod 644 "$tmp/sway.conf"
"${as_user[@]}" env WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  WLR_HEADLESS_OUTPUTS=1 timeout 200 sway -c "$tmp/sway.conf" >"$tmp/sway.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do
  [ -S "$tmp/run/wayland-1" ] && break
  sleep 0.1
done
if [ ! -S "$tmp/run/wayland-1" ]; then
  echo "sway did not start: skipped"
  tail -5 "$tmp/sway.log"
  exit 77
fi

# The seat's keyboard. A headless seat has none: each wtype would bring its own for the moment
# it types, and keys sent before the game has bound that keyboard go nowhere. One virtual
# keyboard that stays, as a keyboard plugged in stays, keeps the seat's keyboard there; the
# wtype of each key then only brings its key map (the compositor takes the focus away and
# gives it back around it). Without it SDL 2.26 may also crash: a keyboard it takes for a
# virtual one, entering with a key held before any modifiers event, has its key looked up in
# layout group "invalid".
"${as_user[@]}" timeout 190 wtype -s 180000 &
pids+=($!)
sleep 0.3
key() { "${as_user[@]}" timeout 5 wtype -k "$1" || fail "wtype -k $1"; }
shot() { "${as_user[@]}" timeout 5 grim "$tmp/home/$1.png" || fail "grim"; cp "$tmp/home/$1.png" "$build/wayland_$1.png" 2>/dev/null; }

# Counts of pixels in a screenshot: the water's blues, the title's gold letters, the Dragon's
# orange-gold, the status line's red heart.
count() {
  convert "$tmp/home/$1.png" -depth 8 txt:- | awk -F'[(),]' '
    NR > 1 { r = $3 + 0; g = $4 + 0; b = $5 + 0  # "x,y: (r,g,b) ..."
             if (b > 170 && g > 120 && g < 215 && r < 140) w++
             if (r > 240 && g > 180 && b < 90) t++
             if (r > 215 && g > 130 && g < 190 && b < 110) d++
             if (r > 200 && g < 90 && b > 60 && b < 120) h++ }
    END { printf "%d %d %d %d\n", w, t, d, h }'
}
# The mean columns of the Dragon's orange-gold among the pixels that changed between two
# screenshots: where it was, and where it is.
moved() {
  paste -d' ' <(convert "$tmp/home/$1.png" -depth 8 txt:- | tail -n +2) \
    <(convert "$tmp/home/$2.png" -depth 8 txt:- | tail -n +2) | awk -F'[(), ]+' '
    function dragon(r, g, b) { return r > 215 && g > 130 && g < 190 && b < 110 }
    { x = $1 + 0; r1 = $3; g1 = $4; b1 = $5
      for (i = 6; i <= NF; ++i) if ($i ~ /:$/) break  # where the second picture starts
      r2 = $(i + 1); g2 = $(i + 2); b2 = $(i + 3)
      if (r1 == r2 && g1 == g2 && b1 == b2) next
      if (dragon(r1, g1, b1)) { n1++; x1 += x }
      if (dragon(r2, g2, b2)) { n2++; x2 += x } }
    END { printf "%d %d\n", n1 ? x1 / n1 : -1, n2 ? x2 / n2 : -1 }'
}

# Waits up to 40 s for a line on the game's standard error (a sanitizer build starts slowly).
wait_line() {
  for _ in $(seq 1 400); do
    grep -q "$2" "$tmp/home/$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

game_env=(env -u SDL_RENDER_DRIVER SDL_VIDEODRIVER=wayland SDL_AUDIODRIVER=dummy
  XDG_CONFIG_HOME="$tmp/home/config" XDG_DATA_HOME="$tmp/home/data" ASAN_OPTIONS=detect_leaks=0)

# 1. tarvelle --play: the title on the water, and a clean end when asked.
"${as_user[@]}" "${game_env[@]}" timeout -k 5 90 "$tmp/game/tarvelle" --play 2>"$tmp/home/err-play.txt" &
game=$!
pids+=($game)
wait_line err-play.txt "first frame shown" || fail "no first frame under Wayland"
sleep 1.5
shot title
read -r water gold _ _ < <(count title)
echo "title: water $water, title letters $gold pixels"
[ "$water" -gt 150000 ] || fail "the title's water is not shown"
[ "$gold" -gt 300 ] || fail "the title is not shown"
kill -TERM "$game"
wait "$game"; rc=$?; [ $rc = 0 ] || fail "the game did not end cleanly when asked to (status $rc)"
grep -q "picture shown through" "$tmp/home/err-play.txt" || fail "no line on how the picture is shown"
sed -n 's/^tarvelle: //p' "$tmp/home/err-play.txt"

# 2. The launcher, Start by Enter, New Game by Enter, a hop to the right.
"${as_user[@]}" "${game_env[@]}" timeout -k 5 90 "$tmp/game/tarvelle" 2>"$tmp/home/err-launcher.txt" &
game=$!
pids+=($game)
sleep 3
shot launcher
key Return
wait_line err-launcher.txt "first frame shown" || fail "no game window after Start"
sleep 1.5
key Return
sleep 3.5
shot before
key Right
# The hop takes a moment, longer in a sanitizer build on a busy machine: look again until the
# Dragon has landed a cell to the right, for up to 8 s.
for _ in $(seq 1 10); do
  sleep 0.8
  shot after
  read -r before after < <(moved before after)
  [ "$before" -ge 0 ] && [ "$after" -gt $((before + 40)) ] && break
done
read -r water _ dragon heart < <(count after)
echo "in play: water $water, Dragon $dragon, heart $heart pixels; Dragon at x $before, then $after"
[ "$water" -gt 100000 ] || fail "the pond's water is not shown"
[ "$dragon" -gt 30 ] || fail "the Dragon is not shown"
[ "$heart" -gt 20 ] || fail "no game in play (the status line's heart is missing)"
[ "$before" -ge 0 ] && [ "$after" -gt $((before + 40)) ] || fail "the Dragon did not hop to the right"
kill -TERM "$game"
wait "$game"; rc=$?; [ $rc = 0 ] || fail "the game did not end cleanly when asked to (status $rc)"
echo "under Wayland: the title on the water, the launcher, Start, a game and a hop all seen"
