#!/usr/bin/env bash
# Runs a command as on a machine without the mingw-w64 compilers: in a mount namespace of its own, each of them
# covered by /dev/null, which no search for a program takes. The build must then leave the Windows fixtures out
# and say so, instead of failing.
# Usage: scripts/without-cross-compiler.sh <command> [arguments]
set -euo pipefail
if [ "${TELVORIN_IN_HIDING:-}" != yes ]; then
  namespace=(unshare --mount --propagation private)
  [ "$(id -u)" -eq 0 ] || namespace=(unshare --user --map-root-user --mount --propagation private)
  exec env TELVORIN_IN_HIDING=yes "${namespace[@]}" "$0" "$@"
fi
shopt -s nullglob
for compiler in /usr/bin/x86_64-w64-mingw32-* /usr/bin/i686-w64-mingw32-*; do
  mount --bind /dev/null "$compiler"
done
exec "$@"
