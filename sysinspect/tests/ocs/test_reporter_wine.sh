#!/usr/bin/env bash
# The Windows console reporter under Wine (the shipped 32-bit program where
# this machine runs 32-bit code, else the x86-64 build; tests/wine/lib.sh
# chooses and says which) posting the Wine machine's inventory to the real
# OCS Inventory NG server on 127.0.0.1, as Windows XP and as Windows 98: the
# database holds the request it wrote and the report's name, OS, memory and
# processor; the 98 machine's file, written offline, arrives through the
# injector; and the delivery faults end with their exit status and one line.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/reporter_checks.sh"
source "$here/../wine/lib.sh"
set +e  # the checks count failures rather than stop at the first


ocs_require || { echo "FAIL - the OCS server packages are not installed"; echo "0 passed, 1 failed"; exit 1; }
wine_setup
work="$TEST_OUT/ocs"
rm -rf "$work"; mkdir -p "$work"; chmod 755 "$TEST_OUT" "$work"
finish() {
  local status=$?
  trap '' INT TERM HUP
  stop_listeners
  ocs_stop "$work/server"
  rm -rf "$work"
  echo "# ran the $WIN_BUILD_BITS-bit build of $WIN_BUILD_DIR"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ] || status=1
  wine_cleanup "$status"
  exit "$status"
}
trap finish EXIT

ocs_start "$work/server" || { check "private OCS server starts" started "not started"; exit 1; }
reporter="$WIN_PROGRAMS/sysinspect-report.exe"
win() { wine_path "$1"; }
# run OUT ARGS...: the reporter under Wine, its outputs in OUT.stdout and
# OUT.stderr, CR LF made LF, less what Wine and the sound library print there.
run() {
  local out=$1; shift
  "$WINE_BIN" "$reporter" "$@" >"$out.stdout.raw" 2>"$out.stderr.raw"
  local status=$?
  tr -d '\r' <"$out.stdout.raw" >"$out.stdout"
  tr -d '\r' <"$out.stderr.raw" | grep -v -e '^ALSA lib ' -e '^wine: ' >"$out.stderr"
  return $status
}

# (a) Posted directly, the request and report written beside.
while IFS='|' read -r version os deviceid; do
  wine_set_version "$version"
  out="$work/$version"
  run "$out" --server "$OCS_URL" --device-id "$deviceid" --tag "wine-$version" \
    --inventory-file "$(win "$work")\\$version.ocs" "$(win "$work")\\$version.xml"
  check "$version: posted, exit status 0" "0 " "$? $(cat "$out.stderr")"
  compare "$out.ocs" "$out.xml"
  check "$version: OSNAME" "$os" "$(ocs_sql "SELECT LEFT(OSNAME, ${#os}) FROM hardware WHERE DEVICEID = '$deviceid'")"
  check "$version: some memory" 1 "$(ocs_sql "SELECT MEMORY > 0 FROM hardware WHERE DEVICEID = '$deviceid'")"
done <<'EOF_VERSIONS'
winxp|Microsoft Windows XP|WINE-XP-2024-01-02-03-04-05
win98|Microsoft Windows 98|WINE-98-2024-01-02-03-04-05
EOF_VERSIONS

# (b) Offline as Windows 98: the file only, then the injector.
wine_set_version win98
out="$work/offline"
run "$out" --device-id WINE-OFFLINE-2024-01-02-03-04-05 --inventory-file "$(win "$work")\\offline.ocs"
check "offline: exit status 0" "0 " "$? $(cat "$out.stderr")"
check "offline: nothing sent" 0 "$(ocs_sql "SELECT COUNT(*) FROM hardware WHERE DEVICEID LIKE 'WINE-OFFLINE%'")"
injected=$(timeout 60 perl "$OCS_INJECTOR" -v -u "$OCS_URL" -f "$work/offline.ocs" 2>&1)
check "offline: the injector reports OK" 1 "$(grep -c 'OK$' <<<"$injected")"
compare "$work/offline.ocs"

# (c) Faults through Windows Sockets: status, one line, no file, no change.
listen error500
listen silent
closed=$(ocs_free_port)
rows_before=$(ocs_sql "SELECT ID, LASTCOME FROM hardware ORDER BY ID")
while IFS='|' read -r name want pattern url; do
  url=${url//PORT500/$(cat "$work/error500.port")}
  url=${url//PORTSILENT/$(cat "$work/silent.port")}
  url=${url//PORTCLOSED/$closed}
  out="$work/fault"
  rm -f "$work/f.ocs" "$work/f.xml"
  begun=$SECONDS
  run "$out" --server "$url" --timeout 2 --inventory-file "$(win "$work")\\f.ocs" "$(win "$work")\\f.xml"
  status=$?
  check "$name: exit status $want" "$want" "$status"
  check "$name: one line saying '$pattern'" "1 1" "$(wc -l <"$out.stderr") $(grep -c -- "$pattern" "$out.stderr")"
  check "$name: no file" "" "$(ls "$work/f.ocs" "$work/f.xml" 2>/dev/null)"
  check "$name: gave up within 20s" 1 "$((SECONDS - begun <= 20))"
done <<'EOF_FAULTS'
nothing listening|3|connection refused|http://127.0.0.1:PORTCLOSED/ocsinventory
HTTP 500|4|server refused the inventory: HTTP 500|http://127.0.0.1:PORT500/ocsinventory
no answer|5|timed out after 2 s|http://127.0.0.1:PORTSILENT/ocsinventory
https address|2|HTTPS is not supported|https://127.0.0.1/ocsinventory
EOF_FAULTS
check "faults: database unchanged" "$rows_before" "$(ocs_sql "SELECT ID, LASTCOME FROM hardware ORDER BY ID")"
[ "$failed" -eq 0 ]
