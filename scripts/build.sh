#!/usr/bin/env bash
# Configures and builds Telvorin into build/ (or $1), with extra CMake arguments after it.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
# ccache, where it is installed, makes a second build tree of the same sources cheap.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# Tests and benchmarks unless the arguments say otherwise, also in a tree that scripts/run-example.sh configured
# without them.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTELVORIN_BUILD_TESTS=ON -DTELVORIN_BUILD_BENCH=ON \
  "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
