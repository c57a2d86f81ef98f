# Run by `cmake --install` with module_files, python_version and python_folder
# set. The folder follows the prefix given at install time, so that the
# interpreter finds the module without PYTHONPATH: Debian's own folder for
# /usr (the Debian package), the user's site folder for ~/.local, and the
# versioned dist-packages folder, which Debian's Python searches under
# /usr/local, for every other prefix.
if(python_folder STREQUAL "")
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(python_folder lib/python3/dist-packages)
  elseif(CMAKE_INSTALL_PREFIX STREQUAL "$ENV{HOME}/.local")
    set(python_folder lib/python${python_version}/site-packages)
  else()
    set(python_folder lib/python${python_version}/dist-packages)
  endif()
endif()
# file(INSTALL) puts DESTDIR in front and lists the files for `make uninstall`.
file(INSTALL ${module_files} DESTINATION "${CMAKE_INSTALL_PREFIX}/${python_folder}")
# The built module finds liblumagrove in the build folder; installed, it finds
# it two folders up (lib/python3*/dist-packages -> lib), wherever the prefix
# is moved.
list(GET module_files 0 module)
get_filename_component(module "${module}" NAME)
file(RPATH_SET FILE "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${python_folder}/${module}" NEW_RPATH "$ORIGIN/../..")
