#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Telvorin need.
# Usage: scripts/install-deps.sh [--tool]   (--tool: only what the tool and its provider need)
set -euo pipefail

tool_packages=(
  cmake g++ make pkg-config
  qtbase5-dev
  libgmime-3.0-dev libgsf-1-dev libxml2-dev libcurl4-openssl-dev libxcb1-dev
  shared-mime-info scdoc tao-pegtl-dev
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev python3-uvloop
  python3 python3-aiosmtpd openssl xdg-utils mblaze
  xvfb xdotool x11-apps
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wixl msitools
  python3-pefile osslsigncode
  debhelper lintian debootstrap
  clang libclang-rt-14-dev
)
# Tools whose Recommends carry modules they load at run time: msgconvert
# needs Email::Address, which its package only recommends.
with_recommends=(libemail-outlook-message-perl libemail-address-perl)

packages=("${tool_packages[@]}")
if [ "${1:-}" != "--tool" ]; then
  packages+=("${test_packages[@]}" "${with_recommends[@]}")
fi

# The .msg reader the tests use from npm needs Node.js; a machine that has its
# own (not from Debian) keeps it.
if [ "${1:-}" != "--tool" ] && ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
install_missing() {
  [ ${#missing[@]} -gt 0 ] || return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  local plain=() recommended=() p
  for p in "${missing[@]}"; do
    if [[ " ${with_recommends[*]} " == *" $p "* ]]; then recommended+=("$p"); else plain+=("$p"); fi
  done
  [ ${#plain[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${plain[@]}"
  [ ${#recommended[@]} -eq 0 ] || apt-get install -y -qq "${recommended[@]}"
}
install_missing

# The tests' second .msg reader comes from npm, pinned by tests/package-lock.json; installed once.
tests_dir="$(cd "$(dirname "$0")/../tests" && pwd)"
if [ "${1:-}" != "--tool" ] && [ ! -d "$tests_dir/node_modules/@kenjiuno/msgreader" ]; then
  (cd "$tests_dir" && npm ci --no-audit --no-fund --loglevel=error)
fi
