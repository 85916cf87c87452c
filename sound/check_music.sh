#!/usr/bin/env bash
# Renders each piece twice over through the game's soundfont at the game's rate and gain, and
# checks with sox: length 60-120 s, no clipping, and sound all the way across the loop point.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
font=/usr/share/sounds/sf2/TimGM6mb.sf2
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
/usr/bin/python3 "$here/compose.py" "$tmp" --twice > "$tmp/lengths"
status=0
while read -r name _ _ seconds _; do
  piece="${name%:}"
  wav="$tmp/${piece%.mid}.wav"
  # The game's synthesizer: 22050 Hz, gain 0.8, reverb on, chorus off.
  fluidsynth -ni -q -C 0 -R 1 -g 0.8 -r 22050 -F "$wav" "$font" "$tmp/$piece" > /dev/null 2>&1
  peak=$(sox "$wav" -n stats 2>&1 | awk '/^Pk lev dB/ {print $4}')
  rms=$(sox "$wav" -n stats 2>&1 | awk '/^RMS lev dB/ {print $4}')
  # The quietest 50 ms in the second around the loop point.
  quietest=0
  for i in $(seq 0 19); do
    at=$(echo "$seconds - 0.5 + $i * 0.05" | bc -l)
    lev=$(sox "$wav" -n trim "$at" 0.05 stats 2>&1 | awk '/^RMS lev dB/ {print $4}')
    quietest=$(echo "if ($lev < $quietest) $lev else $quietest" | bc -l)
  done
  printf '%-10s %6.1f s  peak %6.1f dB  RMS %6.1f dB  quietest 50 ms at the loop %6.1f dB\n' \
    "$piece" "$seconds" "$peak" "$rms" "$quietest"
  ok=$(echo "$seconds >= 60 && $seconds <= 120 && $peak < -1 && $quietest > -40" | bc -l)
  [ "$ok" = 1 ] || { echo "  $piece FAILS the check"; status=1; }
  cp "$wav" "${MUSIC_RENDER_DIR:-$tmp}/" 2>/dev/null || true
done < "$tmp/lengths"
exit $status
