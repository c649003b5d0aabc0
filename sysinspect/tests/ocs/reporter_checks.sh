# shellcheck shell=bash
# Counting checks of the reporter's delivery tests; source after lib.sh.
#   check NAME EXPECTED ACTUAL   one check, "ok - NAME" or "FAIL - NAME" and both values
#   compare REQUEST [REPORT]     the database against the request (and report), one check per section
#   listen MODE                  a fault_listener.py in the background; its port in $work/MODE.port
# The counts are in `passed` and `failed`; listeners end in stop_listeners.
passed=0
failed=0
listeners=()
_checks_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

check() {
  if [ "$2" = "$3" ]; then
    passed=$((passed + 1)); echo "ok - $1"
  else
    failed=$((failed + 1)); echo "FAIL - $1"
    echo "  expected: $(printf '%q' "$2")"
    echo "  got:      $(printf '%q' "$3")"
  fi
}

compare() {
  local out status
  out=$(python3 "$_checks_dir/compare_inventory.py" "$1" "$OCS_DIR/mysql/client.cnf" "$OCS_DB_NAME" ${2:+"$2"})
  status=$?
  echo "$out" | sed "s/^\(ok\|FAIL\) - /\1 - $(basename "$1"): /"
  passed=$((passed + $(grep -c '^ok - ' <<<"$out")))
  failed=$((failed + $(grep -c '^FAIL - ' <<<"$out")))
  [ "$status" -lt 100 ] || { failed=$((failed + 1)); echo "FAIL - compare_inventory.py failed ($status)"; }
}

listen() {
  python3 "$_checks_dir/fault_listener.py" "$1" "$work/$1.port" </dev/null >/dev/null 2>&1 &
  listeners+=($!)
  local _
  for _ in $(seq 50); do [ -s "$work/$1.port" ] && return 0; sleep 0.1; done
  check "fault listener $1 starts" started "not started"
}

stop_listeners() {
  local pid
  for pid in "${listeners[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
}
