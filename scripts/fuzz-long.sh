#!/usr/bin/env bash
# A long fuzz run of one target, at the lowest priority, as two workers sharing the corpus that
# scripts/run-fuzzers.sh left in fuzz-work/<target>/corpus (run that first, with the same
# GLYPHWRIGHT_FUZZ_SANITIZERS, to build the target and make its seeds).
#   scripts/fuzz-long.sh TARGET RUNS_PER_WORKER [MAX_LEN]
# Runs in the background; the workers log to fuzz-work/<target>/fuzz-0.log and fuzz-1.log.
# Stop early with: pkill -INT -f build-fuzz.*/fuzz/TARGET
set -euo pipefail
cd "$(dirname "$0")/.."

target="$1" runs="$2" max_len="${3:-4096}"
sanitizers="${GLYPHWRIGHT_FUZZ_SANITIZERS:-address,undefined}"
build="build-fuzz"
[ "$sanitizers" = "address,undefined" ] || build="build-fuzz-${sanitizers//,/-}"
binary="$(pwd)/$build/fuzz/$target"
dict="$(pwd)/fuzz/font_formats.dict"
[ ! -f "fuzz/$target.dict" ] || dict="$(pwd)/fuzz/$target.dict"
[ -x "$binary" ] || { echo "No $binary: run scripts/run-fuzzers.sh first." >&2; exit 2; }

# Without AddressSanitizer, glibc would hand the megabytes a fuzzed header asks for back to the
# system after every input and fault them in again for the next: a third of the time.
export GLIBC_TUNABLES=glibc.malloc.trim_threshold=1073741824:glibc.malloc.mmap_threshold=33554432:glibc.malloc.top_pad=67108864

cd "fuzz-work/$target"
rm -f fuzz-*.log
setsid nohup nice -n 19 "$binary" -jobs=2 -workers=2 -runs="$runs" -dict="$dict" -max_len="$max_len" \
  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 corpus >long-run.out 2>&1 </dev/null &
echo "Started $target ($build), $runs runs a worker; logs in fuzz-work/$target/fuzz-*.log"
