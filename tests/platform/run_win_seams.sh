#!/bin/sh
# Runs the mingw-built seam test under Wine in a private prefix of the build tree.
set -eu
dir=$1
export WINEPREFIX="$dir/wineprefix"
export WINEDEBUG=-all
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
# Wine prints notes about its prefix on stderr while setting it up; the test's own verdict is on stdout.
cd "$dir"
"$wine" test_win_seams.exe 2>/dev/null
