# Cross-compiling for 32-bit Windows with Debian's mingw-w64 (posix-thread compilers).
# Qt comes from CMAKE_PREFIX_PATH (scripts/build-windows.sh passes it); its host
# tools (moc, rcc, uic) are Linux programs in that prefix, so only libraries and
# headers are searched in the target root, programs on the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TELVORIN_MINGW_TRIPLE i686-w64-mingw32)

# The posix-thread compilers: std::thread and std::mutex need them, and their
# runtime DLLs are the ones that the install step ships.
set(CMAKE_C_COMPILER ${TELVORIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TELVORIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TELVORIN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TELVORIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

