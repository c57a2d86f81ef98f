# The headers a program using the installed library needs: the given entry
# headers and every project header they include, followed to the end. Only
# these are installed, so the package carries no header that asks for
# something it does not ship (FFTW's, say).
#   lumagrove_public_headers(<out-var> operations/OperationTable.h ...)
# Paths are relative to the source root, as the sources include them.
function(lumagrove_public_headers out)
  set(found)
  set(pending ${ARGN})
  while(pending)
    list(POP_FRONT pending header)
    if(header IN_LIST found)
      continue()
    endif()
    if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${header})
      message(FATAL_ERROR "public header ${header} not found")
    endif()
    list(APPEND found ${header})
    # A changed include line changes the set: configure again.
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${header})
    file(STRINGS ${CMAKE_SOURCE_DIR}/${header} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" included "${line}")
      list(APPEND pending ${included})
    endforeach()
  endwhile()
  list(SORT found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()
