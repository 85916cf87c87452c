#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Tarvelle need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev fonts-liberation2 libstb-dev libjpeg62-turbo-dev libfluidsynth-dev timgm6mb-soundfont
  libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils sway grim wtype
  desktop-file-utils appstream lintian file dpkg-dev xdotool imagemagick
  libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev libpqxx-dev libseccomp-dev postgresql-15 wrk
)
exec bash "$(dirname "$0")/apt-install.sh" "${packages[@]}"
