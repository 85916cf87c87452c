#!/usr/bin/env bash
# shellcheck disable=SC2015,SC2016  # (a failing check exits; the stand-ins' code is quoted)
# The build scripts' own pieces, with stand-ins for apt-get, dpkg-query and cmake (nothing is
# fetched, built or installed):
#  - scripts/cross-lib.sh: a library is built once, then taken from the cache; another package
#    version, compiler version or CMake option builds it again, beside the first; a build that
#    fails, is killed half-way or installs without its FILE leaves nothing a later run takes
#    for a finished one; a cached folder taken apart by hand is built again;
#  - scripts/deb-src-list.py: the machine's sources of Debian's archives as source entries;
#  - scripts/apt-install.sh: only the missing packages are installed.
#   scripts_test.sh SOURCE_DIR
set -uo pipefail
src=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export STUB=$tmp/stub TARVELLE_CACHE=$tmp/cache TMPDIR=$tmp/tmp
mkdir -p "$STUB/bin" "$TMPDIR"
export PATH=$STUB/bin:$PATH
log=$STUB/log
touch "$log"

# dpkg-query: every package installed (but those listed in $STUB/missing), at the version in
# $STUB/version-PACKAGE or 1.0-1.
cat >"$STUB/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
format=${2#-f=}
shift 2
for p in "$@"; do
  status="install ok installed"
  grep -qxF "$p" "$STUB/missing" 2>/dev/null && status="deinstall ok config-files"
  version=$(cat "$STUB/version-$p" 2>/dev/null || echo 1.0-1)
  f=${format//'${Package}'/$p}
  f=${f//'${Status}'/$status}
  printf '%b' "${f//'${Version}'/$version}"
done
EOF
# apt-get: `source PACKAGE=VERSION` unpacks an empty source folder; every call is logged.
cat >"$STUB/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STUB/log"
for a in "$@"; do
  case $a in *=*) [[ $a == -* || $a == Dir* ]] || mkdir -p "${a%%=*}-${a#*=}" ;; esac
done
EOF
# cmake: configuring notes the install prefix; --build fails or hangs when told to; --install
# puts lib/libx.a below DESTDIR and the prefix (none when told to).
cat >"$STUB/bin/cmake" <<'EOF'
#!/usr/bin/env bash
echo "cmake $*" >>"$STUB/log"
case $1 in
  --build)
    [ -f "$STUB/hang" ] && sleep 60
    [ -f "$STUB/fail" ] && exit 1
    exit 0 ;;
  --install)
    [ -f "$STUB/no-file" ] && exit 0
    prefix=$(cat "$2/prefix")
    mkdir -p "$DESTDIR$prefix/lib" && touch "$DESTDIR$prefix/lib/libx.a"
    exit 0 ;;
esac
while [ $# -gt 0 ]; do
  case $1 in
    -B) build=$2 ;;
    -DCMAKE_INSTALL_PREFIX=*) prefix=${1#*=} ;;
  esac
  shift
done
mkdir -p "$build" && echo "$prefix" >"$build/prefix"
EOF
printf '#!/usr/bin/env bash\necho "emcmake" >>"$STUB/log"\nexec "$@"\n' >"$STUB/bin/emcmake"
printf '#!/usr/bin/env bash\nexec "$@"\n' >"$STUB/bin/sudo"
chmod +x "$STUB/bin"/*

lib() { bash "$src/scripts/cross-lib.sh" "$1" x libx libx-dev lib/libx.a "${@:2}" 2>"$tmp/err"; }
builds() { grep -c "^cmake --build" "$log"; }
# The finished folders in the cache (the ones a run would take).
finished() { find "$TARVELLE_CACHE" -mindepth 2 -maxdepth 2 -name 'x-*' | sort; }

# Built once, then taken from the cache.
first=$(lib web -DA=1) || { cat "$tmp/err"; fail "the first build"; }
[ -f "$first/lib/libx.a" ] || fail "no lib/libx.a in $first"
case $first in "$TARVELLE_CACHE"/web/x-1.0-1-*) ;; *) fail "cached as $first" ;; esac
grep -q '^emcmake' "$log" || fail "the web build does not configure through emcmake"
[ "$(lib web -DA=1)" = "$first" ] && [ "$(builds)" = 1 ] || fail "the cache was not taken"
[ -z "$(find "$TARVELLE_CACHE" -name '.x.*')" ] || fail "the install folder was left behind"

# Each input of the build names a folder of its own.
n=1
for change in option package compiler target; do
  args=(web -DA=1)
  case $change in
    option) args=(web -DA=2) ;;
    package) echo 2.0-1 >"$STUB/version-libx-dev" ;;
    compiler) echo 9.9-1 >"$STUB/version-emscripten" ;;
    target) args=(windows -DA=1) ;;
  esac
  dir=$(lib "${args[@]}") || { cat "$tmp/err"; fail "the build after a changed $change"; }
  n=$((n + 1))
  [ "$(builds)" = $n ] && [ "$(finished | wc -l)" = $n ] && [ -f "$dir/lib/libx.a" ] ||
    fail "a changed $change did not build into a folder of its own"
done
grep -q -- "-DCMAKE_TOOLCHAIN_FILE=.*/cmake/MinGW.cmake" "$log" ||
  fail "the Windows build does not name its toolchain file"
rm "$STUB"/version-*

# Builds that stop before they are whole leave no finished folder; the next run builds it.
before=$(finished)
for stop in fail no-file hang; do
  touch "$STUB/$stop"
  if [ $stop = hang ]; then
    # Killed in the middle of the build: no clean-up runs.
    : >"$log"
    set -m  # the build in a process group of its own
    bash "$src/scripts/cross-lib.sh" web x libx libx-dev lib/libx.a -DA=3 >/dev/null 2>&1 &
    pid=$!
    set +m
    for _ in $(seq 600); do
      grep -q "^cmake --build" "$log" && break
      sleep 0.1
    done
    kill -KILL -- "-$pid"
    wait "$pid" 2>/dev/null
  else
    lib web -DA=3 >/dev/null && fail "a build that stops ($stop) succeeded"
    [ $stop = fail ] || grep -q "lib/libx.a was not installed" "$tmp/err" ||
      fail "no message for a build without its FILE"
  fi
  rm -f "$STUB/$stop"
  [ "$(finished)" = "$before" ] || fail "a build that stops ($stop) left a folder to be taken"
done
dir=$(lib web -DA=3) && [ -f "$dir/lib/libx.a" ] || fail "no whole build after the stopped ones"

# A cached folder taken apart by hand is built again.
rm "$first/lib/libx.a"
[ "$(lib web -DA=1)" = "$first" ] && [ -f "$first/lib/libx.a" ] || fail "a damaged folder was kept"
echo "pass: cross-lib.sh"

# The sources rewrite: Debian's archives only, enabled, as source entries, each once.
mkdir -p "$tmp/apt" "$tmp/out"
cat >"$tmp/apt/debian.sources" <<'EOF'
Types: deb
# a comment
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main

Types: deb deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main

Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Enabled: no

Types: deb
URIs: https://example.org/other
Suites: stable
Components: main
EOF
cat >"$tmp/apt/sources.list" <<'EOF'
deb http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian bookworm main
# deb http://deb.debian.org/debian bookworm contrib
deb [signed-by=/k.gpg] https://example.org/other stable main
deb [arch=amd64] http://ftp.debian.org/debian bookworm non-free
EOF
python3 "$src/scripts/deb-src-list.py" "$tmp/out" "$tmp/apt/sources.list" "$tmp/apt/none.list" \
  "$tmp/apt/debian.sources" || fail "deb-src-list.py"
diff -u - "$tmp/out/sources.list" <<'EOF' || fail "the one-line sources"
deb-src http://deb.debian.org/debian bookworm main
deb-src [arch=amd64] http://ftp.debian.org/debian bookworm non-free
EOF
diff -u - "$tmp/out/parts/debian.sources" <<'EOF' || fail "the deb822 sources"
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
EOF
echo "pass: deb-src-list.py"

# The package helper installs what is missing, and nothing when nothing is.
: >"$log"
bash "$src/scripts/apt-install.sh" a b c >/dev/null || fail "apt-install.sh, all there"
[ ! -s "$log" ] || fail "apt-install.sh called apt-get with every package there"
printf 'b\nd\n' >"$STUB/missing"
bash "$src/scripts/apt-install.sh" a b c d >/dev/null || fail "apt-install.sh, two missing"
grep -q "install -y -qq --no-install-recommends b d$" "$log" ||
  { cat "$log"; fail "apt-install.sh did not install just the missing packages"; }
echo "pass: apt-install.sh"
