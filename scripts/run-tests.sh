#!/usr/bin/env bash
# Sets everything up (see setup.sh) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
ctest --test-dir build --output-on-failure -j2
