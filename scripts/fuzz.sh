#!/usr/bin/env bash
# Builds the libFuzzer targets of the core (preset "fuzz", clang++) and runs
# each from its seed corpus in fuzz/corpus/<target>/ for FUZZ_SECONDS seconds
# (default 30). Any finding fails the run; the input that caused it is kept
# in build/fuzz/findings/ — add it to the seed corpus once the fault is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

findings=build/fuzz/findings
mkdir -p "$findings"
# Runs one target from its seeds and says what it found, into its report.
fuzz_one() {
  local seeds=$1 target corpus log executions
  target=$(basename "$seeds")
  # New inputs go to a corpus of the build's own; the seeds stay as they are.
  corpus=build/fuzz/corpus/$target
  log=build/fuzz/$target.log
  mkdir -p "$corpus"
  if build/fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$findings/$target-" "$corpus" "$seeds" >"$log" 2>&1; then
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: $executions executions in ${seconds} s, no finding"
  else
    echo "fuzz $target: FINDING (log $log)"
    grep -E -A12 'check failed|ERROR:|runtime error' "$log" | head -40
    return 1
  fi
}

# A target keeps one core busy for its time: as many at once as there are
# cores, each with its report printed in turn.
targets=(fuzz/corpus/*/)
parallel=$(nproc)
status=0
for ((i = 0; i < ${#targets[@]}; i += parallel)); do
  batch=("${targets[@]:i:parallel}")
  pids=()
  for seeds in "${batch[@]}"; do
    fuzz_one "$seeds" >"build/fuzz/$(basename "$seeds").report" &
    pids+=($!)
  done
  for j in "${!pids[@]}"; do
    wait "${pids[j]}" || status=1
    cat "build/fuzz/$(basename "${batch[j]}").report"
  done
done
exit $status
