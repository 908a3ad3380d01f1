#!/usr/bin/env bash
# Plants each fault of scripts/mutations.tsv in a copy of the working tree, one
# at a time, builds, runs the plain suite, and reports the faults no test caught.
# Too slow for CI (a build and a suite run per fault); run it before saying that
# the tests guard a decision; with a Windows build in build-windows/ the copy gets one too. Exit status 1 when a fault survived or a line of
# the list no longer matches the code.
# Usage: scripts/mutation-check.sh [-l LIST] [-k] [PATTERN]
#   PATTERN: only the lines whose file or note contain it.  -k: keep the copy.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/scripts/mutations.tsv
keep=0
while getopts l:k opt; do
  case $opt in
    l) list=$(realpath "$OPTARG") ;;
    k) keep=1 ;;
    *) grep "^#" "$0" | sed -n 2,8p >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
pattern=${1:-}

work=$(mktemp -d "${TMPDIR:-/tmp}/telvorin-mutation.XXXXXX")
[ "$keep" = 1 ] || trap 'rm -rf "$work"' EXIT
echo "Copy of the working tree: $work"
(cd "$root" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf -) | tar -C "$work" -xf -
[ -d "$root/tests/node_modules" ] && cp -a "$root/tests/node_modules" "$work/tests/"

# Where this tree has a Windows build (scripts/build-windows.sh), the copy gets one too and rebuilds it with each
# fault, so that the faults only the Wine cases see are planted in telvorin.exe as well.
# The same for the 32-bit build, whose Wine32 cases run in the Wine root (scripts/make-wine-root.sh).
windows=0 windows_x86=0
[ -f "$root/build-windows/dist/telvorin.exe" ] && windows=1
[ "$windows" = 1 ] && [ -f "$root/build-windows-x86/dist/telvorin.exe" ] && windows_x86=1
build_windows() {
  [ "$windows" = 0 ] && return
  cmake --build "$work/build-windows" -j"$(nproc)" && cmake --install "$work/build-windows" --prefix "$work/build-windows/dist" || return
  [ "$windows_x86" = 0 ] && return
  cmake --build "$work/build-windows-x86" -j"$(nproc)" \
    && cmake --install "$work/build-windows-x86" --prefix "$work/build-windows-x86/dist"
}
build() { { build_windows && cmake --build "$work/build" -j"$(nproc)"; } >"$work/build.log" 2>&1; }
# The suite stops at its first failure: a caught fault needs one failing test, not all.
suite() { (cd "$work/build" && ctest -j"$(nproc)" --stop-on-failure --timeout 180 >"$work/ctest.log" 2>&1); }

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# Paths below the copy count as relative, so that the next round's copy hits the same cache entries.
export CCACHE_BASEDIR=$work
if [ "$windows" = 1 ]; then
  (cd "$work" && scripts/build-windows.sh >"$work/build.log" 2>&1) || { tail -30 "$work/build.log"; echo "The Windows build of the copy fails." >&2; exit 1; }
fi
if [ "$windows_x86" = 1 ]; then
  (cd "$work" && scripts/build-windows.sh --arch x86 >"$work/build.log" 2>&1) \
    || { tail -30 "$work/build.log"; echo "The 32-bit Windows build of the copy fails." >&2; exit 1; }
fi
cmake -S "$work" -B "$work/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTELVORIN_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
build || { tail -30 "$work/build.log"; echo "The unchanged tree does not build." >&2; exit 1; }
suite || { grep -E 'Failed|\*\*\*' "$work/ctest.log" | head; echo "The unchanged tree fails its tests." >&2; exit 1; }

# Applies one line of the list to the copy: the text must occur exactly once. "\n", "\t" and "\\" in the list
# stand for a line end, a tab and a backslash. Prints the file changed; exit 3 when the text is missing or ambiguous.
apply() {
  python3 - "$work" "$1" <<'EOF'
import re, sys
work, line = sys.argv[1], sys.argv[2]
unescape = lambda f: re.sub(r"\\([nt\\])", lambda m: {"n": "\n", "t": "\t", "\\": "\\"}[m.group(1)], f)
path, find, replace = (unescape(f) for f in line.split("\t")[:3])
text = open(f"{work}/{path}", encoding="utf-8").read()
if text.count(find) != 1:
    sys.exit(3)
open(f"{work}/{path}.unmutated", "w", encoding="utf-8").write(text)
open(f"{work}/{path}", "w", encoding="utf-8").write(text.replace(find, replace))
print(path)
EOF
}

first_failure() { sed -n '/tests FAILED/{n;s/^[[:space:]]*//;p;q}' "$work/ctest.log"; }
# A case that fails under the load of the whole suite but passes alone may be slow rather than wrong: then the fault
# counts as caught only if the suite fails once more.
rerun_first_failure() {
  local number
  number=$(first_failure | cut -d' ' -f1)
  (cd "$work/build" && ctest -I "$number,$number" --timeout 180 >/dev/null 2>&1)
}

total=0 survived=0 stale=0
while IFS= read -r line; do
  case $line in ''|'#'*) continue ;; esac
  [ -z "$pattern" ] || [[ $line == *"$pattern"* ]] || continue
  total=$((total + 1))
  note=$(cut -f4 <<<"$line")
  if ! file=$(apply "$line"); then
    echo "STALE     $(cut -f1 <<<"$line"): text not found exactly once ($note)"
    stale=$((stale + 1)); continue
  fi
  if ! build; then
    echo "STALE     $file: does not build with the fault ($note)"
    stale=$((stale + 1))
  elif suite || { rerun_first_failure && suite; }; then
    echo "SURVIVED  $file: $note"
    survived=$((survived + 1))
  else
    echo "caught    $file: $note  [$(first_failure | sed 's/^[0-9]* - //')]"
  fi
  # The restored file must look newer than what was built from the fault.
  mv "$work/$file.unmutated" "$work/$file" && touch "$work/$file"
done <"$list"
build >/dev/null || true

echo "$total faults: $((total - survived - stale)) caught, $survived survived, $stale stale"
[ "$survived" -eq 0 ] && [ "$stale" -eq 0 ]
