#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it with lintian: no errors allowed; the
# warnings are printed.
#   package_test.sh BUILD_DIR
set -uo pipefail
build=$1
for tool in cpack dpkg-deb lintian dpkg-shlibdeps; do
  command -v $tool >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$build" && cpack -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1) ||
  { cat "$tmp/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$tmp"/*.deb)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
  { echo "FAIL: the package is not version $version"; exit 1; }
dpkg-deb -f "$deb" Depends | tee "$tmp/depends"
for need in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libfluidsynth3 timgm6mb-soundfont fonts-liberation2 \
  xdg-utils; do
  grep -q "$need" "$tmp/depends" || { echo "FAIL: Depends lacks $need"; exit 1; }
done
dpkg-deb -c "$deb" >"$tmp/contents"
grep -q ' ./usr/games/tarvelle$' "$tmp/contents" || { echo "FAIL: no /usr/games/tarvelle"; exit 1; }
lintian --tag-display-limit 0 "$deb" >"$tmp/lintian" 2>&1
cat "$tmp/lintian"
if grep -q '^E:' "$tmp/lintian"; then
  echo "FAIL: lintian reports errors"
  exit 1
fi
echo "package built; lintian reports no errors"
