#!/bin/sh
# Formats each manual page as man does, with every groff warning on, and
# reads its NAME line as whatis and apropos will; fails on any warning or an
# unreadable NAME. Exits 77 (a skipped test) when groff is not installed.
if ! command -v groff >/dev/null 2>&1; then
  echo "groff is not installed; skipped"
  exit 77
fi
status=0
for page in "$@"; do
  warnings="$(groff -man -Tutf8 -ww -z "$page" 2>&1)"
  if [ -n "$warnings" ]; then
    echo "$page:"
    echo "$warnings"
    status=1
  fi
  if command -v lexgrog >/dev/null 2>&1 && ! lexgrog "$page"; then
    status=1
  fi
done
exit $status
