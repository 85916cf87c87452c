#!/usr/bin/env bash
# Cross-builds a library for 64-bit Windows from Debian's own source package (the version the
# desktop build uses) and prints the folder it was installed to. The result is kept in the
# user's cache folder, keyed by the version, so a fresh clone does not build it again. The
# source is fetched through a sources list and lists folder of our own: the machine's apt
# configuration is left as it is.
#   windows-lib.sh NAME SOURCE-PACKAGE BINARY-PACKAGE FILE [CMAKE-OPTION...]
# FILE, below the install folder, marks a finished build.
# e.g. windows-lib.sh sdl2 libsdl2 libsdl2-dev bin/SDL2.dll -DSDL_TEST=OFF
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
name=$1 source=$2 binary=$3 marker=$4
shift 4
version=$(dpkg-query -W -f='${Version}' "$binary" 2>/dev/null || true)
[ -n "$version" ] || version=$(apt-cache policy "$binary" | awk '/Candidate:/ {print $2}')
cache="${XDG_CACHE_HOME:-$HOME/.cache}/tarvelle/windows/$name-${version#*:}"
if [ -f "$cache/$marker" ]; then echo "$cache"; exit 0; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/src" "$work/parts"
# The machine's own Debian sources, as source entries; only Debian's archives carry them.
{
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
    if [ -f "$f" ]; then cat "$f"; echo; fi
  done
} | python3 -c '
import re, sys
text, out_list, out_sources = sys.stdin.read(), [], []
for stanza in re.split(r"\n\s*\n", text):
    if "debian.org" not in stanza: continue
    lines = stanza.strip().splitlines()
    if any(l.startswith("deb ") for l in lines):
        out_list += ["deb-src " + l[4:] for l in lines if l.startswith("deb ")]
    else:
        out_sources.append("\n".join("Types: deb-src" if l.startswith("Types:") else l
                                     for l in lines))
open(sys.argv[1] + "/sources.list", "w").write("\n".join(out_list) + "\n")
open(sys.argv[1] + "/parts/debian.sources", "w").write("\n\n".join(out_sources) + "\n")
' "$work"
opts=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts="$work/parts"
      -o Dir::State::Lists="$work/lists" -o Dir::Cache::pkgcache="" -o Dir::Cache::srcpkgcache="")
echo "Fetching the source of $source $version" >&2
apt-get "${opts[@]}" update -qq >&2
(cd "$work/src" && apt-get "${opts[@]}" source -qq "$source=$version" >&2)
srcdir=$(find "$work/src" -maxdepth 1 -mindepth 1 -type d | head -1)
[ -n "$srcdir" ] || { echo "windows-lib.sh: no $source source was unpacked" >&2; exit 1; }

echo "Building $source $version for Windows" >&2
PKG_CONFIG_LIBDIR=/nonexistent nice -n 10 cmake -S "$srcdir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/MinGW.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$cache" "$@" >&2
nice -n 10 cmake --build "$work/build" -j2 >&2
rm -rf "$cache"
cmake --install "$work/build" >&2
[ -f "$cache/$marker" ] || { echo "windows-lib.sh: $marker was not installed" >&2; exit 1; }
echo "$cache"
