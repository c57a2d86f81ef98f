#!/usr/bin/env bash
# Starts the desktop on a sample image. Without a display (or before the
# desktop is built) it shows the command-line tool at work on the same sample.
set -euo pipefail
build="${1:-build}"
sample="samples/scene.pgm"

if [ -x "$build/shell/lumagrove" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec "$build/shell/lumagrove" "$sample"
fi

if [ -x "$build/shell/lumagrove" ]; then
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset), so here is the command-line tool instead."
fi
out="samples/out"
mkdir -p "$out"
cli="$build/cli/lumagrove-cli"
for command in negate binarize; do
  "$cli" "$command" --time "$sample" "$out/scene-$command.pgm"
  echo "  $command: $out/scene-$command.pgm"
done
"$cli" xyz samples/wall.xyz
echo "Results are in $out/ (binary PGM files). See '$cli --help' for every command."
