#!/usr/bin/env bash
# Builds the libraries the game needs for Windows (once: they are cached) and prints their
# install folders, separated by ';' as CMake wants a list.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lib() { bash "$here/cross-lib.sh" windows "$@"; }
sdl2=$(lib sdl2 libsdl2 libsdl2-dev bin/SDL2.dll -DSDL_SHARED=ON -DSDL_STATIC=OFF \
  -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=OFF)
freetype=$(lib freetype freetype libfreetype-dev lib/libfreetype.a -DBUILD_SHARED_LIBS=OFF \
  -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
  -DFT_DISABLE_BROTLI=ON)
ttf=$(lib sdl2-ttf libsdl2-ttf libsdl2-ttf-dev bin/SDL2_ttf.dll -DBUILD_SHARED_LIBS=ON \
  -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF \
  "-DTARVELLE_WINDOWS_DEPS=$sdl2;$freetype")
jpeg=$(lib jpeg libjpeg-turbo libjpeg62-turbo-dev lib/libjpeg.a -DENABLE_SHARED=OFF \
  -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF)
echo "$sdl2;$freetype;$ttf;$jpeg"
