#!/bin/sh
# Runs the mingw-built seam test under Wine in a private prefix of the build tree.
# Usage: run_win_seams.sh DIR WINE   (wine64, or the 32-bit loader for a 32-bit build)
set -eu
export WINEPREFIX="$1/wineprefix" WINEDEBUG=-all
cd "$1"
# Wine prints notes about its prefix on stderr while setting it up; the test's own verdict is on stdout.
"$2" test_win_seams.exe 2>/dev/null
