#!/usr/bin/env bash
# Starts the real game under X (skipping the launcher), waits for its 640 x 480 window, then asks it to close
# (SIGTERM, as a desktop session would) and checks that it quit cleanly, saving its settings.
set -uo pipefail
exe=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data
# In sanitizer builds the X and D-Bus libraries leave allocations behind that the game
# cannot free; the game's own leaks are looked for by the unit tests.
export ASAN_OPTIONS=detect_leaks=0
"$exe" --play 2>"$tmp/stderr" &
pid=$!
found=0
for _ in $(seq 1 150); do
  if xwininfo -root -tree 2>/dev/null | grep -qE '"Tarvelle": .* 640x480\+'; then
    found=1
    break
  fi
  sleep 0.1
done
sleep 0.5
kill -TERM "$pid" 2>/dev/null
# A game that does not close within 10 s (a message box waiting for a click, a hang) fails.
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null
  echo "the game did not close when asked to"
  cat "$tmp/stderr"
  exit 1
fi
wait "$pid"
rc=$?
if [ "$found" != 1 ]; then
  echo "no 640x480 window titled Tarvelle appeared"
  xwininfo -root -tree
  exit 1
fi
if [ "$rc" != 0 ]; then
  echo "the game ended with status $rc"
  exit 1
fi
settings="$XDG_CONFIG_HOME/Morvane/Tarvelle Free/settings.conf"
if ! grep -q 'SFXVol = dword:8' "$settings"; then
  echo "the settings were not saved on closing: $settings"
  exit 1
fi
# Nothing may have gone wrong on the way, apart from a machine without a sound card (the
# lines on how the picture is shown and when it first was are no errors).
if grep -v -e 'sound and music are off' -e '^tarvelle: picture shown through' \
    -e '^tarvelle: first frame shown' "$tmp/stderr" | grep -q .; then
  echo "the game reported errors:"
  cat "$tmp/stderr"
  exit 1
fi
echo "window found, closed cleanly, settings saved"
