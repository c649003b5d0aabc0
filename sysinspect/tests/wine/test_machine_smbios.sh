#!/usr/bin/env bash
# The machine, SMBIOS and BIOS elements in the winxp, win2003 and win98
# modes: the SMBIOS element decodes the table of Wine's firmware-table query
# (whose UUID Wine makes of /etc/machine-id, byte for byte), nothing is
# left in the temporary directories, and the machine name, user and
# up-time agree with the host.
source "$(dirname "$0")/lib.sh"
wine_setup

machine_id=$(tr -d '[:space:]' </etc/machine-id | tr '[:lower:]' '[:upper:]')
[ ${#machine_id} -eq 32 ] || fail "/etc/machine-id holds no 128-bit id"
host_user=${USER:-$(id -un)}

# The files of every temporary directory of the prefix, with their sizes.
temp_files() {
  find "$WINEPREFIX/drive_c/users"/*/Temp "$WINEPREFIX/drive_c/windows/temp" -printf '%P %s\n' 2>/dev/null | sort
}

# "1 Hour, 2 Minutes, 5 Seconds." in seconds.
duration_seconds() {
  tr -d '.' <<<"$1" | tr ',' '\n' | awk '
    { n = $1; u = $2; sub(/s$/, "", u); sub(/ies$/, "y", u) }
    u == "Centur" || u == "Century" { t += n * 3157920000 } u == "Year" { t += n * 31579200 }
    u == "Month" { t += n * 2678400 } u == "Week" { t += n * 604800 } u == "Day" { t += n * 86400 }
    u == "Hour" { t += n * 3600 } u == "Minute" { t += n * 60 } u == "Second" { t += n }
    END { printf "%d\n", t }'
}

for mode in winxp win2003 win98; do
  wine_set_version "$mode"
  out="$TEST_OUT/$mode.xml"
  before=$(temp_files)
  run_report "$out"
  host_uptime=$(cut -d' ' -f1 /proc/uptime)

  expect_eq "$(temp_files)" "$before" "$mode temporary files"
  [ -z "$(find "$WINEPREFIX/drive_c" -name '~RomDmp*' 2>/dev/null)" ] || fail "$mode: a ~RomDmp directory is left"

  # The firmware table: no physical address, its own version, the UUID's bytes in order.
  expect_eq "$(xml_data "$out" SMBIOS UUID)" "$machine_id" "$mode UUID"
  expect_eq "$(xml_data "$out" SMBIOS StartAddress)" "0" "$mode entry point address"
  expect_eq "$(xml_data "$out" SMBIOS StructureTableStartAddress)" "0" "$mode table address"
  version=$(xmllint --xpath "string(/classes/SMBIOS/data[@name='Version'])" "$out")
  [[ "$version" =~ ^[0-9]+\.[0-9]+$ ]] || fail "$mode: SMBIOS version '$version'"
  tables=$(xmllint --xpath "count(/classes/SMBIOS/data[starts-with(@name,'Table_')])" "$out")
  expect_eq "$(xml_data "$out" SMBIOS TableCount)" "$((tables - 1))" "$mode table count"
  xml_has "$out" "/classes/SMBIOS/data[@name='Table_1' and .='System Information']" || fail "$mode: no system structure"
  xml_has "$out" "/classes/Machine/following-sibling::*[1][self::SMBIOS]" || fail "$mode: SMBIOS does not follow Machine"
  xml_has "$out" "/classes/SMBIOS/following-sibling::*[1][self::BIOS]" || fail "$mode: BIOS does not follow SMBIOS"

  name=$(xml_data "$out" Machine Name)
  expect_eq "${name,,}" "$(hostname | cut -d. -f1 | tr '[:upper:]' '[:lower:]')" "$mode machine name"
  expect_eq "$(xml_data "$out" Machine User)" "$host_user" "$mode user"
  uptime=$(duration_seconds "$(xml_data "$out" Machine SystemUpTime)")
  awk -v u="$uptime" -v h="$host_uptime" 'BEGIN { d = h - u; exit !(d >= -2 && d <= 10) }' ||
    fail "$mode: up-time $uptime s, the host's $host_uptime s"
  note "$mode: SMBIOS $version, $tables structures, up-time $uptime s (host $host_uptime s)"
done
echo "PASS"
