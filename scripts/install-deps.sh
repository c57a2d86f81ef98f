#!/usr/bin/env bash
# Installs, from Debian's packages and only when missing, everything the
# build, the tests, the desktop and `make deb` need. With --bench, also what the
# benchmarks compare against; with --clang, the compiler and the fuzzing and
# sanitizer runtimes of the clang builds; with --format, the formatter the
# layout check runs; with --screenshots, what README
# screenshots are taken with.
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config
  libfftw3-dev libtbb-dev
  libpng-dev libjpeg-dev libtiff-dev libwebp-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins libxcb1-dev
  xvfb openbox  # the desktop tests under a real window manager
  librsvg2-bin desktop-file-utils appstream man-db
  dpkg-dev file
  python3-dev pybind11-dev python3-numpy python3-pytest python3-dask python3-distributed
  python3-skbuild python3-venv python3-pip  # `pip install .` and its test in a virtual environment
  netpbm  # the netpbm tools the round-trip tests compare with (they skip without them)
)
for option in "$@"; do
  case "$option" in
    # OpenCV's C++ library for bench/compare; its Python module, scikit-image,
    # vips' and ImageMagick's command lines and hyperfine for the user-level
    # comparisons in bench/python and bench/cli.
    --bench) packages+=(libopencv-dev time python3-opencv python3-skimage libvips-tools imagemagick hyperfine) ;;
    --clang) packages+=(clang libclang-rt-dev) ;;
    --format) packages+=(clang-format git) ;;
    --screenshots) packages+=(xvfb xauth imagemagick xdotool openbox) ;;
    *) echo "install-deps.sh: unknown option $option" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
