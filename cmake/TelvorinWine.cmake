# Where the Linux build finds the Windows build and Wine, for the tests and benchmarks that run telvorin.exe.
#
# TELVORIN_WINE is wine64's path when both are there, else empty;
# TELVORIN_WINE_SERVER is the wineserver that belongs to it.
set(TELVORIN_WINDOWS_DIST "${PROJECT_SOURCE_DIR}/build-windows/dist" CACHE PATH
  "The Windows build's dist folder (scripts/build-windows.sh makes it; empty: none)")
find_program(TELVORIN_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT TELVORIN_WINE64)
  find_program(TELVORIN_WINE64 NAMES wine64)
endif()
set(TELVORIN_WINE "")
if(TELVORIN_WINE64 AND TELVORIN_WINDOWS_DIST AND EXISTS "${TELVORIN_WINDOWS_DIST}/telvorin.exe")
  set(TELVORIN_WINE "${TELVORIN_WINE64}")
  get_filename_component(wine_dir "${TELVORIN_WINE64}" DIRECTORY)
  find_program(TELVORIN_WINE_SERVER NAMES wineserver PATHS ${wine_dir} NO_DEFAULT_PATH)
  if(NOT TELVORIN_WINE_SERVER)
    find_program(TELVORIN_WINE_SERVER NAMES wineserver REQUIRED)
  endif()
  message(STATUS "The Windows build is run under Wine: ${TELVORIN_WINDOWS_DIST}")
else()
  message(STATUS "No telvorin.exe in '${TELVORIN_WINDOWS_DIST}' or no wine64: the Windows build is not run")
endif()

# The 32-bit Windows build runs as on 64-bit Windows (WOW64) with the Wine of a Debian root made for it
# (scripts/make-wine-root.sh): this machine's own packages cannot give 32-bit Wine.
#
# TELVORIN_WOW64_WINE is that Wine's wine, run through a script beside its wineserver, when the root is there;
# TELVORIN_WINE32 is the same when the 32-bit build is there too, else empty.
set(TELVORIN_WINDOWS_DIST_X86 "${PROJECT_SOURCE_DIR}/build-windows-x86/dist" CACHE PATH
  "The 32-bit Windows build's dist folder (scripts/build-windows.sh --arch x86 makes it; empty: none)")
if(DEFINED ENV{XDG_CACHE_HOME})
  set(cache_home "$ENV{XDG_CACHE_HOME}")
else()
  set(cache_home "$ENV{HOME}/.cache")
endif()
set(TELVORIN_WINE_ROOT "${cache_home}/telvorin/wine-root-bookworm" CACHE PATH
  "The Debian root whose Wine runs 32-bit programs (scripts/make-wine-root.sh makes it)")
set(TELVORIN_WOW64_WINE "")
set(TELVORIN_WINE32 "")
# Some kernels run no 32-bit x86 program at all (built without IA-32 emulation, or under a hypervisor that
# offers none): no install step helps there. The root's own loader tells, run on its own.
# TELVORIN_NO_32BIT_KERNEL then holds the loader's path and the kernel's answer.
set(TELVORIN_NO_32BIT_KERNEL "")
set(TELVORIN_WINE_ROOT_LOADER "${TELVORIN_WINE_ROOT}/lib/ld-linux.so.2")
if(EXISTS "${TELVORIN_WINE_ROOT}/.telvorin-complete")
  execute_process(COMMAND "${TELVORIN_WINE_ROOT_LOADER}" --version RESULT_VARIABLE loader_status OUTPUT_QUIET ERROR_QUIET)
  if(NOT loader_status EQUAL 0)
    set(TELVORIN_NO_32BIT_KERNEL "${TELVORIN_WINE_ROOT_LOADER}: ${loader_status}")
    message(STATUS "This kernel runs no 32-bit x86 program (${TELVORIN_NO_32BIT_KERNEL}): the 32-bit Windows build is not run")
  endif()
endif()
if(EXISTS "${TELVORIN_WINE_ROOT}/.telvorin-complete" AND NOT TELVORIN_NO_32BIT_KERNEL)
  set(TELVORIN_WOW64_BINDS "'${PROJECT_SOURCE_DIR}' '${CMAKE_BINARY_DIR}'")
  if(TELVORIN_WINDOWS_DIST_X86)
    string(APPEND TELVORIN_WOW64_BINDS " '${TELVORIN_WINDOWS_DIST_X86}'")
  endif()
  foreach(tool wine wineserver)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wow64-wine.sh.in ${CMAKE_BINARY_DIR}/wow64/${tool}
      @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endforeach()
  set(TELVORIN_WOW64_WINE "${CMAKE_BINARY_DIR}/wow64/wine")
  if(TELVORIN_WINDOWS_DIST_X86 AND EXISTS "${TELVORIN_WINDOWS_DIST_X86}/telvorin.exe")
    set(TELVORIN_WINE32 "${TELVORIN_WOW64_WINE}")
    message(STATUS "The 32-bit Windows build is run under WOW64: ${TELVORIN_WINDOWS_DIST_X86}")
  endif()
endif()
if(NOT TELVORIN_WINE32 AND NOT TELVORIN_NO_32BIT_KERNEL)
  message(STATUS "No telvorin.exe in '${TELVORIN_WINDOWS_DIST_X86}' or no Wine root in '${TELVORIN_WINE_ROOT}': the 32-bit Windows build is not run")
endif()
