#!/usr/bin/env bash
# Builds Tarvelle for the web browser into build/web/: the page (index.html and its script and
# style), the game (tarvelle.js, tarvelle.wasm) and its packed files (tarvelle.data). That folder
# is all a web host needs; try it with  python3 -m http.server -d build/web
# Everything comes from Debian's packages, installed here when missing: Emscripten, SDL2 built
# from Debian's source of libsdl2 (scripts/cross-lib.sh, cached), the music rendered through
# FluidSynth's command line and the desktop's soundfont, then Ogg Vorbis.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh
bash scripts/apt-install.sh emscripten nodejs dpkg-dev libbenchmark-dev fluidsynth \
  timgm6mb-soundfont vorbis-tools libstb-dev librsvg2-bin
# Debian's Emscripten runs its JavaScript helpers with node and finds Debian's acorn here.
export NODE_PATH=/usr/share/nodejs

# SDL2 and (for the play benchmark) Google Benchmark, from Debian's sources, cached.
sdl2=$(bash scripts/cross-lib.sh web sdl2 libsdl2 libsdl2-dev lib/libSDL2.a -DSDL_SHARED=OFF \
  -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_PTHREADS=OFF -DSDL_THREADS=OFF)
benchmark=$(bash scripts/cross-lib.sh web benchmark benchmark libbenchmark-dev lib/libbenchmark.a \
  -DGIT_VERSION=0.0.0 -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
  -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_LIBPFM=OFF)

# The helper programs run on this machine: the data embedder, the level and demo compilers.
native=build/web-native
cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVELLE_TESTS=OFF \
  -DTARVELLE_BENCH=OFF >/dev/null
cmake --build "$native" -j2 --target tarvelle-embed tarvelle_levels tarvelle_demos

# The files packed into the game's file system.
data=build/web-data
mkdir -p "$data/Music"
cp "$native/LevelsFree.dat" "$native/DemoFree.dat" "$data/"
cp src/data/files/TvFree.dat "$data/TvFree.dat"  # its JPEG pictures read by stb_image
# The pieces are packed (they give the loop points); their pre-rendered tunes the page fetches
# after the game's first frame.
cp src/data/files/Music/*.mid "$data/Music/"
bash scripts/render-music.sh build/web-music

# The stb headers, apart from the rest of the machine's headers.
mkdir -p build/web-obj/stb-include
ln -sfn /usr/include/stb build/web-obj/stb-include/stb

# Under emcmake, CMake must not find this machine's libraries.
PKG_CONFIG_LIBDIR=/nonexistent emcmake cmake -S . -B build/web-obj -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DTARVELLE_NATIVE_DIR="$root/$native" \
  -DTARVELLE_WEB_DATA="$root/$data" -DSDL2_WEB="$sdl2" \
  -DSTB_INCLUDE="$root/build/web-obj/stb-include" -DBENCHMARK_WEB="$benchmark" >/dev/null
cmake --build build/web-obj -j2

out=build/web
rm -rf "$out"
mkdir -p "$out"
cp build/web-obj/tarvelle.js build/web-obj/tarvelle.wasm build/web-obj/tarvelle.data "$out/"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/web-obj/CMakeCache.txt)
[ -n "$version" ] || { echo "web.sh: no project version in build/web-obj" >&2; exit 1; }
site=$(sed -n 's/.*kWebSiteRoot = "\(.*\)";/\1/p' src/launcher/links.h)
mail=$(sed -n 's/.*kSupportMail = "\(.*\)";/\1/p' src/launcher/links.h)
for f in src/platform/web/*; do
  [ "$(basename "$f")" = sw.js ] && continue  # written last, naming every other file
  sed -e "s|@VERSION@|$version|g" -e "s|@SITE@|$site|g" -e "s|@MAIL@|$mail|g" \
    -e "s|@SITE_SHOWN@|$(echo "$site" | sed -e 's|^[a-z]*://||' -e 's|/$||')|g" "$f" > "$out/$(basename "$f")"
done
cp src/data/launcher/Launcher.png "$out/launcher.png"
mkdir -p "$out/music"
cp build/web-music/*.ogg "$out/music/"
cp "$native/Readme.html" "$out/"
cp -r src/data/files/readme "$out/"
# The installed app's icons, from the game's own icon drawing: the usual sizes, and one with the
# water all round for the launchers that cut icons to their own shape.
icon=src/data/icons/scalable/tarvelle.svg
for size in 180 192 512; do
  rsvg-convert -w $size -h $size -o "$out/icon-$size.png" "$icon"
done
rsvg-convert -w 410 -h 410 --page-width 512 --page-height 512 --left 51 --top 51 -b '#46B1DD' \
  -o "$out/icon-maskable-512.png" "$icon"
# The offline copy: the worker names every file of the build and its cache by their hash.
files=$(cd "$out" && find . -type f ! -name sw.js | sed 's|^\./||' | LC_ALL=C sort)
hash=$(cd "$out" && echo "$files" | xargs sha256sum | sha256sum | cut -c1-16)
list=$(echo "$files" | sed 's/.*/"&"/' | paste -sd, -)
sed -e "s|@BUILD_HASH@|$hash|" -e "s|@BUILD_FILES@|$list|" src/platform/web/sw.js > "$out/sw.js"
echo "Built $out:"
ls -l "$out"
