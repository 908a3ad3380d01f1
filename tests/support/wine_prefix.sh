#!/bin/sh
# Sets up the test run's Wine prefix and keeps its server running (start), or ends that server (stop).
# Usage: wine_prefix.sh start|stop PREFIX WINE64
set -eu
action=$1
export WINEPREFIX=$2
wine=$3
export WINEDEBUG=-all
server=$(dirname "$wine")/wineserver
[ -x "$server" ] || server=wineserver
if [ "$action" = stop ]; then
  "$server" -k 2>/dev/null || true
  exit 0
fi
if [ ! -f "$WINEPREFIX/.telvorin-ready" ]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # Wine prints notes about the new prefix on stderr; a failure shows in the check below.
  "$wine" wineboot -i >/dev/null 2>&1
  # Wine sets TEMP from the registry only; this gives each case's Windows program a temporary folder of its own.
  for name in TEMP TMP; do
    "$wine" reg add 'HKCU\Environment' /v "$name" /t REG_EXPAND_SZ /d '%TELVORIN_TEST_TEMP%' /f >/dev/null 2>&1
  done
  "$server" -w
  [ -f "$WINEPREFIX/user.reg" ] && grep -q TELVORIN_TEST_TEMP "$WINEPREFIX/user.reg" \
    || { echo "Could not set up the Wine prefix $WINEPREFIX" >&2; exit 1; }
  touch "$WINEPREFIX/.telvorin-ready"
fi
# One server for all cases saves each its start; it ends at stop, or a minute after the last case. Holding ctest's
# pipes would make ctest wait. One left by a run that never reached stop would fail the start, so it goes first.
"$server" -k 2>/dev/null || true
"$server" -p60 </dev/null >/dev/null 2>&1
echo "Wine prefix ready: $WINEPREFIX"
