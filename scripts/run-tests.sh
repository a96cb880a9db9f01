#!/usr/bin/env bash
# Sets everything up (see setup.sh) and runs every test. With CI=true, or GLYPHWRIGHT_FULL_CHECKS=1,
# it then builds the Release configuration with default options and fails on any compiler warning
# (run-release-build.sh), runs the whole suite again built with ASan and UBSan
# (run-sanitized-tests.sh), and each fuzz target over its seeds and for GLYPHWRIGHT_FUZZ_SECONDS (60)
# more seconds (run-fuzzers.sh).
# GLYPHWRIGHT_FULL_CHECKS=0 leaves them out even on CI.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
ctest --test-dir build --output-on-failure -j2

full_checks="${GLYPHWRIGHT_FULL_CHECKS:-}"
if [ -z "$full_checks" ] && [ "${CI:-}" = "true" ]; then
  full_checks=1
fi
[ "$full_checks" = "1" ] || exit 0

step() {
  local start=$SECONDS
  "$@"
  echo "== $1 took $((SECONDS - start)) s"
}
step scripts/run-release-build.sh
step scripts/run-sanitized-tests.sh
step scripts/run-fuzzers.sh "${GLYPHWRIGHT_FUZZ_SECONDS:-60}"
