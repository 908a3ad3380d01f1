#!/usr/bin/env bash
# Provides a Debian 12 root with a 64-bit Wine that also runs 32-bit programs (WOW64), for the 32-bit Windows tests.
# Usage: scripts/make-wine-root.sh [root]   (default: ${XDG_CACHE_HOME:-~/.cache}/telvorin/wine-root-bookworm)
# Needs root (debootstrap, mount, chroot). The host's own lists cannot give wine32:i386 (its security suite's i386
# index is broken and the installed amd64 packages have no i386 twins), so the root is made from the main archive
# alone. A finished root carries .telvorin-complete; anything else found there is made again from scratch.
set -euo pipefail
root=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/telvorin/wine-root-bookworm}
root=$(realpath -m "$root")
started=$(date +%s)
if [ -f "$root/.telvorin-complete" ]; then
  echo "Wine root in $root (already there, took 0 s)"
  exit 0
fi
[ "$(id -u)" -eq 0 ] || { echo "Making the Wine root needs root" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "debootstrap is missing: scripts/install-deps.sh" >&2; exit 1; }
mirror=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
mirror=${mirror:-http://deb.debian.org/debian}

# Made beside the cache folder and moved into place whole, so an interrupted run leaves no half root behind.
parent=$(dirname "$root")
mkdir -p "$parent"
work=$(mktemp -d "$parent/.wine-root.XXXXXX")
mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[$i]}" 2>/dev/null || umount -l "${mounted[$i]}"; done
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT
debootstrap --variant=minbase bookworm "$work" "$mirror" >"$parent/.wine-root.log" 2>&1 \
  || { echo "debootstrap failed, see $parent/.wine-root.log" >&2; exit 1; }
mount -t proc proc "$work/proc" && mounted+=("$work/proc")
mount --bind /dev "$work/dev" && mounted+=("$work/dev")
mount --bind /dev/pts "$work/dev/pts" && mounted+=("$work/dev/pts")
chroot "$work" sh -c 'dpkg --add-architecture i386 && apt-get update -qq &&
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends wine wine64 wine32:i386 &&
  apt-get clean' >>"$parent/.wine-root.log" 2>&1 \
  || { echo "Installing Wine in the root failed, see $parent/.wine-root.log" >&2; exit 1; }
for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[$i]}"; done
mounted=()
touch "$work/.telvorin-complete"
rm -rf --one-file-system "$root"
mv "$work" "$root"
echo "Wine root in $root (made, took $(($(date +%s) - started)) s)"
