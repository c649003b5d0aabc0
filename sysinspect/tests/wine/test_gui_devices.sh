#!/usr/bin/env bash
# The Devices page in winxp mode, with a started serial port of our own:
# the tree holds the devices of the console report under their classes, the
# properties and resources dialogs of the port, the Device Resources list;
# in win98 mode the page has no resources tab and no Resources button.
# Screenshots go to the test's output directory for review.
source "$(dirname "$0")/lib.sh"
wine_setup --display

gui_driver
wine_virtual_desktop

fixture="$TEST_OUT/port.reg"
printf '%s\r\n' 'REGEDIT4' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\WINE\WINEBUS\Control]' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\SYSINSPECT\0000]' \
  '"ClassGUID"="{4d36e978-e325-11ce-bfc1-08002be10318}"' '"DeviceDesc"="Test serial port"' \
  '"FriendlyName"="Test Port (COM9)"' '"Mfg"="Sysinspect"' '"Service"="Serial"' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\SYSINSPECT\0000\Control]' \
  '"AllocConfig"=hex(8):01,00,00,00,01,00,00,00,00,00,00,00,01,00,01,00,02,00,00,00,01,01,05,00,e8,02,00,00,00,00,00,00,08,00,00,00,02,03,01,00,03,00,00,00,03,00,00,00,01,00,00,00' \
  >"$fixture"
wine_import_reg "$fixture"

rows() { awk -F'\t' -v id="$2" '$1 == id && $2 == "row" { print $3 }' "$1"; }

open_devices_page() {
  local mode=$1 out=$2
  "$WINE_BIN" "$WIN_PROGRAMS/sysinspect.exe" >"$out/program.log" 2>&1 &
  drive open-overview >"$out/open.txt" || fail "$mode: $(cat "$out/open.txt")"
  drive select-tab Devices || fail "$mode: no Devices tab"
  drive tree >"$out/tree.txt" || fail "$mode: no tree on the Devices page"
}

close_program() {
  drive escape || fail "$1: Escape did not close the overview"
  drive close-start || fail "$1: the program did not end"
}

# --- winxp -----------------------------------------------------------------
wine_set_version winxp
out="$TEST_OUT/winxp"
mkdir -p "$out"
run_report "$out/console.xml"
open_devices_page winxp "$out"
shot winxp-devices-tree

# The tree: the computer, its classes and their devices, as the report
# lists them (class | device, sorted).
expect_eq "$(awk -F'\t' '$1 == 0' "$out/tree.txt" | cut -f2 | tr a-z A-Z)" "$(xml_root "$out/console.xml" machine)" \
  "winxp tree root"
awk -F'\t' '$1 == 1 { c = $2 } $1 == 2 { print c " | " $2 }' "$out/tree.txt" | sort >"$out/tree-devices.txt"
python3 "$WINE_TESTS_DIR/device_list.py" report "$out/console.xml" >"$out/report-devices.txt"
diff "$out/report-devices.txt" "$out/tree-devices.txt" >&2 || fail "winxp: the tree does not hold the report's devices"
grep -qx 'Ports (COM & LPT) | Test Port (COM9)' "$out/tree-devices.txt" || fail "winxp: the test port is not in the tree"

# Properties and resources of the port.
drive dump >"$out/page.txt"
grep -q $'^1302\tButton\tProperties...$' "$out/page.txt" || fail "winxp: no Properties button"
drive tree-select "Test Port (COM9)" || fail "winxp: cannot select the port"
drive press 1302 || fail "winxp: Properties..."
drive dialog-dump TdlgNSX_Detail >"$out/properties.txt" || fail "winxp: no properties dialog"
shot winxp-devices-properties
grep -q $'\tStatic\tDevice Properties$' "$out/properties.txt" || fail "winxp: properties title"
for row in 'Device Name | Test Port (COM9)' 'Class Name | Ports' 'Class Description | Ports (COM & LPT)' \
  'Class GUID | {4D36E978-E325-11CE-BFC1-08002BE10318}' 'Manufacturer | Sysinspect' 'Service Name | Serial'; do
  grep -qxF "$row" <(rows "$out/properties.txt" 413) || fail "winxp: no properties row '$row'"
done
drive dialog-close TdlgNSX_Detail || fail "winxp: the properties dialog stays"

drive press 1303 || fail "winxp: Resources..."
drive dialog-dump TdlgResources >"$out/resources.txt" || fail "winxp: no resources dialog"
shot winxp-devices-resources
grep -q $'^caption\tTest Port (COM9)$' "$out/resources.txt" || fail "winxp: resources dialog caption"
expect_eq "$(rows "$out/resources.txt" 504)" "0x000002E8 | 0x8 | 0x5" "winxp port row"
expect_eq "$(rows "$out/resources.txt" 502)" "3 | 3 | 0x1 | Latched" "winxp interrupt row"
grep -q $'^510\tStatic\tInterface Type: ISA$' "$out/resources.txt" || fail "winxp: interface type label"
drive dialog-close TdlgResources || fail "winxp: the resources dialog stays"

# The Device Resources tab: a row per resource of the port.
drive sub-tab 1300 "Device Resources" || fail "winxp: no Device Resources tab"
drive dump >"$out/resource-list.txt"
shot winxp-devices-resource-list
grep -qxF 'Port 02E8 - 02EF | Device Exclusive | Test Port (COM9)' <(rows "$out/resource-list.txt" 1304) ||
  fail "winxp: the port's range is not in the resource list"
grep -qxF 'IRQ 03 | Shared | Test Port (COM9)' <(rows "$out/resource-list.txt" 1304) ||
  fail "winxp: the port's interrupt is not in the resource list"
close_program winxp
note "winxp: tree, properties, resources and resource list as reported"

# --- win98 -----------------------------------------------------------------
wine_set_version win98
out="$TEST_OUT/win98"
mkdir -p "$out"
# The report first: its run starts Wine's services, which then do not hold
# the driver's output open.
run_report "$out/console.xml"
open_devices_page win98 "$out"
shot win98-devices-tree
drive dump >"$out/page.txt"
expect_eq "$(awk -F'\t' '$1 == 1300 && $2 == "tab"' "$out/page.txt" | wc -l)" "1" "win98 page tabs"
grep -q $'^1303\t' "$out/page.txt" && fail "win98: a Resources button is shown"
expect_eq "$(xml_data "$out/console.xml" Devices Count)" "0" "win98 devices in the report"
expect_eq "$(wc -l <"$out/tree.txt")" "1" "win98 tree without a Configuration Manager list"
close_program win98
echo "PASS"
