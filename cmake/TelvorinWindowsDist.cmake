# The runnable Windows folder (cmake --install) and its zip (CPack): the tool, our DLLs, Qt's and the compiler's runtime.
#
# Windows finds a program's DLLs in the program's own folder first, and Qt
# finds its plugins in platforms/ and styles/ beside the program, so the folder
# is flat and needs no qt.conf and no PATH.

install(TARGETS telvorin RUNTIME DESTINATION . LIBRARY DESTINATION . ARCHIVE EXCLUDE_FROM_ALL)

# Qt5Gui is no import of telvorin.exe, but Widgets and the platform plugin need it.
foreach(module Core Gui Widgets)
  install(FILES $<TARGET_FILE:Qt5::${module}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt5::QWindowsIntegrationPlugin> DESTINATION platforms)
# The native look of the send dialogs; a Qt built without it falls back to its own style.
if(TARGET Qt5::QWindowsVistaStylePlugin)
  install(FILES $<TARGET_FILE:Qt5::QWindowsVistaStylePlugin> DESTINATION styles)
endif()

# The runtime of the compiler that built us: the cross compiler knows where it
# keeps its DLLs; a MinGW on Windows keeps them beside itself.
if(MINGW)
  get_filename_component(compiler_dir "${CMAKE_CXX_COMPILER}" DIRECTORY)
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
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
    # Some distributions ship these with their debug information, half the folder's size.
    if(CMAKE_STRIP)
      install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug \"\${CMAKE_INSTALL_PREFIX}/${dll}\")")
    endif()
  endforeach()
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME telvorin)
set(CPACK_PACKAGE_VENDOR Telvorin)
set(CPACK_PACKAGE_FILE_NAME telvorin-${PROJECT_VERSION}-win64)
include(CPack)
