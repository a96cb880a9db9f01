#!/usr/bin/env bash
# Builds Glyphwright as a packager does, Release with every option at its default (so warnings are
# not errors), in build-release/, and fails if the compiler warns about anything. Everything is
# compiled again each time, so no warning hides in an object file built earlier.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-release
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
log="$build/build-output.txt"
status=0
cmake --build "$build" -j2 --clean-first >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  tail -n 80 "$log"
  echo "The Release build failed."
  exit "$status"
fi
if grep -q "warning:" "$log"; then
  grep -A 12 "warning:" "$log" | head -n 120
  echo "The Release build warns: $(grep -c "warning:" "$log") warning(s), see $log."
  exit 1
fi
echo "The Release build is free of warnings."
