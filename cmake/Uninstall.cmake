# Removes what the last install put down, as listed in install_manifest.txt
# (full paths under the prefix; DESTDIR, as given to the install, goes in
# front), then those of the project's own folders that this leaves empty.
# Folders others share, such as share/applications, always stay.
#   DESTDIR=... cmake -DMANIFEST=build/install_manifest.txt -DOWN_FOLDERS="include/lumagrove|..." -P Uninstall.cmake
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "${MANIFEST} not found: nothing was installed from this build folder")
endif()

file(STRINGS "${MANIFEST}" installed)
string(REPLACE "|" ";" OWN_FOLDERS "${OWN_FOLDERS}")
list(TRANSFORM installed PREPEND "$ENV{DESTDIR}")
foreach(path IN LISTS installed)
  if(EXISTS "${path}" OR IS_SYMLINK "${path}")
    message(STATUS "Removing ${path}")
    file(REMOVE "${path}")
  endif()
  # Empty folders from the file's own up to the top of the project folder it
  # lies in; rmdir refuses any that still hold something.
  foreach(own IN LISTS OWN_FOLDERS)
    string(FIND "${path}" "/${own}/" at)
    if(at EQUAL -1)
      continue()
    endif()
    string(LENGTH "/${own}" length)
    math(EXPR length "${at} + ${length}")
    string(SUBSTRING "${path}" 0 ${length} top)
    get_filename_component(folder "${path}" DIRECTORY)
    string(FIND "${folder}/" "${top}/" inside)
    while(inside EQUAL 0 AND IS_DIRECTORY "${folder}")
      execute_process(COMMAND rmdir "${folder}" RESULT_VARIABLE kept OUTPUT_QUIET ERROR_QUIET)
      if(kept)
        break()
      endif()
      message(STATUS "Removed ${folder}/")
      get_filename_component(folder "${folder}" DIRECTORY)
      string(FIND "${folder}/" "${top}/" inside)
    endwhile()
  endforeach()
endforeach()
