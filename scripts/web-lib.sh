#!/usr/bin/env bash
# Builds a library for WebAssembly from Debian's own source package (the version the desktop
# build uses), as a static library, and prints the folder it was installed to. The result is
# kept in the user's cache folder, keyed by the version, so a fresh clone does not build it
# again. The source is fetched through a sources list and lists folder of our own: the
# machine's apt configuration is left as it is.
#   web-lib.sh NAME SOURCE-PACKAGE BINARY-PACKAGE LIBRARY [CMAKE-OPTION...]
# e.g. web-lib.sh sdl2 libsdl2 libsdl2-dev libSDL2.a -DSDL_SHARED=OFF
set -euo pipefail
name=$1 source=$2 binary=$3 library=$4
shift 4
version=$(dpkg-query -W -f='${Version}' "$binary" 2>/dev/null || true)
[ -n "$version" ] || version=$(apt-cache policy "$binary" | awk '/Candidate:/ {print $2}')
cache="${XDG_CACHE_HOME:-$HOME/.cache}/tarvelle/$name-wasm-$version"
if [ -f "$cache/lib/$library" ]; then echo "$cache"; exit 0; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/src"
# The machine's own Debian sources, as source entries.
{
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
    if [ -f "$f" ]; then cat "$f"; echo; fi
  done
} | awk '
  /^Types:/ { if ($0 ~ /deb/) print "Types: deb-src"; else print; next }
  /^deb / { sub(/^deb /, "deb-src "); print; next }
  { print }' > "$work/sources.raw"
# Only Debian's own archives carry Debian's source packages.
python3 - "$work/sources.raw" "$work" <<'PY'
import sys, re
text = open(sys.argv[1]).read()
out_list, out_sources = [], []
for stanza in re.split(r"\n\s*\n", text):
    if "debian.org" not in stanza: continue
    if stanza.lstrip().startswith("deb-src "):
        out_list += [l for l in stanza.splitlines() if l.startswith("deb-src ") and "debian.org" in l]
    else:
        out_sources.append(stanza.strip())
open(sys.argv[2] + "/sources.list", "w").write("\n".join(out_list) + "\n")
open(sys.argv[2] + "/debian.sources", "w").write("\n\n".join(out_sources) + "\n")
PY
mkdir -p "$work/parts" && cp "$work/debian.sources" "$work/parts/"
opts=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts="$work/parts"
      -o Dir::State::Lists="$work/lists" -o Dir::Cache::pkgcache="" -o Dir::Cache::srcpkgcache="")
echo "Fetching the source of $source $version" >&2
apt-get "${opts[@]}" update -qq >&2
(cd "$work/src" && apt-get "${opts[@]}" source -qq "$source=$version" >&2)
srcdir=$(find "$work/src" -maxdepth 1 -mindepth 1 -type d | head -1)
[ -n "$srcdir" ] || { echo "web-lib.sh: no $source source was unpacked" >&2; exit 1; }

echo "Building $source $version for WebAssembly" >&2
export NODE_PATH=/usr/share/nodejs
# Under emcmake, CMake must not find this machine's libraries.
PKG_CONFIG_LIBDIR=/nonexistent emcmake cmake -S "$srcdir" -B "$work/build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$cache.part" "$@" >&2
cmake --build "$work/build" -j2 >&2
rm -rf "$cache.part"
cmake --install "$work/build" >&2
rm -rf "$cache" && mkdir -p "$(dirname "$cache")" && mv "$cache.part" "$cache"
echo "$cache"
