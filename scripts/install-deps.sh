#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Telvorin need.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qtbase5-dev
  libgmime-3.0-dev libgsf-1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libemail-outlook-message-perl python3
  g++-mingw-w64-x86-64-posix wine64
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
