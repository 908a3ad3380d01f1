#!/usr/bin/env bash
# Cross-builds Telvorin for 64-bit Windows with mingw-w64 into build-windows/ and installs the runnable folder build-windows/dist/.
# Usage: scripts/build-windows.sh [--msi] [extra CMake arguments]
# --msi: also the Windows Installer package build-windows/telvorin-<version>-x64.msi (wixl);
# -DTELVORIN_MSI_VERSION=<a.b.c> gives it another version than the project's.
# Qt for Windows is taken from TELVORIN_QT_WINDOWS, else from
# ${XDG_CACHE_HOME:-~/.cache}/telvorin/qt5-windows (scripts/build-qt-windows.sh puts it there).
set -euo pipefail
cd "$(dirname "$0")/.."
msi=false
if [ "${1:-}" = --msi ]; then
  msi=true
  shift
fi
qt=${TELVORIN_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/telvorin/qt5-windows}
if [ ! -f "$qt/lib/cmake/Qt5/Qt5Config.cmake" ]; then
  echo "No Qt for Windows in $qt: run scripts/build-qt-windows.sh first" >&2
  exit 1
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-windows -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$qt" \
  -DTELVORIN_BUILD_TESTS=OFF -DTELVORIN_BUILD_BENCH=ON "${launcher[@]}" "$@" >/dev/null
cmake --build build-windows -j"$(nproc)"
rm -rf build-windows/dist
cmake --install build-windows --prefix build-windows/dist >/dev/null
echo "Windows build: build-windows/dist/telvorin.exe"
if $msi; then
  cmake --build build-windows --target msi
  ls build-windows/telvorin-*-x64.msi
fi
