#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for a bounded time.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-20}

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DSYSINSPECT_LIBFUZZER=ON >/dev/null
targets=$(cd sysinspect/fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
# shellcheck disable=SC2086
cmake --build build-fuzz -j "$(nproc)" --target $targets

passed=0
for target in $targets; do
  corpus="build-fuzz/corpus/$target"
  mkdir -p "$corpus"
  seeds="sysinspect/fuzz/seeds/$target"
  echo "== $target ($seconds s)"
  if [ -d "$seeds" ]; then
    "build-fuzz/sysinspect/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -print_final_stats=0 \
      "$corpus" "$seeds" 2>&1 | tail -n 3
  else
    "build-fuzz/sysinspect/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -print_final_stats=0 \
      "$corpus" 2>&1 | tail -n 3
  fi
  passed=$((passed + 1))
done
echo "fuzz: $passed targets ran clean"
