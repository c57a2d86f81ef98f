#!/usr/bin/env bash
# How a batch scales with workers: the same 200 images of 1024 x 1024, once
# with --jobs 1 and once with --jobs N (2 unless JOBS says), best of REPEAT
# runs each. Prints images per second and the speed-up, with the load
# average, since other work on the machine skews it.
#   bench/batch-throughput.sh [BUILD]    COUNT=200 JOBS=2 REPEAT=3 COMMAND='gaussian --sigma 2'
# On a machine busy with other work, the other sessions take their share of
# the cores whatever nice says; give this one a session of its own first:
#   setsid bash -c 'echo -20 > /proc/self/autogroup; bench/batch-throughput.sh'
set -euo pipefail

build=${1:-build}
count=${COUNT:-200}
jobs=${JOBS:-2}
repeat=${REPEAT:-3}
read -r -a command <<<"${COMMAND:-gaussian --sigma 2}"
cli=$build/cli/lumagrove-cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/in"
for i in $(seq -w 1 "$count"); do
  { printf 'P5\n1024 1024\n255\n'; head -c 1048576 /dev/urandom; } >"$work/in/$i.pgm"
done

# Seconds for one batch, best of $repeat.
best_time() {
  local best=""
  for _ in $(seq "$repeat"); do
    rm -rf "$work/out"
    local start=$EPOCHREALTIME
    "$cli" "${command[@]}" --jobs "$1" --out-dir "$work/out" "$work"/in/*.pgm 2>/dev/null
    best=$(awk -v start="$start" -v end="$EPOCHREALTIME" -v best="$best" \
      'BEGIN { took = end - start; print (best == "" || took < best) ? took : best }')
  done
  echo "$best"
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
best_time 1 >/dev/null  # warm the page cache and the binary
one=$(best_time 1)
many=$(best_time "$jobs")
printf '%s on %d images of 1024 x 1024 (load average before: %s)\n' "${command[*]}" "$count" "$load_before"
awk -v count="$count" -v jobs="$jobs" -v one="$one" -v many="$many" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" 'BEGIN {
  printf "  --jobs 1: %6.2f s, %6.1f images/s\n", one, count / one
  printf "  --jobs %d: %6.2f s, %6.1f images/s\n", jobs, many, count / many
  printf "  speed-up: %.2fx (load average after: %s)\n", one / many, load
}'
