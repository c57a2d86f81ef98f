#!/usr/bin/env bash
# Checks what users get from `make install` and `make deb`, from an existing
# build folder, without touching the machine: everything lands in a scratch
# folder that is removed afterwards.
#   scripts/check-install.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build}")"
sample="$PWD/samples/scene.pgm"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
step() { echo "== $*"; }

# Every installed copy of the tool must give the bytes the build's own gives.
"$build/cli/lumagrove-cli" gaussian "$sample" "$scratch/expected.pgm"
same_result() {
  local cli="$1"
  "$cli" --version
  "$cli" gaussian "$sample" "$scratch/result.pgm"
  cmp "$scratch/expected.pgm" "$scratch/result.pgm"
}

# The installed Python module, where it was installed, must give those bytes too.
python="$(sed -n 's/^Python3_EXECUTABLE:FILEPATH=//p' "$build/CMakeCache.txt")"
same_python_result() {
  local folder="$1"
  compgen -G "$build/python/lumagrove*.so" >/dev/null || return 0  # built without the module
  ls "$folder"/lumagrove.pyi >/dev/null
  PYTHONPATH="$folder" "$python" -c \
    'import sys, lumagrove; lumagrove.write(sys.argv[2], lumagrove.gaussian(lumagrove.read(sys.argv[1])))' \
    "$sample" "$scratch/result.pgm"
  cmp "$scratch/expected.pgm" "$scratch/result.pgm"
}

step "install into a scratch prefix, staged under DESTDIR"
prefix="$scratch/prefix"
DESTDIR="$scratch/stage" cmake --install "$build" --prefix "$prefix" >/dev/null
same_result "$scratch/stage$prefix/bin/lumagrove-cli"
same_python_result "$(echo "$scratch/stage$prefix"/lib/python3.*/dist-packages)"
if [ -x "$scratch/stage$prefix/bin/lumagrove" ]; then
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$scratch/stage$prefix/bin/lumagrove" --version
  appstreamcli validate-tree --no-net "$scratch/stage$prefix"
fi

step "uninstall from the install manifest"
DESTDIR="$scratch/stage" cmake --build "$build" --target uninstall >/dev/null
left="$(find "$scratch/stage" -type f)"
if [ -n "$left" ]; then
  echo "uninstall left files behind:" >&2
  echo "$left" >&2
  exit 1
fi

step "build the Debian package, unpack it and run the tool from there"
(cd "$build" && cpack -G DEB >"$scratch/cpack.log" 2>&1) || {
  cat "$scratch/cpack.log" >&2
  exit 1
}
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
deb="$build/lumagrove_${version}_$(dpkg --print-architecture).deb"
dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Depends):'
dpkg-deb -x "$deb" "$scratch/unpacked"
same_result "$scratch/unpacked/usr/bin/lumagrove-cli"
same_python_result "$scratch/unpacked/usr/lib/python3/dist-packages"

step "its dependencies resolve from the Debian archive on a machine with nothing installed"
: >"$scratch/empty-status"
apt-get install --simulate -o Debug::NoLocking=1 -o APT::Install-Recommends=false \
  -o Dir::State::status="$scratch/empty-status" "$deb" >"$scratch/apt.log" 2>&1 || {
  cat "$scratch/apt.log" >&2
  exit 1
}
grep -c '^Inst ' "$scratch/apt.log" | sed 's/$/ packages would be installed/'

echo "Install checks passed."
