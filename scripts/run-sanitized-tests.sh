#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/
# and runs it. Any sanitizer report fails the run, even one from a process whose exit status a test
# does not look at: the reports go to files, and there must be none.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-asan
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLYPHWRIGHT_SANITIZE=address,undefined -DGLYPHWRIGHT_BENCH=OFF -DGLYPHWRIGHT_WERROR=ON
fi
cmake --build "$build" -j2

reports="$(pwd)/$build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="log_path=$reports/asan:detect_leaks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan-suppressions.txt:print_suppressions=0"

status=0
ctest --test-dir "$build" --output-on-failure -j2 || status=$?
if [ -n "$(ls -A "$reports")" ]; then
  echo "Sanitizer reports:"
  for report in "$reports"/*; do
    echo "== $report"
    head -n 60 "$report"
  done
  status=1
fi
exit "$status"
