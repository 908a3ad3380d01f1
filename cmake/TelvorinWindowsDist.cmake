# The runnable Windows folder (cmake --install), its zip (CPack) and its MSI (target msi): the tool, Qt's DLLs, the
# compiler's runtime, and in licenses/ the terms under which each of them is passed on.
#
# Windows finds a program's DLLs in the program's own folder first, and Qt
# finds its plugins in platforms/ and styles/ beside the program, so the folder
# is flat and needs no qt.conf and no PATH.

install(TARGETS telvorin RUNTIME DESTINATION . LIBRARY DESTINATION . ARCHIVE EXCLUDE_FROM_ALL)

# Each shipped file's line of licenses/SOURCES.txt: the file, the Debian source package and version it is built from,
# the licence texts in licenses/ that cover it.
set(source_lines "telvorin.exe telvorin ${PROJECT_VERSION} LICENSE.txt\n")

# Qt's DLLs come from the Qt for Windows prefix, which records the Debian source it was built from
# (scripts/build-qt-windows.sh); a Qt from elsewhere is named by its version alone.
get_filename_component(qt_prefix "${Qt5_DIR}/../../.." ABSOLUTE)
set(qt_source "qtbase ${Qt5Core_VERSION}")
if(EXISTS "${qt_prefix}/debian-source.txt")
  file(STRINGS "${qt_prefix}/debian-source.txt" qt_source LIMIT_COUNT 1)
endif()
set(qt_terms "LGPL-3.0.txt GPL-3.0.txt")

# Qt5Gui is no import of telvorin.exe, but Widgets and the platform plugin need it.
set(qt_files)
foreach(module Core Gui Widgets)
  list(APPEND qt_files "Qt5::${module}" .)
endforeach()
list(APPEND qt_files Qt5::QWindowsIntegrationPlugin platforms)
# The native look of the send dialogs; a Qt built without it falls back to its own style.
if(TARGET Qt5::QWindowsVistaStylePlugin)
  list(APPEND qt_files Qt5::QWindowsVistaStylePlugin styles)
endif()
while(qt_files)
  list(POP_FRONT qt_files target dir)
  install(FILES $<TARGET_FILE:${target}> DESTINATION ${dir})
  set(path $<TARGET_FILE_NAME:${target}>)
  if(NOT dir STREQUAL .)
    set(path ${dir}/${path})
  endif()
  string(APPEND source_lines "${path} ${qt_source} ${qt_terms}\n")
endwhile()

# The runtime of the compiler that built us: the cross compiler knows where it
# keeps its DLLs; a MinGW on Windows keeps them beside itself.
if(MINGW)
  get_filename_component(compiler_dir "${CMAKE_CXX_COMPILER}" DIRECTORY)
  # 32-bit gcc unwinds with DWARF tables, 64-bit with Windows' own; each names its libgcc after that.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(libgcc libgcc_s_dw2-1.dll)
  else()
    set(libgcc libgcc_s_seh-1.dll)
  endif()
  foreach(dll libstdc++-6.dll ${libgcc} libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
      set(found "${compiler_dir}/${dll}")
    endif()
    if(NOT EXISTS "${found}")
      message(FATAL_ERROR "The compiler's runtime ${dll} is neither known to ${CMAKE_CXX_COMPILER} nor beside it")
    endif()
    file(REAL_PATH "${found}" found)
    install(FILES "${found}" DESTINATION .)
    # The Debian source package that built the file, where Debian installed it.
    set(source "unknown")
    execute_process(COMMAND dpkg-query -S "${found}" OUTPUT_VARIABLE owner ERROR_QUIET RESULT_VARIABLE failed)
    if(NOT failed AND owner MATCHES "^([^:,]+)")
      execute_process(COMMAND dpkg-query -W "--showformat=\${source:Package} \${source:Version}" ${CMAKE_MATCH_1}
                      OUTPUT_VARIABLE source ERROR_QUIET)
    endif()
    if(dll STREQUAL libwinpthread-1.dll)
      set(terms winpthreads.txt)
    else()
      set(terms "GPL-3.0.txt GCC-RUNTIME-LIBRARY-EXCEPTION-3.1.txt")
    endif()
    string(APPEND source_lines "${dll} ${source} ${terms}\n")
    # Some distributions ship these with their debug information, half the folder's size.
    if(CMAKE_STRIP)
      install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug \"\${CMAKE_INSTALL_PREFIX}/${dll}\")")
    endif()
  endforeach()
endif()

# The configure line of scripts/build-qt-windows.sh, as it is run there, for whoever rebuilds Qt from the source.
file(READ "${PROJECT_SOURCE_DIR}/scripts/build-qt-windows.sh" script)
if(NOT script MATCHES "\"\\$source_dir/configure\"([^\n]*\\\\\n)*[^\n]*")
  message(FATAL_ERROR "No configure line in scripts/build-qt-windows.sh")
endif()
string(REGEX REPLACE "\n *" "\n    " configure "  ${CMAKE_MATCH_0}")

file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/licenses/SOURCES.txt CONTENT
"Telvorin ${PROJECT_VERSION} for Windows: where each program file comes from, and its terms.

Each line: the file, the Debian source package and version it was built from,
the licence texts in this folder that cover it.

${source_lines}
The source of a Debian source package, exactly as built, from a Debian 12 system:
  apt-get source <package>=<version>
or from https://snapshot.debian.org/package/<package>/<version>/ .
Qt was configured for Windows with (scripts/build-qt-windows.sh of Telvorin):
${configure}
")
install(FILES ${CMAKE_BINARY_DIR}/licenses/SOURCES.txt DESTINATION licenses)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION licenses RENAME LICENSE.txt)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/cmake/licenses/ DESTINATION licenses)

# The MSI installs the same tree as cmake --install, so it is made from an install of its own.
set(TELVORIN_MSI_VERSION ${PROJECT_VERSION} CACHE STRING
  "The version the MSI carries (another than the project's only to try upgrades)")
set(msi_root ${CMAKE_BINARY_DIR}/msi-root)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(msi_arch x86)
  set(zip_suffix win32)
else()
  set(msi_arch x64)
  set(zip_suffix win64)
endif()
add_custom_target(msi
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${msi_root}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${msi_root}
  COMMAND ${CMAKE_COMMAND} -DROOT=${msi_root} -DVERSION=${TELVORIN_MSI_VERSION} -DARCH=${msi_arch}
          -DOUTPUT=${CMAKE_BINARY_DIR}/telvorin-${TELVORIN_MSI_VERSION}-${msi_arch}.msi
          -P ${PROJECT_SOURCE_DIR}/cmake/TelvorinMsi.cmake
  DEPENDS telvorin
  COMMENT "telvorin-${TELVORIN_MSI_VERSION}-${msi_arch}.msi"
  VERBATIM)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME telvorin)
set(CPACK_PACKAGE_VENDOR Telvorin)
set(CPACK_PACKAGE_FILE_NAME telvorin-${PROJECT_VERSION}-${zip_suffix})
include(CPack)
