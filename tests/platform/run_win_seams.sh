#!/bin/sh
# Runs the mingw-built seam test under Wine in a private prefix of the build tree.
# Usage: run_win_seams.sh DIR WINE   (wine64, or the 32-bit loader for a 32-bit build)
set -u
export WINEPREFIX="$1/wineprefix" WINEDEBUG=-all
cd "$1" || exit 1
# Loaded, Wine may end before the program ran: the program always prints its verdict on stdout, so a run without
# one is retried, as the test runner does. Wine's notes (a new prefix, say) go to stderr, shown only on failure.
for attempt in 1 2 3; do
  "$2" test_win_seams.exe >verdict.txt 2>wine-errors.txt
  status=$?
  [ -s verdict.txt ] && break
done
cat verdict.txt
[ "$status" -eq 0 ] || { echo "test_win_seams.exe ended with $status after $attempt tries" >&2; cat wine-errors.txt >&2; }
exit "$status"
