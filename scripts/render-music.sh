#!/usr/bin/env bash
# Renders the game's tunes for the builds that carry them pre-rendered (the web browser's and
# Windows', which have no MIDI synthesizer): each src/data/files/Music/NAME.mid becomes
# OUT/NAME.ogg, as the desktop's synthesizer plays it (FluidSynth's command line with the same
# soundfont and settings: gain 0.8, 96 voices, no chorus, the game's 22050 frames a second), in
# Ogg Vorbis. A tune newer than its piece is kept. Needs fluidsynth, timgm6mb-soundfont and
# vorbis-tools (the calling script installs them).
#   render-music.sh OUT
set -euo pipefail
cd "$(dirname "$0")/.."
out=$1
soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2
mkdir -p "$out"
for mid in src/data/files/Music/*.mid; do
  name=$(basename "$mid" .mid)
  [ "$out/$name.ogg" -nt "$mid" ] && continue
  echo "Rendering $name"
  fluidsynth -ni -q -g 0.8 -r 22050 -o synth.polyphony=96 -o synth.chorus.active=0 \
    -F "$out/$name.wav" "$soundfont" "$mid" >/dev/null
  oggenc -Q -q 3 -o "$out/$name.ogg.part" "$out/$name.wav"
  rm -f "$out/$name.wav"
  mv "$out/$name.ogg.part" "$out/$name.ogg"
done
