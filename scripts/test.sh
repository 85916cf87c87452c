#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything and runs every test in the
# release build (optimised as players get it); builds the web version and walks it through in
# headless Chromium; builds the Windows zip with the MinGW cross compiler and runs its tests under
# Wine; then builds what the tests run under AddressSanitizer and UBSan and runs every test again
# there. The release, web and Windows builds fail on any compiler warning (the sanitizer's
# instrumentation makes GCC warn falsely of bounds at -O1). At the end it prints the
# time of each stage (wall and processor time) and the slowest steps of each build.
# With --desktop it installs nothing and leaves out the web and Windows versions: the two desktop
# builds and their tests alone.
set -euo pipefail
cd "$(dirname "$0")/.."
desktop=false
case "${1:-}" in
  "") ;;
  --desktop) desktop=true ;;
  *) echo "usage: scripts/test.sh [--desktop]" >&2; exit 2 ;;
esac

report=()
times_file=$(mktemp)
# Sets cpu to the processor time (user + system, seconds) of this shell's finished children.
# `times` must run in this shell itself: in a command substitution it would read a subshell's.
read_children_cpu() {
  { times; } >"$times_file"
  cpu=$(tail -n 1 "$times_file" | awk '{
    t = 0
    for (i = 1; i <= 2; ++i) { split($i, a, "m"); sub("s", "", a[2]); t += a[1] * 60 + a[2] }
    printf "%.1f", t }')
}
# stage NAME COMMAND...: runs the command and notes its wall and processor time.
stage() {
  local name=$1 t0 c0
  shift
  t0=$(date +%s.%N)
  read_children_cpu
  c0=$cpu
  "$@"
  read_children_cpu
  local t1
  t1=$(date +%s.%N)
  report+=("$(awk -v n="$name" -v t0="$t0" -v t1="$t1" -v c0="$c0" -v c1="$cpu" \
    'BEGIN { printf "%-30s %7.1f s %7.1f s", n, t1 - t0, c1 - c0 }')")
  total_wall=$(awk -v a="$total_wall" -v t0="$t0" -v t1="$t1" 'BEGIN { print a + t1 - t0 }')
  total_cpu=$(awk -v a="$total_cpu" -v c0="$c0" -v c1="$cpu" 'BEGIN { print a + c1 - c0 }')
}
total_wall=0
total_cpu=0
load_start=$(cut -d ' ' -f 1-3 /proc/loadavg)
# The slowest steps of a build, from ninja's own log (the last run of each step).
slowest() {
  [ -f "$1/.ninja_log" ] || return 0
  echo "slowest steps of $1:"
  awk 'NR > 1 { t[$4] = ($2 - $1) / 1000 } END { for (k in t) printf "%8.1f s  %s\n", t[k], k }' \
    "$1/.ninja_log" | sort -rn | awk 'NR <= 8'  # reads on to the end: no broken pipe for sort
}
summary() {
  rm -f "$times_file"
  [ ${#report[@]} -gt 0 ] || return 0
  echo
  slowest build/test
  slowest build/windows/game
  slowest build/sanitize
  printf '\n%-30s %9s %9s\n' stage wall CPU
  printf '%s\n' "${report[@]}"
  printf '%-30s %7.1f s %7.1f s\n' "all stages" "$total_wall" "$total_cpu"
  echo "machine load (1, 5, 15 min) at the start: $load_start, at the end: $(cut -d ' ' -f 1-3 \
    /proc/loadavg) ($(nproc) processors)"
}
trap summary EXIT

$desktop || stage "packages" bash scripts/install-deps.sh
stage "build" eval 'cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVELLE_WERROR=ON >/dev/null &&
  cmake --build build/test'
stage "tests" eval '(cd build/test && ctest --output-on-failure --timeout 300 -j2)'
stage "server on PostgreSQL" bash tests/server/postgres_test.sh build/test
if ! $desktop; then
  stage "web build" bash scripts/web.sh
  stage "web browser test" bash tests/web/run.sh
  stage "web world table test" bash tests/web/world_run.sh build/test/tarvelle-server
  stage "server pages test" bash tests/server/pages_test.sh build/test build/web
  stage "web sizes" python3 tools/web/sizes.py build/web
  stage "windows build and tests" bash scripts/windows.sh --test
fi
stage "sanitizer build" eval 'cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTARVELLE_SANITIZE=ON -DTARVELLE_BENCH=OFF -DTARVELLE_WERROR=OFF >/dev/null &&
  cmake --build build/sanitize --target tarvelle_test_deps'
stage "sanitizer tests" eval '(cd build/sanitize && ctest --output-on-failure --timeout 600 -j2)'
