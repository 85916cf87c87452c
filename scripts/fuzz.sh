#!/usr/bin/env bash
# Builds the fuzz programs with clang and libFuzzer and runs each target in turn, one at a time.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# SECONDS is each target's time (default 60); without TARGETs every fuzz/targets/*.cpp runs.
# A target starts from its seeds in fuzz/corpus/<target>/ and the kept inputs in
# fuzz/regressions/<target>/; what it learns goes to build/fuzz/corpus/<target>/ (not kept). An
# input that breaks a target is left in build/fuzz/findings/<target>/: once fixed, copy it into
# fuzz/regressions/<target>/ so that the tests replay it. The last lines of each run's log (runs
# per second, coverage) are in build/fuzz/logs/<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

# clang and its libFuzzer runtime are needed here only, not by the normal build.
bash scripts/install-deps.sh
bash scripts/apt-install.sh clang-14 libclang-rt-14-dev

build=build/fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/targets/*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi

# The build runs its own tools (the embedder, the level compiler) under the sanitizers too.
export ASAN_OPTIONS=detect_leaks=0
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
  -DTARVELLE_FUZZ=ON -DTARVELLE_TESTS=OFF -DTARVELLE_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}"
unset ASAN_OPTIONS

mkdir -p "$build/logs"
status=0
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t" findings="$build/findings/$t"
  mkdir -p "$corpus" "$findings" "fuzz/regressions/$t"
  echo "== $t: ${seconds}s"
  # One worker, one job: the machine is shared. A slow input (over 10 s) counts as a hang.
  if ! SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/fuzz_$t" "$corpus" "fuzz/corpus/$t" \
    "fuzz/regressions/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
    -max_len=20000 -artifact_prefix="$findings/" -print_final_stats=1 \
    >"$build/logs/$t.log" 2>&1; then
    echo "   FINDING: see $build/logs/$t.log and $findings/"
    status=1
  fi
  grep -E "^#[0-9]+ +DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added" \
    "$build/logs/$t.log" | sed 's/^/   /' || true
done
exit $status
