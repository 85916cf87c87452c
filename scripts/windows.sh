#!/usr/bin/env bash
# Builds Tarvelle for 64-bit Windows on Debian and packs
# build/windows/Tarvelle-VERSION-windows-x64.zip (VERSION: project() in CMakeLists.txt):
# Tarvelle.exe (icon, version information), the DLLs it needs, its data files, Readme.html and
# the licences. The libraries come from Debian's source packages, built once and cached
# (scripts/windows-deps.sh); the build's helper programs run under Wine. The music comes as the
# web version's does: tunes rendered here from the pieces (scripts/render-music.sh).
#   scripts/windows.sh          build the zip
#   scripts/windows.sh --test   build it, then run the Windows tests under Wine (tests/windows_test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
test=0
[ "${1:-}" = --test ] && test=1

bash scripts/apt-install.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
  binutils-mingw-w64-x86-64 wine wine64 dpkg-dev cmake ninja-build python3 zip unzip \
  fonts-liberation2 libstb-dev googletest fluidsynth timgm6mb-soundfont vorbis-tools xvfb xauth \
  x11-utils xdotool imagemagick

out=$root/build/windows
mkdir -p "$out"
deps=$(bash scripts/windows-deps.sh)
source scripts/windows-env.sh "$out" "$deps"

nice -n 10 bash scripts/render-music.sh "$out/music"

build=$out/game
nice -n 10 cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTARVELLE_WINDOWS_DEPS="$deps" -DTARVELLE_WERROR=ON \
  -DTARVELLE_TESTS=ON -DTARVELLE_BENCH=OFF -DTARVELLE_OGG_MUSIC=ON \
  -DTARVELLE_MUSIC_DIR="$out/music"
nice -n 10 cmake --build "$build" -j2

# The zip's folder: what CMake installs, and every DLL the programs import that Windows itself
# does not have (the compiler's runtime, if a library wants it).
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "windows.sh: no project version in $build" >&2; exit 1; }
name=Tarvelle-$version-windows-x64
stage=$out/$name
rm -rf "$stage" "$out/$name.zip"
cmake --install "$build" --prefix "$stage" >/dev/null
search=(/usr/lib/gcc/x86_64-w64-mingw32/*-posix /usr/x86_64-w64-mingw32/lib)
IFS=';' read -r -a prefixes <<<"$deps"
for p in "${prefixes[@]}"; do search+=("$p/bin"); done
changed=1
while [ $changed = 1 ]; do
  changed=0
  for f in "$stage"/*.exe "$stage"/*.dll; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$f" | awk '/DLL Name:/ {print $3}'); do
      [ -f "$stage/$dll" ] && continue
      for d in "${search[@]}"; do
        if [ -f "$d/$dll" ]; then cp "$d/$dll" "$stage/"; changed=1; break; fi
      done
    done
  done
done
x86_64-w64-mingw32-strip "$stage"/*.exe "$stage"/*.dll
(cd "$out" && rm -f "$name.zip" && zip -qr9 -X "$name.zip" "$name")

echo "Windows build: $out/$name.zip"
(cd "$stage" && du -b -- Tarvelle.exe TarvelleEditor.exe *.dll | awk '{printf "  %-22s %7.2f MB\n", $2, $1 / 1048576}')
du -sb "$stage" | awk '{printf "  unpacked               %7.2f MB\n", $1 / 1048576}'
du -b "$out/$name.zip" | awk '{printf "  zip                    %7.2f MB\n", $1 / 1048576}'

if [ $test = 1 ]; then
  nice -n 10 cmake --build "$build" -j2 --target tarvelle_tests
  bash tests/windows_test.sh "$build" "$out/$name.zip"
fi
