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
  xdg-utils libsqlite3-0 libpqxx-6.4 libseccomp2 libcpp-httplib0.11; do
  grep -q "$need" "$tmp/depends" || { echo "FAIL: Depends lacks $need"; exit 1; }
done
dpkg-deb -c "$deb" >"$tmp/contents"
for file in usr/games/tarvelle usr/games/tarvelle-server usr/lib/tarvelle-server/tarvelle-drive \
  usr/lib/tarvelle-server/tarvelle-bot usr/lib/tarvelle-server/tarvelle-check \
  usr/lib/systemd/system/tarvelle-server.service \
  usr/share/man/man8/tarvelle-server.8.gz; do
  grep -q " ./$file\$" "$tmp/contents" || { echo "FAIL: no /$file"; exit 1; }
done
lintian --tag-display-limit 0 "$deb" >"$tmp/lintian" 2>&1
cat "$tmp/lintian"
if grep -q '^E:' "$tmp/lintian"; then
  echo "FAIL: lintian reports errors"
  exit 1
fi
echo "package built; lintian reports no errors"
