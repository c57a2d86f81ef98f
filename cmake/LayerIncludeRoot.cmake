# Every folder of the source tree is a layer that others reach as
# "<folder>/File.h". Instead of making the whole source root visible, each
# layer gets an include root of its own under the build tree holding a single
# link to its folder. A target then sees only the layers it links (and so
# depends on): a core file that includes the shell, the windowing layer or Qt
# does not compile.
function(lumagrove_include_root target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
