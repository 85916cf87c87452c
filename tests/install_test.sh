#!/usr/bin/env bash
# Installs the game into a temporary prefix and checks the installed tree: its file list, the
# desktop entry and metainfo (with their validators, where installed), the game started from
# the installed program, the installed data played headless through the driver, and a clear
# message when the data folder is missing.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$1
src=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/usr
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
  { cat "$tmp/install.log"; fail "cmake --install"; }

# The installed tree, without the demo file (present only once the build has made it).
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | grep -v '/DemoFree.dat$' | sort) \
  >"$tmp/files"
{
  echo games/tarvelle
  echo games/tarvelle-editor
  echo games/tarvelle-server
  echo lib/tarvelle-server/tarvelle-check
  echo lib/tarvelle-server/tarvelle-drive
  echo lib/tarvelle-server/tarvelle-bot
  echo lib/systemd/system/tarvelle-server.service
  echo share/man/man8/tarvelle-server.8.gz
  echo share/doc/tarvelle/server.md
  for size in 16x16 24x24 32x32 48x48 64x64 128x128 256x256; do
    echo "share/icons/hicolor/$size/apps/tarvelle.png"
  done
  echo share/icons/hicolor/scalable/apps/tarvelle.svg
  echo share/applications/org.example.tarvelle.desktop
  echo share/applications/org.example.tarvelle.editor.desktop
  echo share/metainfo/org.example.tarvelle.metainfo.xml
  echo share/man/man6/tarvelle.6.gz
  echo share/man/man6/tarvelle-editor.6.gz
  echo share/doc/tarvelle/copyright
  echo share/doc/tarvelle/changelog.gz
  echo share/games/tarvelle/LevelsFree.dat
  echo share/games/tarvelle/TvFree.dat
  echo share/games/tarvelle/Readme.html
  (cd "$src/src/data/files" && find Music readme -type f | sed 's|^|share/games/tarvelle/|')
} | sort >"$tmp/want"
diff -u "$tmp/want" "$tmp/files" || fail "the installed files differ from the list"

# Every picture the guide shows is installed beside it.
grep -o 'src="readme/[^"]*"' "$prefix/share/games/tarvelle/Readme.html" | sed 's/src="//; s/"$//' |
  while read -r pic; do
    [ -f "$prefix/share/games/tarvelle/$pic" ] || { echo "FAIL: Readme.html shows missing $pic"; exit 1; }
  done || exit 1

if command -v desktop-file-validate >/dev/null; then
  for entry in org.example.tarvelle org.example.tarvelle.editor; do
    desktop-file-validate "$prefix/share/applications/$entry.desktop" ||
      fail "desktop-file-validate $entry"
  done
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic \
    "$prefix/share/metainfo/org.example.tarvelle.metainfo.xml" >"$tmp/as.log" 2>&1 ||
    { cat "$tmp/as.log"; fail "appstreamcli validate"; }
fi
if command -v man >/dev/null; then
  for page in man6/tarvelle.6.gz man8/tarvelle-server.8.gz; do
    MANWIDTH=80 man -l "$prefix/share/man/$page" 2>"$tmp/man.err" >/dev/null
    [ -s "$tmp/man.err" ] && { cat "$tmp/man.err"; fail "the man page $page has errors"; }
  done
fi

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0
export XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data
# The version of project() is the one the program, the guide and the man page show, and the
# newest entry of the changelog and the metainfo's releases (written by hand) names it too.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
"$prefix/games/tarvelle" --version | grep -qxF "Tarvelle $version" || fail "--version"
zcat "$prefix/share/man/man6/tarvelle.6.gz" | sed -n 1p | grep -qF "\"Tarvelle $version\"" ||
  fail "the man page's header does not name version $version"
zcat "$prefix/share/doc/tarvelle/changelog.gz" | sed -n 1p | grep -qF "tarvelle ($version) " ||
  fail "the changelog's newest entry is not version $version"
grep -m 1 '<release ' "$prefix/share/metainfo/org.example.tarvelle.metainfo.xml" |
  grep -qF "version=\"$version\"" || fail "the metainfo's newest release is not version $version"
grep -qF "<span class=\"version\">version $version</span>" \
  "$prefix/share/games/tarvelle/Readme.html" || fail "the guide does not show version $version"

# The installed program finds its data below the prefix and plays: --play skips the launcher.
"$prefix/games/tarvelle" --play 2>"$tmp/play.err" &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || { cat "$tmp/play.err"; fail "the installed game did not keep running"; }
kill -TERM "$pid"
wait "$pid" || { cat "$tmp/play.err"; fail "the installed game did not end cleanly"; }
grep -q 'SFXVol = dword:8' "$XDG_CONFIG_HOME/Morvane/Tarvelle Free/settings.conf" ||
  fail "the installed game did not save its settings"

# The installed data, played headless: a level is built from the installed level file.
printf 'start 3\nwait 1500\ntap Right\nwait 600\nstate\n' |
  "$build/tarvelle-drive" --data "$prefix/share/games/tarvelle" >"$tmp/state" 2>"$tmp/drive.err" ||
  { cat "$tmp/drive.err"; fail "the driver could not play the installed data"; }
grep -q '"level":3' "$tmp/state" && ! grep -q '"dragon":null' "$tmp/state" || { cat "$tmp/state"; fail "level 3 was not played"; }

# Without its data the program says where it looked, and ends.
mkdir -p "$tmp/alone"
cp "$prefix/games/tarvelle" "$tmp/alone/"
"$tmp/alone/tarvelle" --play 2>"$tmp/alone.err" && fail "started without data"
grep -q "were not found" "$tmp/alone.err" && grep -q "$tmp/alone/" "$tmp/alone.err" ||
  { cat "$tmp/alone.err"; fail "no clear message for missing data"; }
echo "installed tree, validators, installed game and missing data all fine"

# The installed server finds the game's levels and its players below the prefix, and answers.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$prefix/games/tarvelle-server" --listen "127.0.0.1:$port" --data "$tmp/server" >"$tmp/server.log" 2>&1 &
server=$!
answer=
for _ in $(seq 100); do
  answer=$(curl -sf "http://127.0.0.1:$port/api/v1/scores") && break
  sleep 0.1
done
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
levels=$(python3 -c 'import sys, zlib; print("%08x" % zlib.crc32(open(sys.argv[1], "rb").read()))' \
  "$prefix/share/games/tarvelle/LevelsFree.dat")
grep -q "\"levels\":\"$levels\"" <<<"$answer" ||
  { cat "$tmp/server.log"; fail "the installed server does not answer with the game's table ($answer)"; }
