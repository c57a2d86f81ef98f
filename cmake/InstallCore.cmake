# What `cmake --install` gives C++ programmers: liblumagrove, the headers its
# interface needs, and a relocatable, versioned CMake package,
# find_package(Lumagrove 0.1) -> Lumagrove::core.
include(CMakePackageConfigHelpers)
include(${CMAKE_CURRENT_LIST_DIR}/PublicHeaders.cmake)

set(LUMAGROVE_CMAKE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Lumagrove)
set(LUMAGROVE_HEADER_INSTALL_DIR ${CMAKE_INSTALL_INCLUDEDIR}/lumagrove)

set_target_properties(lumagrove_core PROPERTIES EXPORT_NAME core)
target_include_directories(lumagrove_core INTERFACE $<INSTALL_INTERFACE:${LUMAGROVE_HEADER_INSTALL_DIR}>)
target_compile_features(lumagrove_core INTERFACE cxx_std_20)
# The library itself is what programs load (component library); the
# unversioned link name, headers and packages are for building against it
# (component development), as Debian splits a library.
install(TARGETS lumagrove_core EXPORT LumagroveTargets LIBRARY COMPONENT library NAMELINK_COMPONENT development)

# The operation table (with its options and code), files read and written
# as both programs do it (the pictures' formats included), an operation run
# as both programs run it, the plain readers and writers, and the version,
# with all they include.
lumagrove_public_headers(headers
  operations/OperationTable.h session/ImageFiles.h pictures/Pictures.h session/RunEntry.h formats/Readers.h
  base/Version.h)
foreach(header IN LISTS headers)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${header} DESTINATION ${LUMAGROVE_HEADER_INSTALL_DIR}/${folder} COMPONENT development)
endforeach()

install(EXPORT LumagroveTargets NAMESPACE Lumagrove:: DESTINATION ${LUMAGROVE_CMAKE_INSTALL_DIR} COMPONENT development)

# The same library for builds that ask pkg-config: lumagrove.
set(LUMAGROVE_PKGCONFIG_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH LUMAGROVE_PC_TO_PREFIX /prefix/${LUMAGROVE_PKGCONFIG_INSTALL_DIR} /prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/lumagrove.pc.in ${CMAKE_BINARY_DIR}/lumagrove.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/lumagrove.pc DESTINATION ${LUMAGROVE_PKGCONFIG_INSTALL_DIR} COMPONENT development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/LumagroveConfig.cmake.in
  ${CMAKE_BINARY_DIR}/LumagroveConfig.cmake
  INSTALL_DESTINATION ${LUMAGROVE_CMAKE_INSTALL_DIR})
# Before 1.0 every minor release may change the library's interface.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/LumagroveConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/LumagroveConfig.cmake ${CMAKE_BINARY_DIR}/LumagroveConfigVersion.cmake
  DESTINATION ${LUMAGROVE_CMAKE_INSTALL_DIR} COMPONENT development)
