#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Tarvelle need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev fonts-liberation2 libstb-dev libjpeg62-turbo-dev libfluidsynth-dev timgm6mb-soundfont
  libcurl4-openssl-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils sway grim wtype
  desktop-file-utils appstream lintian file dpkg-dev xdotool imagemagick
  libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev libpqxx-dev libseccomp-dev postgresql-15 wrk
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
