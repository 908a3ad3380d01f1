# The version resource and the application manifest of telvorin.exe, compiled by windres from
# cmake/windows/telvorin.rc.in with the project's version and the copyright line of LICENSE.
enable_language(RC)
file(STRINGS "${PROJECT_SOURCE_DIR}/LICENSE" copyright REGEX "^Copyright " LIMIT_COUNT 1)
if(NOT copyright MATCHES "^Copyright \\(c\\) [0-9]+ (.+)$")
  message(FATAL_ERROR "No copyright line in LICENSE")
endif()
set(company "${CMAKE_MATCH_1}")
set(manifest "${PROJECT_SOURCE_DIR}/cmake/windows/telvorin.exe.manifest")
if(NOT PROJECT_VERSION_TWEAK)
  set(PROJECT_VERSION_TWEAK 0)
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/telvorin.rc.in ${CMAKE_BINARY_DIR}/telvorin.rc @ONLY)
target_sources(telvorin PRIVATE ${CMAKE_BINARY_DIR}/telvorin.rc)
# windres reads the manifest while it compiles: a change to it must rebuild the resource.
set_source_files_properties(${CMAKE_BINARY_DIR}/telvorin.rc PROPERTIES OBJECT_DEPENDS "${manifest}")
