#!/usr/bin/env bash
# The real OCS Inventory NG server (Debian's ocsinventory-server in a private
# Apache and MariaDB, tests/ocs/lib.sh) stores a hand-written inventory sent
# in windows-1251, plain or through the package's injector, merges a machine
# sent twice into one, and refuses a bad device id. Checks read the database.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

# shellcheck source=reporter_checks.sh
. "$here/reporter_checks.sh"  # check NAME EXPECTED ACTUAL, and the counts

if ! ocs_require; then
  echo "FAIL - the OCS server packages are not installed (run scripts/setup-ocs.sh)"
  echo "0 passed, 1 failed"
  exit 1
fi

work=$(mktemp -d /tmp/ocs-server-test.XXXXXX)
chmod 755 "$work"  # the servers' users reach their directories through it
finish() {
  trap '' INT TERM HUP  # a second signal must not cut the clean-up short
  ocs_stop "$work/server"
  rm -rf "$work"
  echo "$passed passed, $failed failed"
}
trap finish EXIT
trap 'echo "FAIL - interrupted"; failed=$((failed + 1)); exit 1' INT TERM HUP

# An inventory request, written in UTF-8 here and sent in windows-1251, as a
# Russian Windows machine would. Args: DEVICEID NAME MEMORY "SOFT|PUBLISHER|VERSION"...
request() {
  local deviceid=$1 name=$2 memory=$3 soft; shift 3
  {
    cat <<EOF
<?xml version="1.0" encoding="windows-1251"?>
<REQUEST>
  <DEVICEID>$deviceid</DEVICEID>
  <QUERY>INVENTORY</QUERY>
  <CONTENT>
    <HARDWARE>
      <NAME>$name</NAME>
      <OSNAME>Microsoft Windows 98</OSNAME>
      <OSVERSION>4.10.2222</OSVERSION>
      <WORKGROUP>КАФЕДРА</WORKGROUP>
      <USERID>Иванов</USERID>
      <MEMORY>$memory</MEMORY>
      <PROCESSORT>Intel Pentium II</PROCESSORT>
      <PROCESSORS>350</PROCESSORS>
      <PROCESSORN>1</PROCESSORN>
      <SWAP>128</SWAP>
      <TYPE>0</TYPE>
      <CHECKSUM>4194303</CHECKSUM>
    </HARDWARE>
    <BIOS>
      <BMANUFACTURER>Award Software</BMANUFACTURER>
      <BVERSION>4.51 PG</BVERSION>
      <BDATE>06/15/98</BDATE>
      <SMANUFACTURER>ASUSTeK</SMANUFACTURER>
      <SMODEL>P2B</SMODEL>
      <SSN>$name-SN</SSN>
    </BIOS>
EOF
    for soft in "$@"; do
      IFS='|' read -r s_name s_publisher s_version <<<"$soft"
      printf '    <SOFTWARES><NAME>%s</NAME><PUBLISHER>%s</PUBLISHER><VERSION>%s</VERSION></SOFTWARES>\n' \
        "$s_name" "$s_publisher" "$s_version"
    done
    cat <<EOF
    <ACCOUNTINFO><KEYNAME>TAG</KEYNAME><KEYVALUE>lab1</KEYVALUE></ACCOUNTINFO>
  </CONTENT>
</REQUEST>
EOF
  } | iconv -f UTF-8 -t WINDOWS-1251
}

hardware_id() { ocs_sql "SELECT ID FROM hardware WHERE DEVICEID='$1'"; }
software_of() {
  ocs_sql "SELECT CONCAT_WS('|', n.NAME, p.PUBLISHER, v.VERSION) FROM software s
           JOIN software_name n ON n.ID = s.NAME_ID
           JOIN software_publisher p ON p.ID = s.PUBLISHER_ID
           JOIN software_version v ON v.ID = s.VERSION_ID
           WHERE s.HARDWARE_ID = '$1'" | LC_ALL=C sort
}
utf8_hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n' | tr a-f A-F; }
lines() { printf '%s\n' "$@" | LC_ALL=C sort; }
tsv() { local IFS=$'\t'; echo "$*"; }

started=$SECONDS
if ! ocs_start "$work/server"; then
  check "private OCS server starts" started "not started"
  exit 1
fi
echo "# server at $OCS_URL (started in $((SECONDS - started))s)"

name_a="ЛАБ-ПК1"
id_a="LAB-PC1-2024-01-02-03-04-05"
soft_a=("Блокнот|Майкрософт|4.10" "WinZip|Nico Mak Computing|8.0")

# (a) A plain XML POST is stored, Cyrillic intact as UTF-8.
request "$id_a" "$name_a" 64 "${soft_a[@]}" >"$work/a.xml"
check "inventory POST answers 200" 200 "$(ocs_post "$work/a.xml" "$work/a.answer")"
check "answer is the server's XML reply" 1 "$(grep -c '<REPLY>' "$work/a.answer")"
hw_a=$(hardware_id "$id_a")
check "hardware row" \
  "$(tsv "$name_a" "Microsoft Windows 98" 4.10.2222 КАФЕДРА Иванов 64 "Intel Pentium II" 350 1 128 0)" \
  "$(ocs_sql "SELECT NAME, OSNAME, OSVERSION, WORKGROUP, USERID, MEMORY, PROCESSORT, PROCESSORS,
                     PROCESSORN, SWAP, TYPE FROM hardware WHERE ID = '$hw_a'")"
check "machine name stored as UTF-8 bytes" "$(utf8_hex "$name_a")" \
  "$(ocs_sql "SELECT HEX(NAME) FROM hardware WHERE ID = '$hw_a'")"
check "bios row" \
  "$(tsv "Award Software" "4.51 PG" 06/15/98 ASUSTeK P2B "$name_a-SN")" \
  "$(ocs_sql "SELECT BMANUFACTURER, BVERSION, BDATE, SMANUFACTURER, SMODEL, SSN FROM bios WHERE HARDWARE_ID = '$hw_a'")"
check "software rows" "$(lines "${soft_a[@]}")" "$(software_of "$hw_a")"
check "accountinfo TAG" lab1 "$(ocs_sql "SELECT TAG FROM accountinfo WHERE HARDWARE_ID = '$hw_a'")"

# (b) The package's injector sends a file of the same form.
name_b="ЛАБ-ПК2"
id_b="LAB-PC2-2024-01-02-03-04-05"
request "$id_b" "$name_b" 32 "Блокнот|Майкрософт|4.10" >"$work/b.ocs"
injector_out=$(timeout 60 perl "$OCS_INJECTOR" -v -u "$OCS_URL" -f "$work/b.ocs" 2>&1)
check "injector reports OK" 1 "$(grep -c 'OK$' <<<"$injector_out")"
hw_b=$(hardware_id "$id_b")
check "injected machine stored" "$(tsv "$name_b" 32 OCS-NG_INJECTOR_PL_v3)" \
  "$(ocs_sql "SELECT NAME, MEMORY, USERAGENT FROM hardware WHERE ID = '$hw_b'")"
check "injected software" "Блокнот|Майкрософт|4.10" "$(software_of "$hw_b")"

# (c) The same machine again, with more memory and other software: its row
# is updated, no second one made.
soft_a2=("Far Manager|Евгений Рошал|1.70" "WinZip|Nico Mak Computing|8.1")
request "$id_a" "$name_a" 128 "${soft_a2[@]}" >"$work/a2.xml"
check "second POST answers 200" 200 "$(ocs_post "$work/a2.xml")"
check "still one row for the machine, same id" "$hw_a" "$(hardware_id "$id_a")"
check "memory updated" 128 "$(ocs_sql "SELECT MEMORY FROM hardware WHERE ID = '$hw_a'")"
check "software replaced" "$(lines "${soft_a2[@]}")" "$(software_of "$hw_a")"
check "two machines in all" 2 "$(ocs_sql "SELECT COUNT(*) FROM hardware")"

# (d) A device id without the -YYYY-MM-DD-hh-mm-ss tail is refused.
request "LAB-PC3" "ЛАБ-ПК3" 64 >"$work/bad.xml"
check "bad device id answers 400" 400 "$(ocs_post "$work/bad.xml")"
check "bad device id stores nothing" 2 "$(ocs_sql "SELECT COUNT(*) FROM hardware")"

# No SQL went wrong in the handler (a missing column shows up only here).
check "no database errors in the server log" 0 "$(grep -c 'DBD::mysql' "$OCS_DIR/apache/error.log")"

echo "# took $((SECONDS - started))s"
[ "$failed" -eq 0 ]
