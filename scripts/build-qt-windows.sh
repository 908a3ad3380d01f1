#!/usr/bin/env bash
# Provides Qt 5 for Windows (mingw-w64) in a prefix: unpacked from a prebuilt archive, else built from Debian's source.
# Usage: scripts/build-qt-windows.sh [--arch x64|x86] [--no-build] [prefix]
#   (default prefix: ${XDG_CACHE_HOME:-~/.cache}/telvorin/qt5-windows for x64, .../qt5-windows-i686 for x86)
# --no-build: only unpack; exit status 2 when there is neither a prefix nor an archive.
# The archive is looked for in ../shared/qt5-windows/ (x86: qt5-windows-i686/) beside the checkout, else in
# the same folder of $TELVORIN_SHARED. Without one, qtbase is built from Debian's source
# package (about half an hour on two cores); nothing is fetched from anywhere else.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
no_build=false
arch=x64
while [ $# -gt 0 ]; do
  case "$1" in
    --no-build) no_build=true; shift ;;
    --arch)
      [ $# -ge 2 ] || { echo "--arch needs x64 or x86" >&2; exit 2; }
      arch=$2; shift 2 ;;
    *) break ;;
  esac
done
case "$arch" in
  x64) triple=x86_64-w64-mingw32; folder=qt5-windows ;;
  x86) triple=i686-w64-mingw32; folder=qt5-windows-i686 ;;
  *) echo "Unknown architecture $arch: x64 or x86" >&2; exit 2 ;;
esac
prefix=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/telvorin/$folder}
prefix=$(realpath -m "$prefix")
started=$(date +%s)

took() {
  echo "Qt for Windows in $prefix ($1, took $(($(date +%s) - started)) s)"
}

# The Windows packages name the exact Debian source the Qt DLLs come from
# (licenses/SOURCES.txt); a prefix keeps it in this file.
record=debian-source.txt
# An archive's README.md names the source package and version it was built from.
record_from_readme() {  # README.md prefix-to-write-into
  local version
  version=$(sed -n 's/.*`apt-get source qtbase-opensource-src` (\([^;) ]*\).*/\1/p' "$1" | head -n 1)
  [ -n "$version" ] || { echo "$1 names no version of qtbase-opensource-src" >&2; exit 1; }
  echo "qtbase-opensource-src $version" >"$2/$record"
}

# A finished prefix has Qt's CMake package and the windows platform plugin; a
# half-unpacked or half-installed one has not both, and is done again.
archive=
for shared in "$repo/../shared" "${TELVORIN_SHARED:-}"; do
  [ -n "$shared" ] || continue
  for candidate in "$shared"/$folder/qt5-windows-*.tar.xz; do
    [ -f "$candidate" ] && archive=$candidate && break 2
  done
done

if [ -f "$prefix/lib/cmake/Qt5/Qt5Config.cmake" ] && [ -f "$prefix/plugins/platforms/qwindows.dll" ]; then
  # A prefix unpacked before the record was kept gets it from the archive's README.
  if [ ! -f "$prefix/$record" ] && [ -n "$archive" ]; then
    record_from_readme "$(dirname "$archive")/README.md" "$prefix"
  fi
  took "already there"
  exit 0
fi

if [ -n "$archive" ]; then
  # The archive holds one folder, qt5-windows/; it is unpacked beside the prefix
  # and moved into place whole, so an interrupted run leaves no half prefix.
  parent=$(dirname "$prefix")
  mkdir -p "$parent"
  work=$(mktemp -d "$parent/.qt5-windows-unpack.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  tar -xJf "$archive" -C "$work"
  [ -f "$work/qt5-windows/$record" ] || record_from_readme "$(dirname "$archive")/README.md" "$work/qt5-windows"
  rm -rf "$prefix"
  mv "$work/qt5-windows" "$prefix"
  took "unpacked from $archive"
  exit 0
fi

$no_build && exit 2
echo "No prebuilt archive in $repo/../shared/$folder or \$TELVORIN_SHARED/$folder: building qtbase from Debian's source (about 30 minutes)"
for tool in $triple-g++-posix dpkg-source; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/install-deps.sh, apt-get install dpkg-dev" >&2; exit 1; }
done
work=${TELVORIN_QT_BUILD_DIR:-$(dirname "$prefix")/$folder-build}
mkdir -p "$work"
cd "$work"

if ! ls -d qtbase-everywhere-src-5.15.*/ >/dev/null 2>&1; then
  if ! apt-get source --only-source --download-only qtbase-opensource-src >/dev/null 2>&1; then
    # apt-get source needs a deb-src line; add one for the release's own archive.
    [ "$(id -u)" -eq 0 ] || { echo "apt-get source needs a deb-src line; add one as root" >&2; exit 1; }
    echo "deb-src http://deb.debian.org/debian bookworm main" >/etc/apt/sources.list.d/telvorin-deb-src.list
    echo "deb-src http://deb.debian.org/debian-security bookworm-security main" >>/etc/apt/sources.list.d/telvorin-deb-src.list
    apt-get update -qq
    apt-get source --only-source --download-only qtbase-opensource-src >/dev/null
  fi
  dpkg-source -x qtbase-opensource-src_*.dsc source >/dev/null
  mv source/qtbase-everywhere-src-5.15.* . 2>/dev/null || mv source "qtbase-everywhere-src-5.15.8"
fi
source_dir=$(ls -d "$work"/qtbase-everywhere-src-5.15.*/ | head -n 1)

# Qt's win32-g++ mkspec calls the plain-prefixed tools; the compilers must be the
# posix-thread ones (std::thread, and the runtime DLLs the tool ships).
mkdir -p tools
for t in gcc g++ cpp; do ln -sf "/usr/bin/$triple-$t-posix" "tools/$triple-$t"; done
for t in ar ranlib windres objcopy strip nm ld as dlltool; do ln -sf "/usr/bin/$triple-$t" "tools/$triple-$t"; done
export PATH=$work/tools:$PATH

mkdir -p build
cd build
# Configure once: a second configure makes the install rebuild everything.
if [ ! -f Makefile ]; then
  # Debian's source leaves out the Wintab header, hence no tablet events; no Direct2D either.
  "$source_dir/configure" -xplatform win32-g++ -device-option CROSS_COMPILE=$triple- \
    -prefix "$prefix" -opensource -confirm-license -release -shared -nomake examples -nomake tests \
    -no-opengl -no-dbus -no-icu -no-openssl \
    -no-sql-sqlite -no-sql-odbc -no-sql-psql -no-sql-mysql \
    -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz \
    -no-feature-vulkan -no-feature-tabletevent -no-direct2d
fi
make -j"$(nproc)" sub-src
make install >/dev/null
dsc=$(ls "$work"/qtbase-opensource-src_*.dsc 2>/dev/null | head -n 1)
version=$(basename "${dsc:-unknown}" .dsc)
echo "qtbase-opensource-src ${version#qtbase-opensource-src_}" >"$prefix/$record"
took "built from $(basename "$source_dir")"
