"""`pip install --no-build-isolation .` builds the module lumagrove with the
project's own CMake build (scikit-build drives it) and installs the package:
the module, its type stubs, py.typed and the library it runs on.

The compilers, CMake, pybind11 and the image libraries come from Debian
(scripts/install-deps.sh); numpy too, through a virtual environment made with
`/usr/bin/python3 -m venv --system-site-packages`.
"""
import re
from pathlib import Path

from skbuild import setup

HERE = Path(__file__).resolve().parent
VERSION = re.search(r"project\(Lumagrove VERSION ([0-9.]+)", (HERE / "CMakeLists.txt").read_text()).group(1)

setup(
    name="lumagrove",
    version=VERSION,
    description="8-bit grayscale image operations and image files (PGM, PNG, JPEG, TIFF, ...) on numpy arrays",
    license="GPL-3.0-or-later",
    python_requires=">=3.9",
    install_requires=["numpy"],
    # The package's folder in the tree holds only its py.typed; the build
    # installs the module, its stubs and the library into it (into
    # <cmake_install_dir>/lumagrove).
    packages=["lumagrove"],
    package_dir={"lumagrove": "python/lumagrove"},
    cmake_install_dir="python",
    cmake_args=[
        "-DLUMAGROVE_WHEEL=ON",
        "-DLUMAGROVE_PYTHON=ON",
        "-DLUMAGROVE_DESKTOP=OFF",
        "-DLUMAGROVE_BENCH=OFF",
        "-DLUMAGROVE_FUZZ=OFF",
        "-DLUMAGROVE_TESTS=OFF",
    ],
    cmake_install_target="install-python-package",
)
