#!/usr/bin/env bash
# Builds and runs every test: the whole program under clang's AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer (with the loader's fuzzer), then the whole program
# as it is shipped (GCC).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test

# Also in force while building: test discovery runs the test programs.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

echo "== The whole program under sanitizers (clang) =="
cmake -S . -B build/sanitizers -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DOVANE_UI=ON -DOVANE_SANITIZE=ON -DOVANE_FUZZ=ON >/dev/null
cmake --build build/sanitizers -j2
ctest --test-dir build/sanitizers -j2 --output-on-failure

echo "== The whole program =="
# The benchmarks are built too, so that a change cannot leave them behind; run-bench.sh runs them.
cmake -S . -B build/main -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOVANE_BENCH=ON >/dev/null
cmake --build build/main -j2
ctest --test-dir build/main -j2 --output-on-failure
