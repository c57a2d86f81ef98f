# Outside the core, the layers' code must come from liblumagrove alone. A
# program or library that linked a layer's object library itself would carry
# a second copy of it, with an operation table of its own whose rows are not
# the library's, so configuring stops and says what to link instead.
#   lumagrove_check_core_links(lumagrove_base lumagrove_formats ...)
function(lumagrove_check_core_links)
  set(folders ${CMAKE_SOURCE_DIR})
  while(folders)
    list(POP_FRONT folders folder)
    get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    list(APPEND folders ${subfolders})
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      # Object libraries link each other for headers only; their objects go
      # nowhere but into what links them directly.
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "OBJECT_LIBRARY" OR type STREQUAL "UTILITY" OR target STREQUAL "lumagrove_core")
        continue()
      endif()
      set(links)
      foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(linked ${target} ${property})
        if(linked)
          list(APPEND links ${linked})
        endif()
      endforeach()
      foreach(layer IN LISTS ARGN)
        if(layer IN_LIST links)
          message(FATAL_ERROR "${target} links ${layer}; link lumagrove_core instead (it holds every layer once)")
        endif()
      endforeach()
    endforeach()
  endwhile()
endfunction()
