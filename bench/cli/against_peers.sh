#!/usr/bin/env bash
# Whole lumagrove-cli processes (read, operate, write) against vips' command
# line and ImageMagick's convert, on one photo-like image (bench/python's) as
# PGM and as PNG, each tool writing the format it read with its own default
# compression. Per row: the median wall time of RUNS runs after a warm-up
# (hyperfine, or a loop when it is missing), the peak memory of the warm-up
# run (/usr/bin/time -v), the size of each output, and ours / theirs. The
# machine and its load are printed with the table: on a shared machine the
# figures are indicative.
#   bench/cli/against_peers.sh [BUILD]     SIZE=4096 RUNS=3
set -euo pipefail

build=${1:-build}
size=${SIZE:-4096}
runs=${RUNS:-3}
here=$(cd "$(dirname "$0")" && pwd)
cli=$build/cli/lumagrove-cli
# Debian's convert, whatever else may come first on PATH.
convert=${CONVERT:-/usr/bin/convert}

# operation | our command and options | vips operation and its arguments after
# IN OUT | convert's options between IN and OUT. Neither has a box filter of
# its own: vips convolves with BOX, a 5 x 1 mask file made below, across and
# down, in integers so that the result stays 8-bit as ours; ImageMagick with a
# normalised 5 x 5 square (28 times faster than its -statistic Mean). Its
# gradient is the brightest of the four turns of a Sobel kernel.
pairs=(
  "negate|negate|invert|-negate"
  "gaussian|gaussian --sigma 1|gaussblur 1|-gaussian-blur 0x1"
  "equalize|equalize|hist_equal|-equalize"
  "gradient|gradient|sobel|-define morphology:compose=Lighten -morphology Convolve Sobel:>"
  "uniform|uniform --window 5|convsep BOX --precision integer|-define convolve:scale=! -morphology Convolve Square:2"
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '5 1 5 0\n1 1 1 1 1\n' >"$work/box.mat"

check_tools() {
  local tool
  for tool in "$cli" vips "$convert" /usr/bin/time; do
    if ! command -v "$tool" >/dev/null; then
      echo "against_peers.sh: $tool is missing: scripts/install-deps.sh --bench installs the peers, make builds ours" >&2
      exit 1
    fi
  done
}

make_inputs() {
  PYTHONPATH="$here/../python:$build/python${PYTHONPATH:+:$PYTHONPATH}" /usr/bin/python3 -c "
import cv2, sys
from against_peers import photo_like
image = photo_like($size)
for name in sys.argv[1:]:
    cv2.imwrite(name, image)
" "$work/in.pgm" "$work/in.png"
}

machine() {
  printf '%s, %s cores; load average %s\n' "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')" \
    "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)"
}

# The command line of one tool for one pair on IN and OUT, as words on
# standard output, one a line.
command_for() {
  local tool=$1 in=$5 out=$6 ours_words vips_words convert_words
  read -r -a ours_words <<<"$2"
  read -r -a vips_words <<<"${3//BOX/$work/box.mat}"
  read -r -a convert_words <<<"$4"
  case "$tool" in
    ours) printf '%s\n' "$cli" "${ours_words[@]}" "$in" "$out" ;;
    vips) printf '%s\n' vips "${vips_words[0]}" "$in" "$out" "${vips_words[@]:1}" ;;
    convert) printf '%s\n' "$convert" "$in" "${convert_words[@]}" "$out" ;;
  esac
}

# Median seconds of one run of the command given as arguments.
median_seconds() {
  if command -v hyperfine >/dev/null; then
    # Its advice about outliers would break the table: shown only on a failure.
    if ! hyperfine -N --runs "$runs" --style none --export-csv "$work/times.csv" -- "$(printf '%q ' "$@")" \
      >/dev/null 2>"$work/hyperfine.log"; then
      cat "$work/hyperfine.log" >&2
      return 1
    fi
    awk -F, 'NR == 2 { print $4 }' "$work/times.csv"
  else
    for _ in $(seq "$runs"); do
      local start=$EPOCHREALTIME
      "$@" >/dev/null
      awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { print end - start }'
    done | sort -g | awk '{ times[NR] = $1 } END { print times[int((NR + 1) / 2)] }'
  fi
}

# Peak resident memory of one run, in MB.
peak_mb() {
  if ! /usr/bin/time -v "$@" >/dev/null 2>"$work/time.log"; then
    echo "against_peers.sh: this failed: $*" >&2
    grep -v $'^\t' "$work/time.log" >&2  # its own words, without time's report
    return 1
  fi
  awk -F: '/Maximum resident set size/ { printf "%.0f", $2 / 1024 }' "$work/time.log"
}

# One row of the table. Each tool's first run, which also warms the caches,
# gives its peak memory and the size of what it wrote (PNG compression
# differs between the three); the timed runs follow.
print_row() {
  local format=$1 operation=$2 ours_call=$3 vips_call=$4 convert_options=$5
  local seconds=() memory=() written=() tool words
  for tool in ours vips convert; do
    mapfile -t words < <(command_for "$tool" "$ours_call" "$vips_call" "$convert_options" \
      "$work/in.$format" "$work/out.$format")
    rm -f "$work/out.$format"
    memory+=("$(peak_mb "${words[@]}")")
    written+=("$(stat -c %s "$work/out.$format")")
    seconds+=("$(median_seconds "${words[@]}")")
  done
  awk -v row="$format $operation" -v s="${seconds[*]}" -v m="${memory[*]}" -v w="${written[*]}" 'BEGIN {
    split(s, t, " "); split(m, mb, " "); split(w, bytes, " ")
    printf "%-13s %7.3f %7.3f %7.3f %9.3f %12.3f %7s %7s %7s   %.1f/%.1f/%.1f\n", row, t[1], t[2], t[3],
      t[1] / t[2], t[1] / t[3], mb[1], mb[2], mb[3], bytes[1] / 1e6, bytes[2] / 1e6, bytes[3] / 1e6
  }'
}

main() {
  check_tools
  make_inputs
  echo "Machine: $(machine)"
  echo "Whole processes on a $size x $size image; $("$convert" -version | head -1 | cut -d' ' -f2-3), $(vips --version)," \
    "$(command -v hyperfine >/dev/null && hyperfine --version || echo "no hyperfine: a loop of runs")"
  echo "s: median seconds of $runs runs after a warm-up run; MB: peak resident memory of the warm-up run;"
  echo "written: MB of the output file, ours/vips/convert"
  printf '%-13s %7s %7s %7s %9s %12s %7s %7s %7s   %s\n' row "ours s" "vips s" "conv s" ours/vips ours/convert \
    "ours MB" "vips MB" "conv MB" written
  local format pair operation ours_call vips_call convert_options
  for format in pgm png; do
    for pair in "${pairs[@]}"; do
      IFS='|' read -r operation ours_call vips_call convert_options <<<"$pair"
      print_row "$format" "$operation" "$ours_call" "$vips_call" "$convert_options"
    done
  done
  echo "Machine at the end: $(machine)"
}

main
