#!/usr/bin/env bash
# Builds every libFuzzer target with clang under ASan + UBSan into build-fuzz/ and
# runs each in turn for SECONDS (default 600), starting from its sample inputs in tests/*/fuzz/corpus/TARGET.
# Usage: scripts/fuzz.sh [seconds] [target ...]   (no target: all of them)
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang++ >/dev/null || { echo "scripts/fuzz.sh needs clang: apt-get install clang" >&2; exit 1; }
seconds=${1:-600}
shift || true
# Coverage instrumentation for every object of ours, so that libFuzzer is guided through the code.
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DTELVORIN_SANITIZE=ON -DTELVORIN_FUZZ=ON -DTELVORIN_BUILD_BENCH=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(cmake --build build-fuzz --target help | sed -n 's/^\.\.\. \(fuzz_[a-z_]*\).*/\1/p' | sort)
fi
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  source_dir=$(grep -l "telvorin_add_fuzzer($target" tests/*/fuzz/CMakeLists.txt tests/*/*/fuzz/CMakeLists.txt 2>/dev/null | head -n 1 | xargs -r dirname)
  work=build-fuzz/corpus/$target
  mkdir -p "$work"
  samples=()
  [ -n "$source_dir" ] && [ -d "$source_dir/corpus/$target" ] && samples=("$source_dir/corpus/$target")
  echo "== $target for $seconds s"
  "build-fuzz/tests/$target" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/$target-" "$work" "${samples[@]}"
done
