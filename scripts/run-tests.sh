#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test: once as
# built, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-test-tools.sh

scripts/build.sh build
(cd build && ctest --output-on-failure -j"$(nproc)")

scripts/build.sh build-asan -DTELVORIN_SANITIZE=ON -DTELVORIN_BUILD_BENCH=OFF
# Full stacks on allocation, so that suppressions can match frames inside system libraries.
export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
(cd build-asan && ctest --output-on-failure -j"$(nproc)")
