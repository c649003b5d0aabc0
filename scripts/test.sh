#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: unit tests,
# the console reporter on profiles, the Windows programs under Wine, the
# xpicker tests on Xvfb, and each fuzz target for a bounded time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/build.sh
bash scripts/fuzz.sh "${SYSINSPECT_FUZZ_SECONDS:-20}"
ctest --test-dir build --output-on-failure -j "$(nproc)"
