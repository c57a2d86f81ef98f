# `make deb` (cpack -G DEB): one Debian package with both programs, the
# library with its headers and CMake package, the manual pages, the shell
# completion and the desktop files. Its
# dependencies are read off the linked libraries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumagrove)
set(CPACK_PACKAGE_VENDOR "The Lumagrove developers")
set(CPACK_PACKAGE_CONTACT "The Lumagrove developers <lumagrove@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive workbench for 8-bit grayscale images")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumagrove opens PGM, raw intensity and XYZ coordinate files and runs\n"
    "negation, binarization, smoothing, histogram equalization, Fourier filters,\n"
    "Sobel edges, Hough transforms and a range-image 3-D conversion on them,\n"
    "each result in a window of its own. lumagrove-cli runs the same operations\n"
    "from the command line.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${LUMAGROVE_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# liblumagrove gets a shlibs entry and ldconfig runs after installing.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# Qt loads the plugin that talks to X11 or Wayland at run time, so no linker
# sees it; without it the desktop cannot open a window.
if(LUMAGROVE_DESKTOP)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
endif()
# The Python module needs numpy only once it is imported; the programs never do.
if(LUMAGROVE_PYTHON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS python3-numpy)
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
