#!/usr/bin/env bash
# The Devices and DeviceResources elements against the prefix's own registry.
# winxp: exactly the started instances of the Enum tree (those with a
# Control subkey, as `reg query` shows them), with Wine's bus driver made
# started (its HardwareId has no final NUL and text after its double NUL)
# and a serial port of our own carrying resource lists. win98: Wine keeps
# no Configuration Manager list under HKEY_DYN_DATA, so nothing is listed;
# with a list imported into the running server (HKEY_DYN_DATA is never
# saved), its devices are.
source "$(dirname "$0")/lib.sh"
wine_setup

LIST="$WINE_TESTS_DIR/device_list.py"
ENUM='HKLM\System\CurrentControlSet\Enum'
# A serial port with two hardware ids (REGEDIT4: ANSI bytes) and resource
# lists: a port 02E8-02EF, IRQ 3 shared, memory D0000-D0FFF, DMA 1
# and a device-specific block of 4 bytes (Control); a port 03E8 (LogConf).
alloc=01,00,00,00,02,00,00,00,00,00,00,00,01,00,01,00,05,00,00,00,\
01,01,05,00,e8,02,00,00,00,00,00,00,08,00,00,00,\
02,03,01,00,03,00,00,00,03,00,00,00,01,00,00,00,\
03,01,00,00,00,00,0d,00,00,00,00,00,00,10,00,00,\
04,01,00,00,01,00,00,00,00,00,00,00,00,00,00,00,\
05,01,00,00,04,00,00,00,00,00,00,00,00,00,00,00,aa,bb,cc,dd
boot=01,00,00,00,02,00,00,00,00,00,00,00,01,00,01,00,01,00,00,00,\
01,01,05,00,e8,03,00,00,00,00,00,00,08,00,00,00
fixture="$TEST_OUT/devices.reg"
printf '%s\r\n' 'REGEDIT4' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\WINE\WINEBUS\Control]' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\SYSINSPECT\0000]' \
  '"ClassGUID"="{4d36e978-e325-11ce-bfc1-08002be10318}"' '"DeviceDesc"="Test serial port"' \
  '"FriendlyName"="Test Port & Co (COM9)"' '"Mfg"="Sysinspect"' \
  '"HardwareID"=hex(7):52,4f,4f,54,5c,53,59,53,49,4e,53,50,45,43,54,00,53,59,53,49,4e,53,50,45,43,54,00,00' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\SYSINSPECT\0000\Control]' \
  "\"AllocConfig\"=hex(8):${alloc//\\/}" '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\SYSINSPECT\0000\LogConf]' \
  "\"BootConfig\"=hex(8):${boot//\\/}" '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\SYSINSPECT\0001]' \
  '"ClassGUID"="{4d36e978-e325-11ce-bfc1-08002be10318}"' '"DeviceDesc"="Not started"' >"$fixture"
wine_import_reg "$fixture"

# --- winxp -----------------------------------------------------------------
wine_set_version winxp
out="$TEST_OUT/winxp.xml"
run_report "$out"
"$WINE_BIN" reg query "$ENUM" /s 2>/dev/null | tr -d '\r' >"$TEST_OUT/enum.txt"
"$WINE_BIN" reg query 'HKLM\System\CurrentControlSet\Control\Class' /s 2>/dev/null | tr -d '\r' >"$TEST_OUT/class.txt"
python3 "$LIST" registry "$TEST_OUT/enum.txt" "$TEST_OUT/class.txt" >"$TEST_OUT/expected.txt"
python3 "$LIST" report "$out" >"$TEST_OUT/listed.txt"
[ -s "$TEST_OUT/expected.txt" ] || fail "the prefix has no started device"
diff "$TEST_OUT/expected.txt" "$TEST_OUT/listed.txt" >&2 || fail "winxp: the devices listed are not the started ones"
expect_eq "$(xml_data "$out" Devices Count)" "$(wc -l <"$TEST_OUT/expected.txt")" "winxp device count"
grep -qx 'Ports (COM & LPT) | Test Port & Co (COM9)' "$TEST_OUT/listed.txt" || fail "winxp: the test port is missing"
grep -q 'Not started' "$TEST_OUT/listed.txt" && fail "winxp: a device without Control is listed"

# The bus driver's hardware id: what reg shows up to its double NUL.
bus_id=$("$WINE_BIN" reg query "$ENUM\\ROOT\\WINE\\WINEBUS" /v HardwareId 2>/dev/null | tr -d '\r' |
  awk '$1 == "HardwareId" { print $3 }')
[ -n "$bus_id" ] || fail "Wine's bus driver has no HardwareId"
expect_eq "$(xmllint --xpath "string(//Devices//section[@name='Wine HID bus driver']/data[@name='HardwareID'])" "$out")" \
  "${bus_id%%\\0\\0*}" "winxp bus driver hardware id"

# The test port's resources: the Control list, in value order, device data
# skipped; in DeviceResources each resource lists the port.
port="//Devices//section[@name='Test Port & Co (COM9)']/section[@name='Resources']"
expect_eq "$(xmllint --xpath "count($port/data)" "$out")" "4" "winxp resource lines"
expect_eq "$(xmllint --xpath "string($port/../data[@name='HardwareID'])" "$out")" $'ROOT\\SYSINSPECT\nSYSINSPECT' \
  "winxp test port hardware ids"
expect_eq "$(xmllint --xpath "string($port/data[@name='Port'])" "$out")" "02E8 - 02EF" "winxp port range"
expect_eq "$(xmllint --xpath "string($port/data[@name='IRQ'])" "$out")" "03" "winxp IRQ"
expect_eq "$(xmllint --xpath "string($port/data[@name='Memory'])" "$out")" "D0000 - D0FFF" "winxp memory range"
expect_eq "$(xmllint --xpath "string($port/data[@name='DMA'])" "$out")" "01" "winxp DMA"
expect_eq "$(xml_data "$out" DeviceResources Count)" "4" "winxp resource count"
for section in "DMA 01:Device Exclusive" "IRQ 03:Shared" "Memory 000D0000 - 000D0FFF:Device Exclusive" \
  "Port 02E8 - 02EF:Device Exclusive"; do
  expect_eq "$(xmllint --xpath "string(//DeviceResources/section[@name='${section%%:*}']/data[@name='Test Port & Co (COM9)'])" "$out")" \
    "${section#*:}" "winxp resource ${section%%:*}"
done
note "winxp: $(wc -l <"$TEST_OUT/expected.txt") started devices listed, resources as stored"

# --- win98 -----------------------------------------------------------------
wine_set_version win98
out="$TEST_OUT/win98.xml"
run_report "$out"
expect_eq "$(xml_data "$out" Devices Count)" "0" "win98 devices without a Configuration Manager list"
xml_has "$out" "//DeviceResources" && fail "win98: the 9x family has no DeviceResources element"

# A Configuration Manager list lives only as long as the server: keep one
# running for the import and the report.
dyn="$TEST_OUT/dyn.reg"
printf '%s\r\n' 'REGEDIT4' '' \
  '[HKEY_DYN_DATA\Config Manager\Enum\C29A1000]' '"HardwareKey"="ROOT\\*PNP0C01\\0000"' '' \
  '[HKEY_DYN_DATA\Config Manager\Enum\C29A1100]' '"HardwareKey"="ROOT\\*PNP0C01\\0001"' '' \
  '[HKEY_DYN_DATA\Config Manager\Enum\C29A1200]' '"HardwareKey"="Network\\MSTCP\\0000"' '' \
  '[HKEY_DYN_DATA\Config Manager\Enum\C29A1300]' '"HardwareKey"="ROOT\\PRINTER\\0000"' '' \
  '[HKEY_DYN_DATA\Config Manager\Enum\C29A1400]' '"HardwareKey"="PCI\\GONE\\0000"' '' \
  '[HKEY_LOCAL_MACHINE\Enum\ROOT\*PNP0C01\0000]' '"ClassGUID"="{4D36E97D-E325-11CE-BFC1-08002BE10318}"' \
  '"DeviceDesc"="System board"' '"Driver"="System\\0001"' '' \
  '[HKEY_LOCAL_MACHINE\Enum\ROOT\*PNP0C01\0001]' '"Class"="System"' '"DeviceDesc"="System board"' '' \
  '[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP\0000]' '"Class"="NetTrans"' '"DeviceDesc"="TCP/IP"' '' \
  '[HKEY_LOCAL_MACHINE\Enum\ROOT\PRINTER\0000]' '"Class"="Printer"' '"DeviceDesc"="Printer on LPT1"' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\{4D36E97D-E325-11CE-BFC1-08002BE10318}]' \
  '"Class"="System"' '"Link"="System"' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\System]' '@="System devices"' '"Icon"="-27"' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\System\0001]' '"ProviderName"="Microsoft"' >"$dyn"
"$WINESERVER_BIN" -w  # the server of the last run ends first
"$WINESERVER_BIN" -p
regedit_import "$dyn"
out="$TEST_OUT/win98-list.xml"
run_report "$out"
"$WINESERVER_BIN" -k
# Network entries are skipped, a hardware key that does not open gives
# nothing, the second system board (same class and description) is dropped.
python3 "$LIST" report "$out" >"$TEST_OUT/listed98.txt"
printf '%s\n' 'Printer | Printer on LPT1' 'System devices | System board' | diff - "$TEST_OUT/listed98.txt" >&2 ||
  fail "win98: the devices listed are not those of the Configuration Manager list"
expect_eq "$(xmllint --xpath "string(//Devices//section[@name='System board']/data[@name='DriverProvider'])" "$out")" \
  "Microsoft" "win98 driver key under the class root"
xml_has "$out" "//DeviceResources" && fail "win98: the 9x family has no DeviceResources element"
note "win98: the Configuration Manager list as imported"
echo "PASS"
