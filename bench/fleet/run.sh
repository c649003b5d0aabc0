#!/usr/bin/env bash
# A fleet of 200 simulated machines posting their inventories, four at a
# time, with the native console reporter to the real OCS Inventory NG server
# (a private one on 127.0.0.1, tests/ocs/lib.sh). Checks that every machine
# arrived, then prints the reporter's time per machine (its --timings steps:
# start, gather, inventory, send) and the whole run's wall time.
#
# Usage: bench/fleet/run.sh [REPORTER] [MACHINES] [PARALLEL]
#   (defaults: build/sysinspect/sysinspect-report, 200, 4)
# A measurement, not a test: slow figures fail nothing; a lost machine does.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
reporter=$(readlink -f "${1:-$root/build/sysinspect/sysinspect-report}")
machines=${2:-200}
parallel=${3:-4}
[ -x "$reporter" ] || { echo "no reporter at $reporter (build the target sysinspect-report)" >&2; exit 2; }
. "$root/sysinspect/tests/ocs/lib.sh"
ocs_require || exit 2

work=$(mktemp -d /tmp/fleet-bench.XXXXXX)
chmod 755 "$work"
trap 'ocs_stop "$work/server"; rm -rf "$work"' EXIT
ocs_start "$work/server" >/dev/null || { echo "the OCS server did not start" >&2; exit 2; }

# The machines: the Russian 98 SE profile, each with a computer name of its
# own (the device id follows the name).
base="$root/sysinspect/tests/profiles/russian"
for ((i = 1; i <= machines; i++)); do
  name=$(printf 'FLEET-%03d' "$i")
  cp -r "$base" "$work/$name"
  sed -i "s/^ComputerName=.*/ComputerName=$name/" "$work/$name/machine.ini"
done

# One machine: its steps' elapsed times in NAME.timings, its exit status in NAME.status.
export reporter work OCS_URL
one() {
  "$reporter" --profile "$work/$1" --server "$OCS_URL" --tag fleet --timings >/dev/null 2>"$work/$1.timings"
  echo $? >"$work/$1.status"
}
export -f one
started=$(date +%s.%N)
ls -d "$work"/FLEET-* | xargs -n1 basename | xargs -P "$parallel" -I{} bash -c 'one {}'
ended=$(date +%s.%N)

failures=$(cat "$work"/FLEET-*.status | grep -vc '^0$' || true)
arrived=$(ocs_sql "SELECT COUNT(*) FROM hardware WHERE NAME LIKE 'FLEET-%'")
distinct=$(ocs_sql "SELECT COUNT(DISTINCT DEVICEID) FROM hardware WHERE NAME LIKE 'FLEET-%'")
echo "machines: $machines sent ($parallel at a time), $failures failed, $arrived arrived ($distinct device ids)"

# Per step and in all: mean, median and slowest of the machines' elapsed times.
awk '$1 == "timing:" { t[FILENAME, $2] = $3; steps[$2] = 1; files[FILENAME] = 1 }
  function show(label, values, n,   i, sum, sorted) {
    n = asort(values, sorted); sum = 0
    for (i = 1; i <= n; i++) sum += sorted[i]
    printf "%-10s %9.1f %9.1f %9.1f\n", label, 1000 * sum / n, 1000 * sorted[int((n + 1) / 2)], 1000 * sorted[n]
  }
  END {
    printf "%-10s %9s %9s %9s   (ms per machine, on the reporter side)\n", "step", "mean", "median", "max"
    split("start gather inventory send", order, " ")
    for (s = 1; s <= 4; s++) {
      delete v; k = 0
      for (f in files) v[++k] = t[f, order[s]]
      show(order[s], v)
    }
    delete v; k = 0
    for (f in files) { total = 0; for (s = 1; s <= 4; s++) total += t[f, order[s]]; v[++k] = total }
    show("total", v)
  }' "$work"/FLEET-*.timings
awk -v a="$started" -v b="$ended" -v n="$machines" \
  'BEGIN { printf "wall time: %.2f s for %d machines, %.1f ms per machine\n", b - a, n, 1000 * (b - a) / n }'
[ "$failures" -eq 0 ] && [ "$arrived" -eq "$machines" ] && [ "$distinct" -eq "$machines" ]
