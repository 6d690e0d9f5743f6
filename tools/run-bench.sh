#!/bin/sh
# Runs every benchmark that was built; each reports its figures beside a peer from the same run.
set -e
BUILD=${1:-build}
found=0
for b in "$BUILD"/*_bench; do
  [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.5
done
[ "$found" = 1 ] || echo "no benchmarks were built (libbenchmark-dev missing?)"
