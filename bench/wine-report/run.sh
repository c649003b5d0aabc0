#!/usr/bin/env bash
# Wall time of the console reporter's full report under 32-bit Wine, for two
# builds in one run (e.g. before and after a toolchain change), alternating
# so that both see the same machine load. Not a test: it prints figures.
# Usage: bench/wine-report/run.sh BUILD_A_DIR BUILD_B_DIR [RUNS]
#   where each DIR holds sysinspect-report.exe (e.g. build-win32/sysinspect).
set -euo pipefail
a=$1 b=$2 runs=${3:-5}
work=$(mktemp -d /tmp/wine-report-bench.XXXXXX)
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :93 -screen 0 1024x768x24 >/dev/null 2>&1 &
  export DISPLAY=:93
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
fi
wine64 wineboot -i >/dev/null 2>&1 || true
wineserver -w
wine32=/usr/lib/wine/wine
# One warm-up run of each: the first run in a prefix fills Wine's caches.
for dir in "$a" "$b"; do "$wine32" "$dir/sysinspect-report.exe" 'C:\warm.xml' >/dev/null 2>&1; done

declare -A total=([a]=0 [b]=0)
for i in $(seq "$runs"); do
  for which in a b; do
    dir=${!which}
    start=$(date +%s.%N)
    "$wine32" "$dir/sysinspect-report.exe" "C:\\report-$which.xml" >/dev/null 2>&1
    end=$(date +%s.%N)
    total[$which]=$(awk -v t="${total[$which]}" -v s="$start" -v e="$end" 'BEGIN { print t + e - s }')
  done
done
for which in a b; do
  dir=${!which}
  printf '%s: %d runs, mean %.2f s (%s bytes)\n' "$dir/sysinspect-report.exe" "$runs" \
    "$(awk -v t="${total[$which]}" -v n="$runs" 'BEGIN { print t / n }')" "$(stat -c %s "$dir/sysinspect-report.exe")"
done
