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

# Every installed copy of the tool, and the example program, must give the
# bytes the build's own tool gives.
"$build/cli/lumagrove-cli" gaussian "$sample" "$scratch/expected.pgm"
same_result() {
  "$@" "$scratch/result.pgm"
  cmp "$scratch/expected.pgm" "$scratch/result.pgm"
}

# The installed Python module, where it was installed, must give those bytes too.
python="$(sed -n 's/^Python3_EXECUTABLE:FILEPATH=//p' "$build/CMakeCache.txt")"
same_python_result() {
  local folder="$1"
  compgen -G "$build/python/lumagrove*.so" >/dev/null || return 0  # built without the module
  ls "$folder"/lumagrove/__init__.pyi "$folder"/lumagrove/py.typed >/dev/null
  same_result env PYTHONPATH="$folder" "$python" -c \
    'import sys, lumagrove; lumagrove.write(sys.argv[2], lumagrove.gaussian(lumagrove.read(sys.argv[1])))' \
    "$sample"
}

step "install under DESTDIR, then uninstall from the install manifest"
DESTDIR="$scratch/stage" cmake --install "$build" --prefix /usr/local >/dev/null
DESTDIR="$scratch/stage" cmake --build "$build" --target uninstall >/dev/null
left="$(find "$scratch/stage" -type f)"
if [ -n "$left" ]; then
  echo "uninstall left files behind:" >&2
  echo "$left" >&2
  exit 1
fi

step "install into a scratch prefix, then move it: nothing may depend on where it was"
cmake --install "$build" --prefix "$scratch/first" >/dev/null
prefix="$scratch/moved"
mv "$scratch/first" "$prefix"
"$prefix/bin/lumagrove-cli" --version
same_result "$prefix/bin/lumagrove-cli" gaussian "$sample"
same_python_result "$(echo "$prefix"/lib/python3.*/dist-packages)"
if [ -x "$prefix/bin/lumagrove" ]; then
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/lumagrove" --version
  appstreamcli validate-tree --no-net "$prefix"
fi

step "the manual pages read, and the shell completes from the installed file"
for page in "$prefix"/share/man/man1/*.1; do
  man -l "$page" >"$scratch/page.txt"
  grep -A1 '^NAME' "$scratch/page.txt"
done
completion="$prefix/share/bash-completion/completions/lumagrove-cli"
offered="$(bash --norc -c 'source "$1"; COMP_WORDS=(lumagrove-cli gaus); COMP_CWORD=1; _lumagrove_cli; echo "${COMPREPLY[*]}"' _ "$completion")"
[ "$offered" = gaussian ] || { echo "completion offered '$offered' for 'gaus'" >&2; exit 1; }

step "the installed headers stand alone and need no other project's headers"
headers="$prefix/include/lumagrove"
if grep -rn '#include <[^>]*\.h>' "$headers"; then
  echo "installed headers include headers that are not installed with them" >&2
  exit 1
fi
(cd "$headers" && find . -name '*.h') | while read -r header; do
  echo "#include \"${header#./}\"" | c++ -std=c++20 -fsyntax-only -I"$headers" -x c++ -
done

step "build examples/cpp-consumer against the package, and run it"
cmake -S examples/cpp-consumer -B "$scratch/consumer" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$scratch/consumer" >/dev/null
same_result "$scratch/consumer/smooth" "$sample"
# A picture in and a picture out, as the tool reads and writes them.
"$build/cli/lumagrove-cli" gaussian "$PWD/samples/colour.png" "$scratch/expected.png"
"$scratch/consumer/smooth" "$PWD/samples/colour.png" "$scratch/result.png"
cmp "$scratch/expected.png" "$scratch/result.png"

step "build it again through pkg-config's name for the library"
export PKG_CONFIG_PATH="$(dirname "$(find "$prefix" -name lumagrove.pc)")"
# shellcheck disable=SC2046  # the flags are words
c++ -std=c++20 examples/cpp-consumer/smooth.cpp -o "$scratch/smooth-pc" $(pkg-config --cflags --libs lumagrove) \
  -Wl,-rpath,"$(pkg-config --variable=libdir lumagrove)"
"$scratch/smooth-pc" "$PWD/samples/colour.png" "$scratch/result.png"
cmp "$scratch/expected.png" "$scratch/result.png"

step "build the Debian packages, unpack them and run the tool from there"
(cd "$build" && cpack -G DEB -B "$scratch/debs" >"$scratch/cpack.log" 2>&1) || {
  cat "$scratch/cpack.log" >&2
  exit 1
}
debs=("$scratch"/debs/*.deb)
for deb in "${debs[@]}"; do
  dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Depends):'
  dpkg-deb -x "$deb" "$scratch/unpacked"
  dpkg-deb --contents "$deb" | awk '!/\/$/ { sub(/^\./, "", $6); print $6 }' >>"$scratch/packaged.txt"
done
"$scratch/unpacked/usr/bin/lumagrove-cli" --version
same_result "$scratch/unpacked/usr/bin/lumagrove-cli" gaussian "$sample"
same_python_result "$scratch/unpacked/usr/lib/python3/dist-packages"

step "the packages hold what \`make install\` puts under /usr, each file in one of them"
DESTDIR="$scratch/usr-stage" cmake --install "$build" --prefix /usr >/dev/null
(cd "$scratch/usr-stage" && find . ! -type d | sed 's/^\.//') | grep -v '^/usr/share/doc/' | sort >"$scratch/installed.txt"
grep -v '^/usr/share/doc/' "$scratch/packaged.txt" | sort >"$scratch/packaged-sorted.txt"
if ! diff -u "$scratch/installed.txt" "$scratch/packaged-sorted.txt"; then
  echo "the packages and \`make install\` differ (+ only in a package, - in none)" >&2
  exit 1
fi
for deb in "${debs[@]}"; do
  package="$(dpkg-deb --field "$deb" Package)"
  grep -qx "/usr/share/doc/$package/copyright" "$scratch/packaged.txt" || {
    echo "$package has no copyright file" >&2
    exit 1
  }
done

step "their dependencies resolve from the Debian archive on a machine with nothing installed"
: >"$scratch/empty-status"
apt-get install --simulate -o Debug::NoLocking=1 -o APT::Install-Recommends=false \
  -o Dir::State::status="$scratch/empty-status" "${debs[@]}" >"$scratch/apt.log" 2>&1 || {
  cat "$scratch/apt.log" >&2
  exit 1
}
grep -c '^Inst ' "$scratch/apt.log" | sed 's/$/ packages would be installed/'

echo "Install checks passed."
