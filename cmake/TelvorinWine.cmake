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
