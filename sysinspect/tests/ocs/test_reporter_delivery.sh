#!/usr/bin/env bash
# The native console reporter delivering the inventories of simulated
# machines to the real OCS Inventory NG server (tests/ocs/lib.sh): what the
# database stores equals the request and the report of the same machine,
# Cyrillic and accented text intact; a file written offline and sent with
# the package's injector arrives the same; a machine sent twice is one
# machine, updated; and every delivery fault is one line, its own exit
# status, no file and no change in the database.
# Usage: test_reporter_delivery.sh REPORTER PROFILES SHARED_DATA
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/reporter_checks.sh"
reporter=$(readlink -f "$1")
profiles=$(readlink -f "$2")
data=$(readlink -f "$3")

if ! ocs_require; then
  echo "FAIL - the OCS server packages are not installed (run scripts/setup-ocs.sh)"
  echo "0 passed, 1 failed"
  exit 1
fi

work=$(mktemp -d /tmp/ocs-reporter-test.XXXXXX)
chmod 755 "$work"
finish() {
  trap '' INT TERM HUP
  stop_listeners
  ocs_stop "$work/server"
  rm -rf "$work"
  echo "$passed passed, $failed failed"
}
trap finish EXIT
trap 'echo "FAIL - interrupted"; failed=$((failed + 1)); exit 1' INT TERM HUP

started=$SECONDS
if ! ocs_start "$work/server"; then
  check "private OCS server starts" started "not started"
  exit 1
fi
echo "# server at $OCS_URL (started in $((SECONDS - started))s)"

# A machine with a real SMBIOS table and a real IDE drive's IDENTIFY sector:
# the western XP profile with both added.
real="$work/profiles/real-firmware"
mkdir -p "$real/ide"
cp -r "$profiles/western/." "$real/"
for bin in "$data"/smbios/*.bin; do
  case $bin in *lowmem*) ;; *) cp "$bin" "$real/dmi.bin"; break ;; esac
done
ata=("$data"/ata/*.bin)
cp "${ata[0]}" "$real/ide/0.bin"

# (a) Each machine posted with its report and request written beside: the
# database holds the request, section by section, and the report's machine.
while IFS='|' read -r machine profile name deviceid; do
  [ "$profile" = real-firmware ] && dir=$real || dir="$profiles/$profile"
  out="$work/$machine"
  "$reporter" --profile "$dir" --server "$OCS_URL" --tag "lab-$machine" ${deviceid:+--device-id "$deviceid"} \
    --inventory-file "$out.ocs" "$out.xml" >"$out.stdout" 2>"$out.stderr"
  check "$machine: posted, exit status 0" "0 " "$? $(cat "$out.stderr")"
  check "$machine: says the server stored it" 1 "$(grep -c 'inventory stored by the server' "$out.stdout")"
  compare "$out.ocs" "$out.xml"
  # The name as UTF-8 bytes in the database, whatever the machine's code page.
  check "$machine: name $name stored as UTF-8" "$(printf '%s' "$name" | od -An -tx1 | tr -d ' \n' | tr a-f A-F)" \
    "$(ocs_sql "SELECT HEX(NAME) FROM hardware WHERE DEVICEID = '${deviceid:-$name-1970-01-01-00-00-00}'")"
done <<'EOF_MACHINES'
western|western|Café-PC|
russian|russian|бухгалтерия|
polish|polish|łódź-01|
real-firmware|real-firmware|Café-PC|REAL-FIRMWARE-2024-01-02-03-04-05
EOF_MACHINES
check "four machines, one row each" 4 "$(ocs_sql "SELECT COUNT(*) FROM hardware")"
check "the real SMBIOS table's BIOS vendor stored" 1 \
  "$(ocs_sql "SELECT COUNT(*) FROM bios b JOIN hardware h ON h.ID = b.HARDWARE_ID
              WHERE h.DEVICEID = 'REAL-FIRMWARE-2024-01-02-03-04-05' AND b.BMANUFACTURER <> ''")"
check "the real IDE drive stored" 1 \
  "$(ocs_sql "SELECT COUNT(*) FROM storages s JOIN hardware h ON h.ID = s.HARDWARE_ID
              WHERE h.DEVICEID = 'REAL-FIRMWARE-2024-01-02-03-04-05' AND s.MODEL <> ''")"

# (b) Offline: only the request is written (no report file), nothing is
# sent; the injector sends it later and it arrives the same.
offline="$work/offline"
mkdir -p "$offline"
(cd "$offline" && "$reporter" --profile "$profiles/w2k-lan" --tag offline --inventory-file machine.ocs >stdout 2>stderr)
check "offline: exit status 0, nothing on standard error" "0 " "$? $(cat "$offline/stderr")"
check "offline: only the request written" "machine.ocs stderr stdout" "$(ls "$offline" | tr '\n' ' ' | sed 's/ $//')"
check "offline: nothing sent" 4 "$(ocs_sql "SELECT COUNT(*) FROM hardware")"
injected=$(timeout 60 perl "$OCS_INJECTOR" -v -u "$OCS_URL" -f "$offline/machine.ocs" 2>&1)
check "offline: the injector reports OK" 1 "$(grep -c 'OK$' <<<"$injected")"
compare "$offline/machine.ocs"

# (c) The same machine again: its row is updated (a later LASTCOME), no
# second one.
row() { ocs_sql "SELECT ID, UNIX_TIMESTAMP(LASTCOME) FROM hardware WHERE DEVICEID = 'бухгалтерия-1970-01-01-00-00-00'"; }
read -r id_before came_before <<<"$(row)"
sleep 1.1  # LASTCOME counts seconds
"$reporter" --profile "$profiles/russian" --server "$OCS_URL" >/dev/null 2>"$work/again.stderr"
check "again: exit status 0" "0 " "$? $(cat "$work/again.stderr")"
read -r id_after came_after <<<"$(row)"
check "again: the same row" "$id_before" "$id_after"
check "again: the row updated" 1 "$((came_after > came_before))"
check "again: no second machine" 5 "$(ocs_sql "SELECT COUNT(*) FROM hardware")"

# (d) Faults: the exit status, one line on standard error naming the fault,
# nothing on standard output, no file, the database as it was.
listen error500
listen silent
port500=$(cat "$work/error500.port")
port_silent=$(cat "$work/silent.port")
port_closed=$(ocs_free_port)
database_state() {
  ocs_sql "SELECT h.ID, h.DEVICEID, h.LASTCOME, h.CHECKSUM, a.TAG FROM hardware h
           LEFT JOIN accountinfo a ON a.HARDWARE_ID = h.ID ORDER BY h.ID;
           SELECT COUNT(*) FROM software; SELECT COUNT(*) FROM drives"
}
# netns: run in a network namespace of its own (loopback only), so that a
# name lookup asks no server beyond this machine.
netns=""
unshare -n true 2>/dev/null && netns="unshare -n"
fault() {  # NAME STATUS PATTERN TIMEOUT-BOUND URL [WRAPPER]
  local name=$1 want=$2 pattern=$3 bound=$4 url=$5 wrapper=${6:-} out="$work/fault" begun status
  rm -rf "$out"; mkdir -p "$out"
  before=$(database_state)
  begun=$SECONDS
  (cd "$out" && $wrapper "$reporter" --profile "$profiles/western" --server "$url" --timeout 2 --tag fault \
     --inventory-file f.ocs f.xml >../fault.stdout 2>../fault.stderr)
  status=$?
  check "$name: exit status $want" "$want" "$status"
  check "$name: one line on standard error" 1 "$(wc -l <"$work/fault.stderr")"
  check "$name: it says '$pattern'" 1 "$(grep -c -- "$pattern" "$work/fault.stderr")"
  check "$name: nothing on standard output" "" "$(cat "$work/fault.stdout")"
  check "$name: no file written" "" "$(ls "$out")"
  check "$name: gave up within ${bound}s" 1 "$((SECONDS - begun <= bound))"
  check "$name: database unchanged" "$before" "$(database_state)"
}
fault "nothing listening" 3 "cannot connect to 127.0.0.1:$port_closed: connection refused" 10 \
  "http://127.0.0.1:$port_closed/ocsinventory"
fault "HTTP 500" 4 "server refused the inventory: HTTP 500" 10 "http://127.0.0.1:$port500/ocsinventory"
"$reporter" --profile "$profiles/western" --tag fault --inventory-file "$work/fault-request.ocs" >/dev/null
check "HTTP 500: the listener got the whole request" 1 \
  "$(grep -c "^POST /ocsinventory HTTP/1.0 $(stat -c %s "$work/fault-request.ocs")\$" "$work/error500.port.requests")"
fault "no answer" 5 "no answer from 127.0.0.1:$port_silent: timed out after 2 s" 10 \
  "http://127.0.0.1:$port_silent/ocsinventory"
if [ -n "$netns" ]; then
  fault "unknown host" 3 "unknown host: cannot find the server nonexistent.invalid" 10 \
    "http://nonexistent.invalid/ocsinventory" "$netns"
else
  echo "# unknown host not tried: no network namespace here to keep the lookup on this machine"
fi
fault "https address" 2 "HTTPS is not supported" 10 "https://127.0.0.1:$OCS_HTTP_PORT/ocsinventory"
fault "not an http address" 2 "must begin with http://" 10 "ftp://127.0.0.1/ocsinventory"
ocs_stop_web "$OCS_DIR"
fault "server stopped" 3 "cannot connect to 127.0.0.1:$OCS_HTTP_PORT: connection refused" 10 "$OCS_URL"

# (e) Bad arguments for the inventory: status 2, the reason on standard
# error, nothing gathered or written.
while IFS='|' read -r what pattern args; do
  rm -rf "$work/args"; mkdir -p "$work/args"
  # shellcheck disable=SC2086  # the table's arguments are words
  message=$(cd "$work/args" && "$reporter" --profile "$profiles/western" $args 2>&1 >/dev/null)
  status=$?
  check "$what: status 2 saying '$pattern'" "2 1" "$status $(grep -c -- "$pattern" <<<"$message")"
  check "$what: no file written" "" "$(ls "$work/args")"
done <<'EOF_ARGS'
timeout of 0|--timeout needs a number of seconds|--server http://127.0.0.1/ --timeout 0
timeout not a number|--timeout needs a number of seconds|--server http://127.0.0.1/ --timeout 2s
timeout too long|--timeout needs a number of seconds|--server http://127.0.0.1/ --timeout 3601
server without address|--server needs an http:// address|--server
tag alone|--tag and --device-id need --server or --inventory-file|--tag lab1
device id alone|--tag and --device-id need --server or --inventory-file|--device-id X-2024-01-01-00-00-00
EOF_ARGS

echo "# took $((SECONDS - started))s"
[ "$failed" -eq 0 ]
