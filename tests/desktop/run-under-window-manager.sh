#!/usr/bin/env bash
# Runs a test program on a private X server with a window manager, for what
# only a real desktop shows: frames, placement by the manager, title-bar
# buttons. Exits 77 (skipped) when Xvfb or openbox is not installed.
set -u
for tool in Xvfb openbox; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
display=""
for n in $(seq 150 250); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free display"; exit 1; }
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
manager=""
trap 'kill "$manager" "$server" 2>/dev/null; wait 2>/dev/null' EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done
DISPLAY=$display openbox >/dev/null 2>&1 &
manager=$!
# The manager announces itself on the root window once it runs.
ready=""
for _ in $(seq 400); do
  if DISPLAY=$display "$@" --wait-for-window-manager 2>/dev/null; then ready=yes; break; fi
  sleep 0.05
done
[ -n "$ready" ] || { echo "the window manager did not start"; exit 1; }
DISPLAY=$display QT_QPA_PLATFORM=xcb "$@"
