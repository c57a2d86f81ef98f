# `make deb` (cpack -G DEB): Debian packages split as Debian splits a library
# and the programs on it, one install component each, so that whoever wants
# the command line or Python never installs Qt:
#   liblumagrove0.1    (library)      the shared library, named after its SONAME
#   liblumagrove-dev   (development)  headers, CMake package, pkg-config file
#   lumagrove-cli      (cli)          the command-line tool, its manual page, completion
#   lumagrove          (desktop)      the desktop, its menu entry, icons, metainfo
#   python3-lumagrove  (python)       the Python module, its stubs, the Dask example
# The SONAME stays liblumagrove.so.0.1: before 1.0 every minor release may
# change the interface (the CMake package asks for the same minor version),
# and the SONAME must change with it.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL library development cli)
if(LUMAGROVE_DESKTOP)
  list(APPEND CPACK_COMPONENTS_ALL desktop)
endif()
if(LUMAGROVE_PYTHON)
  list(APPEND CPACK_COMPONENTS_ALL python)
endif()

set(CPACK_PACKAGE_NAME lumagrove)
set(CPACK_PACKAGE_VENDOR "The Lumagrove developers")
set(CPACK_PACKAGE_CONTACT "Lumagrove developers <lumagrove@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${LUMAGROVE_HOMEPAGE}")
set(CPACK_STRIP_FILES ON)
# Dependencies on other projects' libraries are read off the linked
# libraries by dpkg-shlibdeps, which finds liblumagrove in this build folder;
# on liblumagrove itself they are on this very version.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
foreach(component development cli desktop python)
  string(TOUPPER ${component} component)
  set(CPACK_COMPONENT_${component}_DEPENDS library)
endforeach()
# The library gets a shlibs entry, and ldconfig runs after installing it.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)

string(JOIN "\n" about
  "Lumagrove is a workbench for 8-bit grayscale images. It reads PGM and the"
  "rest of the netpbm family, raw intensity files, XYZ coordinate files and"
  "pictures (PNG, JPEG, TIFF, BMP, WebP), and runs negation, binarization,"
  "smoothing, histogram equalization, Fourier filters, Sobel edges, Hough"
  "transforms and a range-image 3-D conversion on them: from a desktop program,"
  "a command-line tool, Python and C++.")
# lumagrove_debian_package(<component> <package> <section> <summary> <line>...):
# the package's name, section and description: the summary, what Lumagrove
# is, and the given lines on what this package is for.
function(lumagrove_debian_package component package section summary)
  string(TOUPPER ${component} upper)
  list(JOIN ARGN "\n" details)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package} PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_PACKAGE_SECTION ${section} PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_DESCRIPTION "${summary}\n${about}\n\n${details}" PARENT_SCOPE)
  # Every package carries the licence notice in its own documentation folder.
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()

lumagrove_debian_package(library liblumagrove0.1 libs
  "8-bit grayscale image operations and image files (shared library)"
  "This package holds the shared library that the desktop, lumagrove-cli and"
  "the Python module run on.")
lumagrove_debian_package(development liblumagrove-dev libdevel
  "8-bit grayscale image operations and image files (development files)"
  "This package holds what a C++20 program needs to build against the"
  "library: the headers, the CMake package (find_package(Lumagrove) gives"
  "Lumagrove::core) and the pkg-config file (pkg-config lumagrove).")
lumagrove_debian_package(cli lumagrove-cli graphics
  "command line for 8-bit grayscale image operations and files"
  "This package holds lumagrove-cli, which runs every operation of the desktop"
  "on files, for scripts and batch work: one file, a folder on all cores, a"
  "chain of operations in memory, standard input and output, with its manual"
  "page and bash completion.")
lumagrove_debian_package(desktop lumagrove graphics
  "interactive workbench for 8-bit grayscale images"
  "This package holds the desktop program (Qt 6): every image and every result"
  "in a window of its own, operations from a right-click menu and a log of"
  "how long each took, with its menu entry, icon, AppStream metainfo and"
  "manual page.")
lumagrove_debian_package(python python3-lumagrove python
  "Python module for 8-bit grayscale image operations and files"
  "This package holds the Python 3 module lumagrove, with type stubs: every"
  "operation on numpy arrays of uint8, and image files read and written as the"
  "programs do. The example in /usr/share/doc/python3-lumagrove/examples runs"
  "a chain of operations over a folder on a Dask cluster (it needs"
  "python3-dask and python3-distributed).")

# Qt loads the plugin that talks to X11 or Wayland at run time, so no linker
# sees it; without it the desktop cannot open a window.
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_DESKTOP_PACKAGE_SUGGESTS "lumagrove-cli, python3-lumagrove")
if(LUMAGROVE_PYTHON)
  # The module's file name says which interpreter loads it, and that
  # interpreter imports numpy whenever it passes an image.
  math(EXPR next_minor "${Python3_VERSION_MINOR} + 1")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
      "python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}), python3 (<< ${Python3_VERSION_MAJOR}.${next_minor}), python3-numpy")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-dask, python3-distributed")
  install(FILES ${CMAKE_SOURCE_DIR}/examples/dask_batch.py
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/python3-lumagrove/examples
          COMPONENT python EXCLUDE_FROM_ALL)
endif()
include(CPack)
