# Run by `cmake --install` with python_module, python_stubs, python_marker,
# python_version, python_folder, python_bundled_library and
# python_bundled_soname set (every name here starts with python_, since the
# install script compares component names that must not be taken for
# variables). The module is installed as the package lumagrove: the
# extension itself is the package's __init__, so `import lumagrove` loads it
# as before, and beside it lie its stubs and the py.typed marker that tells
# type checkers to read them.
#
# The folder follows the prefix given at install time, so that the
# interpreter finds the module without PYTHONPATH: Debian's own folder for
# /usr (the Debian package), the user's site folder for ~/.local, and the
# versioned dist-packages folder, which Debian's Python searches under
# /usr/local, for every other prefix. A wheel's prefix is site-packages itself.
if(python_bundled_library)
  set(python_folder "")
elseif(python_folder STREQUAL "")
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(python_folder lib/python3/dist-packages)
  elseif(CMAKE_INSTALL_PREFIX STREQUAL "$ENV{HOME}/.local")
    set(python_folder lib/python${python_version}/site-packages)
  else()
    set(python_folder lib/python${python_version}/dist-packages)
  endif()
endif()
set(python_package "${CMAKE_INSTALL_PREFIX}/${python_folder}/lumagrove")
string(REPLACE "//" "/" python_package "${python_package}")

# file(INSTALL) puts DESTDIR in front and lists the files for `make uninstall`.
get_filename_component(python_module_name "${python_module}" NAME)
string(REGEX REPLACE "^lumagrove" "__init__" python_init_name "${python_module_name}")
file(INSTALL "${python_module}" DESTINATION "${python_package}" RENAME "${python_init_name}")
file(INSTALL "${python_stubs}" DESTINATION "${python_package}" RENAME __init__.pyi)
file(INSTALL "${python_marker}" DESTINATION "${python_package}")

# The built module finds liblumagrove in the build folder. A wheel carries
# the library beside the module; otherwise the module finds it three folders
# up (lib/python3*/dist-packages/lumagrove -> lib), wherever the prefix is
# moved.
if(python_bundled_library)
  file(INSTALL "${python_bundled_library}" DESTINATION "${python_package}" RENAME "${python_bundled_soname}")
  set(python_rpath "$ORIGIN")
else()
  set(python_rpath "$ORIGIN/../../..")
endif()
file(RPATH_SET FILE "$ENV{DESTDIR}${python_package}/${python_init_name}" NEW_RPATH "${python_rpath}")
