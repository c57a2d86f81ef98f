#!/usr/bin/env bash
# Runs a test program on a private X server with a window manager, for what
# only a real desktop shows: frames, placement by the manager, title-bar
# buttons. Exits 77 (skipped) when Xvfb or openbox is not installed.
set -u
for tool in Xvfb openbox; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
scratch=$(mktemp -d)
server=""
manager=""
trap 'kill $manager $server 2>/dev/null; wait 2>/dev/null; rm -rf "$scratch"' EXIT
# The server picks a free display itself and writes its number.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
server=$!
for _ in $(seq 200); do [ -s "$scratch/display" ] && break; sleep 0.05; done
[ -s "$scratch/display" ] || { echo "the X server did not start"; exit 1; }
display=":$(head -n1 "$scratch/display")"
start_manager() {
  HOME=$scratch DISPLAY=$display openbox >>"$scratch/openbox.log" 2>&1 &
  manager=$!
}
start_manager
# The manager announces itself on the root window once it runs. On a busy
# machine that can take long: wait for up to a minute, by the clock rather
# than a count of tries, since each try starts a program. Now and then the
# manager quits at once on a busy machine; it is started again, three times
# at most, and what it said is shown if it never comes up.
ready=""
restarts=0
deadline=$((SECONDS + 60))
while [ "$SECONDS" -lt "$deadline" ]; do
  if DISPLAY=$display "$@" --wait-for-window-manager 2>/dev/null; then ready=yes; break; fi
  if ! kill -0 "$manager" 2>/dev/null; then
    restarts=$((restarts + 1))
    [ "$restarts" -le 3 ] || { echo "the window manager ended at its start:"; cat "$scratch/openbox.log"; exit 1; }
    start_manager
  fi
  sleep 0.05
done
[ -n "$ready" ] || { echo "the window manager did not start"; exit 1; }
DISPLAY=$display QT_QPA_PLATFORM=xcb "$@"
