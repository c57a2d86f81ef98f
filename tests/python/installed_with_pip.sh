#!/usr/bin/env bash
# A Python user's install, `pip install --no-build-isolation .` into a fresh
# virtual environment that sees Debian's numpy, then the module's tests run
# against that installed copy, never the build folder's. Exits 77 (skipped)
# when the interpreter lacks venv, pip or scikit-build.
#   installed_with_pip.sh SOURCE SCRATCH PYTHON CLI
set -euo pipefail
source_dir="$1" scratch="$2" python="$3"
export LUMAGROVE_CLI="$4" LUMAGROVE_SOURCE_DIR="$1"

for module in ensurepip pip skbuild; do
  if ! "$python" -c "import $module" 2>/dev/null; then
    echo "$python cannot import $module (scripts/install-deps.sh installs it); skipped"
    exit 77
  fi
done

# pip builds inside the folder it installs from, so it gets a copy of the
# tree. The scratch folder keeps its name from run to run, so that ccache
# finds the compilations of the last run.
rm -rf "$scratch"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/source"
tar -C "$source_dir" --exclude-vcs --exclude='./build*' --exclude=./_skbuild --exclude='*.egg-info' -cf - . |
  tar -C "$scratch/source" -xf -

"$python" -m venv --system-site-packages "$scratch/venv"
venv_python="$scratch/venv/bin/python"
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
CMAKE_BUILD_PARALLEL_LEVEL="$(nproc)"
export CMAKE_BUILD_PARALLEL_LEVEL
(cd "$scratch/source" &&
  PIP_NO_CACHE_DIR=1 PIP_DISABLE_PIP_VERSION_CHECK=1 "$venv_python" -m pip install --quiet --no-build-isolation --no-index .)
rm -rf "$scratch/source"

cd "$scratch"
package="$("$venv_python" -c 'import sysconfig; print(sysconfig.get_path("platlib"))')/lumagrove"
ls "$package/__init__.pyi" "$package/py.typed"
loaded="$(env -u PYTHONPATH "$venv_python" -c 'import lumagrove; print(lumagrove.__file__)')"
case "$loaded" in
  "$package"/*) ;;
  *) echo "lumagrove was loaded from $loaded, not from the virtual environment" >&2; exit 1 ;;
esac
env -u PYTHONPATH PYTHONDONTWRITEBYTECODE=1 "$venv_python" -m pytest -q -p no:cacheprovider "$source_dir"/tests/python/test_*.py
