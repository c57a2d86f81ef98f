#!/usr/bin/env bash
# Starts the desktop on a sample image. Without a display (or without the
# desktop built) it shows the command-line tool at work on the same sample.
set -euo pipefail
build="${1:-build}"
sample="samples/scene.pgm"
desktop="$build/shell/lumagrove"

if [ -x "$desktop" ]; then
  if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$desktop" "$sample"
  fi
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset), so here is the command-line tool instead."
  echo "On a desktop, run: $desktop $sample"
fi

out="samples/out"
mkdir -p "$out"
cli="$build/cli/lumagrove-cli"
demo() {
  local command="$1" input="$2"
  shift 2
  "$cli" "$command" --time "$@" "$input" "$out/$command.pgm"
  echo "  $command -> $out/$command.pgm"
}
demo negate "$sample"
demo gaussian "$sample" --sigma 1.5
demo edges "$sample"
demo lines-superimposed "$sample"
demo circles-superimposed "$sample"
demo spectrum "$sample"
demo range3d samples/range.pgm
# A photo goes in and a PNG comes out: pictures are read and written by name.
"$cli" edges --time samples/photo.jpg "$out/photo-edges.png"
echo "  edges samples/photo.jpg -> $out/photo-edges.png"
"$cli" xyz samples/wall.xyz
echo "Results are in $out/ (binary PGM files, and one PNG). '$cli --help' lists every command."
