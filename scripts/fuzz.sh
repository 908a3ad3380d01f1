#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang under ASan and UBSan into build-fuzz/ (only what they link) and
# runs one of them, or each in turn with "all", for SECONDS, starting from its seeds in fuzz/corpus/TARGET.
# New inputs collect in build-fuzz/corpus/TARGET; an input that breaks a target is kept as
# build-fuzz/TARGET-crash-* (or -leak-, -timeout-) and ends the run with an error.
# Usage: scripts/fuzz.sh TARGET|all [SECONDS]   (default 600)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
  echo "Usage: scripts/fuzz.sh TARGET|all [SECONDS]; targets: $(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//' | xargs)" >&2
  exit 2
fi
command -v clang++ >/dev/null || { echo "scripts/fuzz.sh needs clang: scripts/install-deps.sh" >&2; exit 1; }
seconds=${2:-600}
if [ "$1" = all ]; then
  mapfile -t targets < <(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
else
  [ -f "fuzz/$1.cpp" ] || { echo "No fuzz target $1 in fuzz/" >&2; exit 2; }
  targets=("$1")
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# Coverage instrumentation in every object of ours, so that libFuzzer is guided through our code; the sanitizers
# come with TELVORIN_SANITIZE, per target as in the test build.
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DTELVORIN_SANITIZE=ON -DTELVORIN_FUZZ=ON -DTELVORIN_BUILD_TESTS=OFF -DTELVORIN_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
# No display: nothing here shows a window, and Qt must not look for one.
unset DISPLAY WAYLAND_DISPLAY
for target in "${targets[@]}"; do
  work=build-fuzz/corpus/$target
  mkdir -p "$work"
  echo "== $target for $seconds s"
  # An input that takes 20 s is a hang a caller would suffer too.
  build-fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=20 -max_len=16384 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/$target-" "$work" "fuzz/corpus/$target"
done
