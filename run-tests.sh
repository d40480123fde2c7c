#!/usr/bin/env bash
# Builds and runs every test, with the checks a reviewer makes: the formatting of the tracked
# sources; the whole program under clang's AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer (with the loader's fuzzer); clang-tidy over the product code, while the tests run;
# the parts that run threads under ThreadSanitizer; then the whole program as it is shipped (GCC),
# with the tests that need it.
# Every build treats warnings as errors.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test

# The product code, which clang-tidy checks (the tests and benchmarks are not product code). A new
# library's folder goes here.
tidy_dirs=(game rules ordinateur reseau serveur platform ui tools)
# The parts that run threads, under ThreadSanitizer: their test programs, and the ctest patterns
# of their tests. A new part with threads (the network code) adds its own to both.
tsan_targets=(tests_reflexion tests_serveur)
# The network code runs on one event loop; its hostile-client test drives it from a thread of its
# own. (ThreadSanitizer cannot follow the fork of the test that starts the server program.)
tsan_tests=('^Reflexions\.' '^Serveur\.UnClientHostile')

joined() {
  local IFS='|'
  echo "$*"
}

# Each step says when it starts, so that the run's time stays in sight.
etape() {
  printf '== %s (at %d s) ==\n' "$1" "$SECONDS"
}

# Also in force while building: test discovery runs the test programs.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

etape "Formatting (clang-format)"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

etape "The whole program under sanitizers (clang)"
cmake -S . -B build/sanitizers -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DOVANE_UI=ON -DOVANE_SANITIZE=ON -DOVANE_FUZZ=ON >/dev/null
cmake --build build/sanitizers -j2
# Each case has a readable name: a parameterised one is named by its row, never by its bytes.
if ctest --test-dir build/sanitizers -N | grep -E 'GetParam\(\)|-byte object'; then
  echo "test names above are not readable" >&2
  exit 1
fi

etape "clang-tidy over the product code, in the background"
# From the build's compilation database, at the lowest priority: it fills the cores that the
# tests below leave idle, and gives its verdict at the end. It is stopped if the run stops first.
racine=$(pwd -P | sed 's/[][\.*^$+?(){}|]/\\&/g')
setsid nice -n 19 run-clang-tidy -quiet -j2 -p build/sanitizers \
  "^$racine/($(joined "${tidy_dirs[@]}"))/" >build/clang-tidy.log 2>&1 &
tidy=$!
trap 'kill -- "-$tidy" 2>/dev/null || true' EXIT

etape "The tests under sanitizers"
ctest --test-dir build/sanitizers -j2 --output-on-failure

etape "The parts that run threads under ThreadSanitizer (clang)"
cmake -S . -B build/threads -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DOVANE_TSAN=ON >/dev/null
cmake --build build/threads -j2 --target "${tsan_targets[@]}"
ctest --test-dir build/threads -j2 --output-on-failure --no-tests=error \
  -R "$(joined "${tsan_tests[@]}")"

etape "The whole program"
# The benchmarks are built too, so that a change cannot leave them behind; run-bench.sh runs them.
# Optimised as shipped; the debug information only as deep as the package's debug symbols need
# (functions and lines), which spares a fifth of the build's time. Of the tests, only those that
# need this build (OVANE_TESTS_LIVRAISON): the sanitizer build above ran every one.
cmake -S . -B build/main -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DOVANE_BENCH=ON \
  -DOVANE_TESTS_LIVRAISON=ON >/dev/null
cmake --build build/main -j2
ctest --test-dir build/main -j2 --output-on-failure

etape "clang-tidy's verdict"
if ! wait "$tidy"; then
  grep -E -A3 'error:' build/clang-tidy.log >&2 || cat build/clang-tidy.log >&2
  exit 1
fi
trap - EXIT
etape "Done"
