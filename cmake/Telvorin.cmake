# Shared build settings of Telvorin's targets: warnings and sanitizers per target.

function(telvorin_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  endif()
endfunction()

# Sanitizers are applied to each of our targets, never globally, so that
# nothing outside the project is built differently.
function(telvorin_sanitize target)
  if(TELVORIN_SANITIZE AND NOT MSVC)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# telvorin_library(<name> [STATIC|SHARED|MODULE] SOURCES ...):
# a library target telvorin_<name> with the alias telvorin::<name>.
function(telvorin_library name)
  cmake_parse_arguments(ARG "STATIC;SHARED;MODULE" "" "SOURCES" ${ARGN})
  set(kind STATIC)
  if(ARG_SHARED)
    set(kind SHARED)
  elseif(ARG_MODULE)
    set(kind MODULE)
  endif()
  add_library(telvorin_${name} ${kind} ${ARG_SOURCES})
  add_library(telvorin::${name} ALIAS telvorin_${name})
  # Our headers are included by their path from the repository root, so that
  # an include line shows which layer it reaches.
  target_include_directories(telvorin_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  telvorin_warnings(telvorin_${name})
  telvorin_sanitize(telvorin_${name})
endfunction()

# Executables and test binaries get the same warnings and sanitizers.
function(telvorin_executable_settings target)
  telvorin_warnings(${target})
  telvorin_sanitize(${target})
endfunction()

# How a target links the framework: whole, so that its start-up object, which
# nothing refers to by name, is in every program that links it (see framework/CMakeLists.txt).
set(TELVORIN_FRAMEWORK "$<LINK_LIBRARY:WHOLE_ARCHIVE,telvorin::framework>")
