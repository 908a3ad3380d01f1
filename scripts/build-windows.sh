#!/usr/bin/env bash
# Cross-builds Telvorin for Windows with mingw-w64 and installs the runnable folder dist/ inside the build folder.
# Usage: scripts/build-windows.sh [--arch x64|x86] [--msi] [--sign] [extra CMake arguments]
# --arch x64 (the default) builds into build-windows/, --arch x86 (for 32-bit Office) into build-windows-x86/.
# --msi: also the Windows Installer package <build folder>/telvorin-<version>-<arch>.msi (wixl);
# -DTELVORIN_MSI_VERSION=<a.b.c> gives it another version than the project's.
# --sign: signs telvorin.exe before it is packed, and the MSI, with scripts/sign-windows.sh (certificate from
# TELVORIN_SIGN_PKCS12, see there); without a usable certificate nothing is built.
# Qt for Windows is taken from TELVORIN_QT_WINDOWS, else from
# ${XDG_CACHE_HOME:-~/.cache}/telvorin/qt5-windows (x64) or .../qt5-windows-i686 (x86);
# scripts/build-qt-windows.sh [--arch x86] puts it there.
set -euo pipefail
cd "$(dirname "$0")/.."
msi=false
sign=false
arch=x64
while [ $# -gt 0 ]; do
  case "$1" in
    --msi) msi=true; shift ;;
    --sign) sign=true; shift ;;
    --arch)
      [ $# -ge 2 ] || { echo "--arch needs x64 or x86" >&2; exit 2; }
      arch=$2; shift 2 ;;
    *) break ;;
  esac
done
case "$arch" in
  x64) build=build-windows; toolchain=mingw-w64-x86_64.cmake; qt_default=qt5-windows ;;
  x86) build=build-windows-x86; toolchain=mingw-w64-i686.cmake; qt_default=qt5-windows-i686 ;;
  *) echo "Unknown architecture $arch: x64 or x86" >&2; exit 2 ;;
esac
if $sign; then
  scripts/sign-windows.sh --check
fi
qt=${TELVORIN_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/telvorin/$qt_default}
if [ ! -f "$qt/lib/cmake/Qt5/Qt5Config.cmake" ]; then
  echo "No Qt for Windows ($arch) in $qt: run scripts/build-qt-windows.sh --arch $arch first" >&2
  exit 1
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain" -DCMAKE_PREFIX_PATH="$qt" \
  -DTELVORIN_BUILD_TESTS=OFF -DTELVORIN_BUILD_BENCH=ON "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
if $sign; then
  scripts/sign-windows.sh "$build/bin/telvorin.exe"
fi
rm -rf "$build/dist"
cmake --install "$build" --prefix "$build/dist" >/dev/null
echo "Windows build: $build/dist/telvorin.exe"
if $msi; then
  cmake --build "$build" --target msi
  package=$(ls -t "$build"/telvorin-*-"$arch".msi | head -n 1)
  if $sign; then
    scripts/sign-windows.sh "$package"
  fi
  echo "$package"
fi
