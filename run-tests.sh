#!/usr/bin/env bash
# Builds and runs every test: the game and rules under AddressSanitizer and
# UndefinedBehaviorSanitizer (with the loader's fuzzer), then the whole program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== Game and rules under sanitizers (clang) =="
cmake -S . -B build/sanitizers -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DOVANE_UI=OFF -DOVANE_SANITIZE=ON -DOVANE_FUZZ=ON >/dev/null
cmake --build build/sanitizers -j2
ctest --test-dir build/sanitizers -j2 --output-on-failure

echo "== The whole program =="
cmake -S . -B build/main -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/main -j2
ctest --test-dir build/main -j2 --output-on-failure
