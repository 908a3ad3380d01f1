#!/usr/bin/env bash
# Builds the Debian package from the working tree into dist/ (or $1) and runs
# lintian on it. The package version is the project's (CMakeLists.txt), written
# into the changelog of a staging copy, so that there is one place to change it.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-dist}")
version=$(sed -n 's/^project(Telvorin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "build-deb.sh: no project version in CMakeLists.txt" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
src="$stage/telvorin-$version"
mkdir -p "$src" "$out"
# What git knows of, committed or not, without build trees or node_modules.
git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C "$src"
cat > "$src/debian/changelog" <<CHANGELOG
telvorin ($version) unstable; urgency=medium

  * Package built from the Telvorin sources.

 -- Telvorin developers <telvorin@example.org>  $(date -R -d "@$(git log -1 --format=%ct 2>/dev/null || date +%s)")
CHANGELOG

# ccache, where installed, keeps a rebuild of the same sources cheap, wherever the staging copy is.
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$src CCACHE_NOHASHDIR=true
fi
(cd "$src" && dpkg-buildpackage -us -uc -b -j"$(nproc)" >"$stage/build.log" 2>&1) || {
  tail -40 "$stage/build.log" >&2
  exit 1
}
deb=$(ls "$stage"/telvorin_"$version"_*.deb)
cp "$deb" "$out/"
echo "Built $out/$(basename "$deb")"
lintian --fail-on error --info "$out/$(basename "$deb")"
