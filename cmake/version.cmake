# The release version, written once in the VERSION file at the root, as a header
# for the code and both executables' version resources.
file(STRINGS "${CMAKE_SOURCE_DIR}/VERSION" DKZ_VERSION LIMIT_COUNT 1)
if(NOT DKZ_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "VERSION must hold MAJOR.MINOR.PATCH, not '${DKZ_VERSION}'")
endif()
set(DKZ_VERSION_MAJOR ${CMAKE_MATCH_1})
set(DKZ_VERSION_MINOR ${CMAKE_MATCH_2})
set(DKZ_VERSION_PATCH ${CMAKE_MATCH_3})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/VERSION")
configure_file(cmake/dkz_version.h.in "${CMAKE_BINARY_DIR}/generated/dkz_version.h" @ONLY)
include_directories("${CMAKE_BINARY_DIR}/generated")
