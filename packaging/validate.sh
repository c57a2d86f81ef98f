#!/bin/sh
# Runs a checker on a file; exits 77 (a skipped test) when the checker is not
# installed, so the build works without it.
tool="$1"
if ! command -v "$tool" >/dev/null 2>&1; then
  echo "$tool is not installed (scripts/install-deps.sh installs it); skipped"
  exit 77
fi
exec "$@"
