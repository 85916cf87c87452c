#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything and runs every test in the
# release build (optimised as players get it); builds the web version and walks it through in
# headless Chromium; builds the Windows zip with the MinGW cross compiler and runs its tests under
# Wine; then builds what the tests run under AddressSanitizer and UBSan and runs every test again
# there. The release, web and Windows builds fail on any compiler warning (the sanitizer's
# instrumentation makes GCC warn falsely of bounds at -O1). It lists the stages first; at the
# end it prints the time of each stage (wall and processor time) and the slowest steps of each
# build (scripts/stage-times.sh).
# With --desktop it installs nothing and leaves out the web and Windows versions: the two desktop
# builds and their tests alone. With --list it lists the stages and runs none.
set -euo pipefail
cd "$(dirname "$0")/.."
desktop=false
list=false
for arg in "$@"; do
  case $arg in
    --desktop) desktop=true ;;
    --list) list=true ;;
    *) echo "usage: scripts/test.sh [--desktop] [--list]" >&2; exit 2 ;;
  esac
done

# The stages, in order: a name, then its commands.
stages=()
stage() { stages+=("$1" "$2"); }
$desktop || stage "packages" 'bash scripts/install-deps.sh'
stage "build" 'cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVELLE_WERROR=ON \
  >/dev/null
cmake --build build/test'
stage "tests" 'cd build/test && ctest --output-on-failure --timeout 300 -j2'
stage "server on PostgreSQL" 'bash tests/server/postgres_test.sh build/test'
if ! $desktop; then
  stage "web build" 'bash scripts/web.sh'
  stage "web browser test" 'bash tests/web/run.sh'
  stage "web world table test" 'bash tests/web/world_run.sh build/test/tarvelle-server'
  stage "server pages test" 'bash tests/server/pages_test.sh build/test build/web'
  stage "web sizes" 'python3 tools/web/sizes.py build/web'
  stage "windows build and tests" 'bash scripts/windows.sh --test'
fi
stage "sanitizer build" 'cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTARVELLE_SANITIZE=ON -DTARVELLE_BENCH=OFF -DTARVELLE_WERROR=OFF >/dev/null
cmake --build build/sanitize --target tarvelle_test_deps'
stage "sanitizer tests" 'cd build/sanitize && ctest --output-on-failure --timeout 600 -j2'

count=$((${#stages[@]} / 2))
echo "The stages:"
for ((i = 0; i < count; ++i)); do printf '  %d. %s\n' $((i + 1)) "${stages[2 * i]}"; done
if $list; then exit 0; fi

source scripts/stage-times.sh
trap 'print_times build/test build/windows/game build/sanitize' EXIT
for ((i = 0; i < count; ++i)); do
  printf '\n== %d/%d %s\n' $((i + 1)) "$count" "${stages[2 * i]}"
  timed "${stages[2 * i]}" bash -euo pipefail -c "${stages[2 * i + 1]}"
done
