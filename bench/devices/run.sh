#!/usr/bin/env bash
# The devices topic at scale: profiles with 0, 1,000 and 10,000 started
# devices (each with a resource list), gathered and reported by the native
# console reporter. Prints, per size, the processor time of the reporter's
# steps (--timings),
# its peak memory (/usr/bin/time -v) and the report's size; the devices'
# own cost is the difference to the run without devices.
#
# Usage: bench/devices/run.sh [REPORTER] (default build/sysinspect/sysinspect-report)
# A measurement, not a test: nothing fails on slow figures.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
reporter=$(readlink -f "${1:-$here/../../build/sysinspect/sysinspect-report}")
[ -x "$reporter" ] || { echo "no reporter at $reporter (build the target sysinspect-report)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# field FILE STEP: the step's processor time (the elapsed time shows the
# machine's other load as well).
field() { awk -v s="$2" '$1 == "timing:" && $2 == s { print $6 }' "$1"; }

printf '%8s %9s %9s %9s %9s %12s %10s\n' devices "load s" "gather s" "report s" "save s" "peak RSS kB" "report MB"
for count in 0 1000 10000; do
  profile="$work/p$count"
  python3 "$here/make_profile.py" "$count" "$profile"
  best=""
  # The fastest of three runs: the others show the machine's load, not the program.
  for run in 1 2 3; do
    /usr/bin/time -v "$reporter" --timings --profile "$profile" "$work/r$count.xml" \
      >/dev/null 2>"$work/t$count.$run"
    total=$(awk '$1 == "timing:" { s += $6 } END { printf "%.3f", s }' "$work/t$count.$run")
    if [ -z "$best" ] || awk -v a="$total" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$total
      cp "$work/t$count.$run" "$work/t$count"
    fi
  done
  xmllint --noout "$work/r$count.xml"
  t="$work/t$count"
  peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$t")
  size=$(awk -v b="$(stat -c %s "$work/r$count.xml")" 'BEGIN { printf "%.1f", b / 1048576 }')
  printf '%8d %9s %9s %9s %9s %12s %10s\n' "$count" "$(field "$t" start)" "$(field "$t" gather)" \
    "$(field "$t" report)" "$(field "$t" save)" "$peak" "$size"
done
