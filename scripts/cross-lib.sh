#!/usr/bin/env bash
# Cross-builds a library from Debian's own source package (the version the desktop build uses,
# or else the one apt would install) and prints the folder it was installed to. TARGET is
#   web      WebAssembly, with Debian's Emscripten (static libraries)
#   windows  64-bit Windows, with Debian's MinGW-w64 (cmake/MinGW.cmake)
# The install folder is kept in the cache, $TARVELLE_CACHE (default ~/.cache/tarvelle), named by
# the package's version and a hash of everything else the build is made of: this script, the
# CMake options, the compiler's version and the toolchain file. A later build or a fresh clone
# takes it as it is; a change to any of those builds it again. A build is installed into a
# folder of its own and moved into place only once it is whole, so one stopped half-way is
# never taken for a finished one. The source is fetched through a sources list and a lists
# folder of the script's own: the machine's apt configuration is left as it is.
#   cross-lib.sh TARGET NAME SOURCE-PACKAGE BINARY-PACKAGE FILE [CMAKE-OPTION...]
# FILE, below the install folder, marks a finished build.
# e.g. cross-lib.sh windows sdl2 libsdl2 libsdl2-dev bin/SDL2.dll -DSDL_TEST=OFF
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
me=cross-lib.sh
if [ $# -lt 5 ]; then
  echo "usage: $me web|windows NAME SOURCE-PACKAGE BINARY-PACKAGE FILE [CMAKE-OPTION...]" >&2
  exit 2
fi
target=$1 name=$2 source=$3 binary=$4 marker=$5
shift 5
case $target in
  web)
    compiler=emscripten
    configure=(emcmake cmake)
    toolchain=()
    # Debian's Emscripten runs its JavaScript helpers with node and finds Debian's acorn here.
    export NODE_PATH=/usr/share/nodejs
    ;;
  windows)
    compiler=g++-mingw-w64-x86-64-posix
    configure=(cmake)
    toolchain=("$here/../cmake/MinGW.cmake")
    ;;
  *) echo "$me: no target $target (web or windows)" >&2; exit 2 ;;
esac
bash "$here/apt-install.sh" dpkg-dev python3 cmake ninja-build "$compiler" >&2

version=$(dpkg-query -W -f='${Version}' "$binary" 2>/dev/null || true)
[ -n "$version" ] || version=$(apt-cache policy "$binary" | awk '/Candidate:/ {print $2}')
case $version in
  "" | "(none)") echo "$me: Debian has no $binary here" >&2; exit 1 ;;
esac
key=$({
  printf '%s\n' "$target" "$version" "$(dpkg-query -W -f='${Version}' "$compiler")" "$@"
  cat "$0" "${toolchain[@]}"
} | sha256sum | cut -c1-12)
root=${TARVELLE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarvelle}
cache=$root/$target/$name-${version#*:}-$key
if [ -f "$cache/$marker" ]; then echo "$cache"; exit 0; fi

mkdir -p "$root/$target"
work=$(mktemp -d)
# The install goes beside the cache's folder, so that moving it into place is one rename.
stage=$(mktemp -d "$root/$target/.$name.XXXXXX")
trap 'rm -rf "$work" "$stage"' EXIT
mkdir -p "$work/lists/partial" "$work/parts" "$work/src"

# The machine's own sources of Debian's archives, as source entries.
python3 "$here/deb-src-list.py" "$work" /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
  /etc/apt/sources.list.d/*.sources
opts=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts="$work/parts"
      -o Dir::State::Lists="$work/lists" -o Dir::Cache::pkgcache="" -o Dir::Cache::srcpkgcache="")
echo "Fetching the source of $source $version" >&2
apt-get "${opts[@]}" update -qq >&2
(cd "$work/src" && apt-get "${opts[@]}" source -qq "$source=$version" >&2)
srcdir=$(find "$work/src" -maxdepth 1 -mindepth 1 -type d | head -1)
[ -n "$srcdir" ] || { echo "$me: no $source source was unpacked" >&2; exit 1; }

echo "Building $source $version for $target" >&2
# CMake must not find this machine's libraries.
PKG_CONFIG_LIBDIR=/nonexistent nice -n 10 "${configure[@]}" -S "$srcdir" \
  -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  "${toolchain[@]/#/-DCMAKE_TOOLCHAIN_FILE=}" -DCMAKE_INSTALL_PREFIX="$cache" "$@" >&2
nice -n 10 cmake --build "$work/build" -j2 >&2
DESTDIR=$stage cmake --install "$work/build" >&2
[ -f "$stage$cache/$marker" ] || { echo "$me: $marker was not installed" >&2; exit 1; }
# Another build of the same may have finished first: then that one stays. A folder without
# its FILE (taken apart by hand) gives way.
if [ -e "$cache" ] && [ ! -f "$cache/$marker" ]; then rm -rf "$cache"; fi
if ! mv -T "$stage$cache" "$cache" 2>/dev/null && [ ! -f "$cache/$marker" ]; then
  echo "$me: the build could not be moved to $cache" >&2
  exit 1
fi
echo "$cache"
