#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test: once as
# built, once under AddressSanitizer and UndefinedBehaviorSanitizer; then each
# fuzz target for a short while.
# The Windows build and its MSI are made and their tests run under Wine whenever
# Qt for Windows is there (built, or unpacked from ../shared); --windows builds that
# Qt from Debian's source first when it is missing (about 30 minutes).
# Usage: scripts/run-tests.sh [--windows]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-test-tools.sh

qt_windows=${TELVORIN_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/telvorin/qt5-windows}
windows_dist=
qt_status=0
if [ "${1:-}" = --windows ]; then
  scripts/build-qt-windows.sh "$qt_windows"
else
  scripts/build-qt-windows.sh --no-build "$qt_windows" || qt_status=$?
fi
windows_dist_x86=
if [ "$qt_status" -eq 0 ]; then
  TELVORIN_QT_WINDOWS=$qt_windows scripts/build-windows.sh --msi
  windows_dist=$PWD/build-windows/dist
  # The 32-bit build beside it, run under WOW64 in a Debian root made once and kept in the cache. Without its Qt
  # or its root the Wine32/ cases are not made, which fails in CI (Wine32.NotBuilt).
  qt_windows_x86=${TELVORIN_QT_WINDOWS_X86:-${XDG_CACHE_HOME:-$HOME/.cache}/telvorin/qt5-windows-i686}
  if [ "${1:-}" = --windows ]; then
    scripts/build-qt-windows.sh --arch x86 "$qt_windows_x86"
  else
    scripts/build-qt-windows.sh --arch x86 --no-build "$qt_windows_x86" || echo "No Qt for 32-bit Windows: the 32-bit build is not made"
  fi
  if [ -d "$qt_windows_x86/lib/cmake" ] && scripts/make-wine-root.sh; then
    TELVORIN_QT_WINDOWS=$qt_windows_x86 scripts/build-windows.sh --arch x86 --msi
    windows_dist_x86=$PWD/build-windows-x86/dist
  fi
elif [ "$qt_status" -eq 2 ]; then
  echo "Windows build and its tests under Wine skipped: no Qt for Windows in $qt_windows and no archive in ../shared/qt5-windows (scripts/run-tests.sh --windows builds it)"
else
  exit "$qt_status"
fi

scripts/build.sh build -DTELVORIN_WINDOWS_DIST="$windows_dist" -DTELVORIN_WINDOWS_DIST_X86="$windows_dist_x86"
(cd build && ctest --output-on-failure -j"$(nproc)")

# Built as on a machine without the Windows cross compiler: the tests must build there too, and the summary names
# the Windows cases as not built. Under Wine they ran above; a sanitizer sees nothing of telvorin.exe.
scripts/without-cross-compiler.sh scripts/build.sh build-asan -DTELVORIN_SANITIZE=ON -DTELVORIN_BUILD_BENCH=OFF \
  -DTELVORIN_WINDOWS_DIST="$windows_dist"
# Full stacks on allocation, so that suppressions can match frames inside system libraries.
export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
(cd build-asan && ctest --output-on-failure -j"$(nproc)")

# Each libFuzzer target for 30 s, under ASan and UBSan in its own clang tree (scripts/fuzz.sh).
scripts/fuzz.sh all 30

# The Debian package: lintian, then installed with apt into a throw-away Debian
# 12 root, the example job run there, and removed again.
scripts/build-deb.sh dist
tests/debian/test_install.sh dist/telvorin_*.deb
