#!/usr/bin/env bash
# Builds the number functions' libFuzzer target with clang (ASan + UBSan) into build-fuzz/ and runs it
# for $1 seconds (default 180). Usage: scripts/fuzz-numbers.sh [seconds] [extra libFuzzer options...]
set -euo pipefail
cd "$(dirname "$0")/.."
sekunden=${1:-180}
shift || true
# Coverage instrumentation for every object of ours, so that libFuzzer is guided through the framework.
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DTELVORIN_SANITIZE=ON -DTELVORIN_FUZZ=ON -DTELVORIN_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_zahlen
mkdir -p build-fuzz/korpus-zahlen
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build-fuzz/tests/fuzz_zahlen -max_total_time="$sekunden" -max_len=256 -print_final_stats=1 -artifact_prefix=build-fuzz/ "$@" build-fuzz/korpus-zahlen
