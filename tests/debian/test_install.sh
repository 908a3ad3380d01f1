#!/usr/bin/env bash
# Installs the built package into a throw-away Debian 12 root with apt, runs the example jobs, finds the man pages,
# then purges the package and checks that nothing of it is left.
# Usage: tests/debian/test_install.sh dist/telvorin_*.deb
set -euo pipefail
deb=$(realpath "$1")
mirror=http://deb.debian.org/debian
cache=${XDG_CACHE_HOME:-$HOME/.cache}/telvorin
base=$cache/debian12-root.tar
# In CI (CI=true) a test that cannot run is a failure: the package would go out untried.
skip() {
  if [ "${CI:-}" = true ]; then echo "Install test failed, it could not run: $*" >&2; exit 1; fi
  echo "Install test skipped: $*"; exit 0
}
[ "$(id -u)" -eq 0 ] || skip "it needs root for debootstrap and chroot"
command -v debootstrap >/dev/null || skip "debootstrap is not installed"
root=$(mktemp -d)
trap 'mountpoint -q "$root/proc" && umount "$root/proc"; rm -rf "$root"' EXIT
# The bare root is made once and kept: debootstrap takes minutes.
if [ ! -f "$base" ]; then
  mkdir -p "$cache"
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 ||
    skip "debootstrap could not make a Debian 12 root from $mirror ($(tail -1 "$root.log"))"
  tar -C "$root" -cf "$base.part" . && mv "$base.part" "$base"
  rm -f "$root.log"
else
  tar -C "$root" -xf "$base"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
passed=0 failed=0
check() {  # check <what> <command...>
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else echo "FAILED: $what" >&2; failed=$((failed + 1)); fi
}
cp "$deb" "$root/tmp/"
# apt in the root fetches as root: its own sandbox user cannot reach a root made in a private temp folder.
in_root apt-get -o APT::Sandbox::User=root update -qq >/dev/null || skip "apt-get update in the root failed"
check "apt installs the package with its dependencies" \
  in_root sh -c "DEBIAN_FRONTEND=noninteractive apt-get -o APT::Sandbox::User=root install -y -qq man-db ./tmp/$(basename "$deb") >/tmp/apt.log 2>&1"
check "man finds telvorin(1)" in_root sh -c 'man -w telvorin | grep -q "/usr/share/man/man1/telvorin.1.gz"'
check "man finds telvorin-mapi.ini(5)" in_root sh -c 'man -w 5 telvorin-mapi.ini >/dev/null'
check "the example mail job ends with 0" \
  in_root sh -c 'cd /usr/share/doc/telvorin && telvorin examples/mail.txt >/tmp/job.out 2>&1'
check "the example mail is in the outbox with its attachment" \
  in_root sh -c 'grep -l "^Subject: Angebot Nr. 4711" /root/.local/share/telvorin/outbox/*.eml | xargs grep -q "Angebot.txt"'
check "the example export job saves .msg files" \
  in_root sh -c 'mkdir /tmp/export && TELVORIN_OUTLOOK_SESSION=/usr/share/doc/telvorin/examples/outlook-session telvorin -mail -dest /tmp/export -back /tmp/export.csv >/dev/null 2>&1 && ls /tmp/export/*.msg >/dev/null && grep -q "^file;" /tmp/export.csv'
in_root apt-get purge -y -qq telvorin >/dev/null 2>&1
left=$(in_root find / -xdev \( -path /proc -o -path /tmp -o -path /root \) -prune -o -iname '*telvorin*' -print)
check "purging leaves nothing of the package (left: ${left:-nothing})" test -z "$left"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
