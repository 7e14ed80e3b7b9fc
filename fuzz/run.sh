#!/bin/sh
# Runs every fuzz target of the build for a bounded time each, on a working
# corpus seeded from build/seeds/<target>; stops at the first finding.
# usage: run.sh BUILD SECONDS MAX_LEN
set -u
build=$1
seconds=$2
maxlen=$3
mkdir -p "$build/corpus" "$build/findings"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=0
summary=""
while read -r t; do
  [ -n "$t" ] || continue
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  log="$build/$t.log"
  # The stream target needs room for a few packets of each table.
  len=$maxlen
  [ "$t" = fuzz_tsdemux ] && len=$((maxlen * 4))
  if "$build/$t" -max_total_time="$seconds" -max_len="$len" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$build/findings/$t-" \
       "$corpus" "$build/seeds/$t" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    line=$(printf '%-18s ok   %8s runs %6s/s' "$t" "${runs:-?}" "${rate:-?}")
  else
    line=$(printf '%-18s FAILED (see %s)' "$t" "$log")
    grep -m3 -E 'ERROR|runtime error|fuzz check failed|SUMMARY' "$log" | sed 's/^/    /'
    failed=1
  fi
  echo "$line"
  summary="$summary$line
"
done <"$build/targets.txt"
printf '%s' "$summary" >"$build/summary.txt"
if [ $failed -ne 0 ]; then
  echo "fuzz: findings in $build/findings" >&2
  exit 1
fi
