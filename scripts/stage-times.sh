# shellcheck shell=bash
# Sourced: times the stages of a long run (wall and processor time) and prints them at the end.
#   timed NAME COMMAND...        runs the command, noting its times under NAME
#   print_times [BUILD_DIR...]   the slowest steps of each build (from ninja's own log), then
#                                the table of the stages timed and the machine's load
_times_rows=()
_times_wall=0
_times_cpu=0
_times_load=$(cut -d ' ' -f 1-3 /proc/loadavg)
_times_file=$(mktemp)

# Sets _times_now to the processor time (user + system, seconds) of this shell's finished
# children. `times` must run in this shell itself: in a command substitution it would read a
# subshell's.
_times_read() {
  { times; } >"$_times_file"
  _times_now=$(tail -n 1 "$_times_file" | awk '{
    t = 0
    for (i = 1; i <= 2; ++i) { split($i, a, "m"); sub("s", "", a[2]); t += a[1] * 60 + a[2] }
    printf "%.1f", t }')
}

timed() {
  local name=$1 t0 t1 c0 status=0
  shift
  t0=$(date +%s.%N)
  _times_read
  c0=$_times_now
  "$@" || status=$?
  _times_read
  t1=$(date +%s.%N)
  [ $status = 0 ] || name="$name (failed)"
  _times_rows+=("$(awk -v n="$name" -v t0="$t0" -v t1="$t1" -v c0="$c0" -v c1="$_times_now" \
    'BEGIN { printf "%-30s %7.1f s %7.1f s", n, t1 - t0, c1 - c0 }')")
  _times_wall=$(awk -v a="$_times_wall" -v t0="$t0" -v t1="$t1" 'BEGIN { print a + t1 - t0 }')
  _times_cpu=$(awk -v a="$_times_cpu" -v c0="$c0" -v c1="$_times_now" 'BEGIN { print a + c1 - c0 }')
  return $status
}

print_times() {
  rm -f "$_times_file"
  [ ${#_times_rows[@]} -gt 0 ] || return 0
  echo
  local build
  for build in "$@"; do
    [ -f "$build/.ninja_log" ] || continue
    echo "slowest steps of $build:"
    # The last run of each step; awk reads on to the end, so sort never meets a broken pipe.
    awk 'NR > 1 { t[$4] = ($2 - $1) / 1000 } END { for (k in t) printf "%8.1f s  %s\n", t[k], k }' \
      "$build/.ninja_log" | sort -rn | awk 'NR <= 8'
  done
  printf '\n%-30s %9s %9s\n' stage wall CPU
  printf '%s\n' "${_times_rows[@]}"
  printf '%-30s %7.1f s %7.1f s\n' "all stages" "$_times_wall" "$_times_cpu"
  echo "machine load (1, 5, 15 min) at the start: $_times_load, at the end: $(cut -d ' ' -f 1-3 \
    /proc/loadavg) ($(nproc) processors)"
}
