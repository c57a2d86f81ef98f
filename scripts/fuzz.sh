#!/usr/bin/env bash
# scripts/fuzz.sh BUILD SECONDS [TARGET...]
#
# Runs each fuzz target built in BUILD (all of them when none is named) for
# SECONDS, one after another, starting from the seeds in fuzz/corpus/TARGET.
# What a run learns stays in BUILD/fuzz-corpus, never in the repository. A
# finding stops the script with a failure: its input is kept in
# BUILD/fuzz-findings and the end of the report is shown.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  echo "usage: scripts/fuzz.sh BUILD SECONDS [TARGET...]" >&2
  exit 2
fi
build=$(realpath "$1")
seconds=$2
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then targets=(read_pgm read_intensity read_xyz pictures command_line); fi

for target in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$target"
  findings="$build/fuzz-findings/$target"
  log="$build/fuzz-logs/$target.log"
  mkdir -p "$corpus" "$findings" "$build/fuzz-logs"
  echo "Fuzzing $target for $seconds s (log: $log)"
  # The log is long: the sanitizer notes every allocation it refuses. Only
  # the summary is shown, or the report when something was found. An input
  # that takes more than 30 s counts as a finding: that is a hang.
  if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz_$target found a fault; its input is in $findings" >&2
    exit 1
  fi
  grep -E "DONE|stat::number_of_executed_units" "$log"
done
