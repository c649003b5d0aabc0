#!/usr/bin/env bash
# The Machine page in winxp mode, used through the test driver: its General
# view and its SMBIOS views show what the console report of the same
# machine holds. Screenshots of each view go to the test's output
# directory for review.
source "$(dirname "$0")/lib.sh"
wine_setup --display

gui_driver

wine_virtual_desktop

field() { awk -F'\t' -v id="$2" '$1 == id { print $3; exit }' "$1"; }
rows() { awk -F'\t' -v id="$2" '$1 == id && $2 == "row"' "$1" | wc -l; }
smbios() { xmllint --xpath "string(/classes/SMBIOS/section[@name='$1']/data[@name='$2'])" "$report"; }

wine_set_version winxp
report="$TEST_OUT/console.xml"
run_report "$report"

"$WINE_BIN" "$WIN_PROGRAMS/sysinspect.exe" >"$TEST_OUT/program.log" 2>&1 &
program=$!
drive open-overview >"$TEST_OUT/open.txt" || fail "$(cat "$TEST_OUT/open.txt")"
drive select-tab Machine || fail "cannot select the Machine page"

drive dump >"$TEST_OUT/general.txt"
shot machine-general
expect_eq "$(field "$TEST_OUT/general.txt" 1207)" "$(xml_data "$report" Machine Name)" "machine name"
expect_eq "$(field "$TEST_OUT/general.txt" 1208)" "$(xml_data "$report" Machine User)" "user"
[ -n "$(field "$TEST_OUT/general.txt" 1209)" ] || fail "no last boot"
grep -q $'^1201\tEdit\t.*Second' "$TEST_OUT/general.txt" || fail "no up-time in words"
for id in 1202 1203 1204; do grep -q "^$id"$'\t' "$TEST_OUT/general.txt" || fail "no lock indicator $id"; done

drive sub-tab 1205 "SM BIOS" || fail "cannot select SM BIOS"
drive dump >"$TEST_OUT/smbios-bios.txt"
shot machine-smbios-bios
expect_eq "$(field "$TEST_OUT/smbios-bios.txt" 1214)" "$(xml_data "$report" SMBIOS Version)" "SMBIOS version"
expect_eq "$(field "$TEST_OUT/smbios-bios.txt" 1215)" "$(($(xml_data "$report" SMBIOS TableCount) + 1))" "structures"
expect_eq "$(field "$TEST_OUT/smbios-bios.txt" 1224)" "$(smbios BIOS Size)" "BIOS size"

drive sub-tab 1220 "System" || fail "cannot select System"
drive dump >"$TEST_OUT/smbios-system.txt"
shot machine-smbios-system
expect_eq "$(field "$TEST_OUT/smbios-system.txt" 1229)" "$(smbios System UUID)" "UUID"
expect_eq "$(field "$TEST_OUT/smbios-system.txt" 1225)" "$(smbios System Model)" "system model"

drive sub-tab 1220 "Chassis" || fail "cannot select Chassis"
drive dump >"$TEST_OUT/smbios-chassis.txt"
expect_eq "$(field "$TEST_OUT/smbios-chassis.txt" 1234)" "$(smbios Chassis Model)" "chassis type"

drive sub-tab 1220 "Available Tables" || fail "cannot select Available Tables"
drive dump >"$TEST_OUT/smbios-tables.txt"
shot machine-smbios-tables
expect_eq "$(rows "$TEST_OUT/smbios-tables.txt" 1249)" "$(($(xml_data "$report" SMBIOS TableCount) + 1))" "table rows"
grep -q $'^1249\trow\tType 1: System Information | ' "$TEST_OUT/smbios-tables.txt" || fail "no system structure row"

drive escape || fail "Escape did not close the overview"
drive close-start || fail "the program did not end"
wait "$program" || true
echo "PASS"
