#!/usr/bin/env bash
# The Display and Network pages in winxp mode show what the console report
# of the same machine says: the adapter and its details, the screen's rows,
# the video modes and a capability set in the detail dialog; the network
# adapters, IP and MAC addresses, the Winsock values and the TCP/IP page
# with each adapter's addresses. Screenshots go to the test's output
# directory for review.
source "$(dirname "$0")/lib.sh"
wine_setup --display

gui_driver
out="$TEST_OUT/winxp"
mkdir -p "$out"
rm -f "$out"/*

wine_virtual_desktop
# Wine's display device counts as started once it has a "Control" key.
device=$("$WINE_BIN" reg query 'HKLM\System\CurrentControlSet\Enum\PCI' /s 2>/dev/null | tr -d '\r' |
  awk '/^HKEY_/ { key = $0 } $1 == "ClassGUID" && toupper($NF) == "{4D36E968-E325-11CE-BFC1-08002BE10318}" { print key; exit }')
[ -n "$device" ] && "$WINE_BIN" reg add "$device\Control" /f >/dev/null 2>&1
wine_set_version winxp

field() { awk -F'\t' -v id="$2" '$1 == id && $2 != "row" && $2 != "item" { print $3; exit }' "$1"; }
lines() { awk -F'\t' -v id="$2" '$1 == id && ($2 == "row" || $2 == "item") { print $3 }' "$1"; }
report_list() {  # REPORT XPATH: the texts of the selected lines, one a line
  xmllint --xpath "$2" "$1" 2>/dev/null | sed 's/<[^>]*>/\n/g' | sed '/^$/d'
}
tcpip() { xmllint --xpath "string(//TCPIP/section[@name='Adapter_$2']/data[@name='$3'])" "$1"; }

report="$out/console.xml"
run_report "$report"
"$WINE_BIN" "$WIN_PROGRAMS/sysinspect.exe" >"$out/program.log" 2>&1 &
program=$!
drive open-overview >"$out/open.txt" || fail "$(cat "$out/open.txt")"

# Display, " General ".
drive select-tab Display || fail "no Display tab"
drive dump >"$out/display.txt"
shot display-general
for pair in 1601:Adapter 1602:Chipset 1603:DAC 1604:MemorySize 1605:BIOSVersion 1606:BIOSDate 1607:BIOSString; do
  expect_eq "$(field "$out/display.txt" "${pair%%:*}")" "$(xml_data "$report" Display "${pair#*:}")" "Display ${pair#*:}"
done
[ -n "$(field "$out/display.txt" 1601)" ] || fail "no display adapter on the page"
d() { xml_data "$report" Display "$1"; }
expect_eq "$(lines "$out/display.txt" 1608)" "$(printf '%s\n' \
  "Technology | $(d Technology)" "Device Driver Version | $(d DeviceDriverVersion)" \
  "Resolution | $(d HorizontalResolution) x $(d VerticalResolution) - $(d ColorDepth) bit" \
  "Physical Size | ($(d HorizontalSize) x $(d VerticalSize)) mm" "Pixel Width | $(d PixelWidth)" \
  "Pixel Height | $(d PixelHeight)" "Pixel Diagonal | $(d PixelDiagonal)" "Font Resolution | $(d FontResolution) dpi" \
  "Vertical Refresh Rate | $(d VerticalRefreshRate) Hz")" "Display values"

# The modes, all checked, and the raster capabilities as the report marks them.
drive press 1609
drive dialog-dump TdlgNSX_Detail >"$out/modes.txt" || fail "no modes dialog"
shot display-modes
expect_eq "$(field "$out/modes.txt" 401)" "Supported Video Modes" "modes title"
expect_eq "$(lines "$out/modes.txt" 411)" \
  "$(report_list "$report" "//Display/section[@name='VideoModes']/data[starts-with(@name,'Mode')]" | sed 's/$/ [x]/')" \
  "video modes"
drive dialog-close TdlgNSX_Detail || fail "the modes dialog stayed"
drive sub-tab 1600 " Capabilities " || fail "no Capabilities tab"
shot display-capabilities
drive press 1613
drive dialog-dump TdlgNSX_Detail >"$out/raster.txt" || fail "no raster dialog"
shot display-raster
expect_eq "$(field "$out/raster.txt" 401)" "Raster Capabilities" "raster title"
expect_eq "$(lines "$out/raster.txt" 411 | sed 's/.*\[x\]$/1/; s/.*\[ \]$/0/' | paste -sd' ')" \
  "$(report_list "$report" "//Display/section[@name='RasterCapabilities']/data" | paste -sd' ')" "raster marks"
drive dialog-close TdlgNSX_Detail || fail "the raster dialog stayed"

# Network, " General ".
drive select-tab Network || fail "no Network tab"
drive dump >"$out/network.txt"
shot network-general
expect_eq "$(lines "$out/network.txt" 1701)" \
  "$(report_list "$report" "//Network/section[@name='Adapters']/data[starts-with(@name,'Adapter')]")" "network adapters"
expect_eq "$(lines "$out/network.txt" 1702)" \
  "$(report_list "$report" "//Network/section[@name='IPAddresses']/data[starts-with(@name,'IPAddress')]")" "IP format"
expect_eq "$(lines "$out/network.txt" 1703)" \
  "$(report_list "$report" "//Network/section[@name='MACAdresses']/data[starts-with(@name,'MACAddress')]")" "MAC format"
[ -n "$(lines "$out/network.txt" 1703)" ] || fail "no MAC address on the page"

drive sub-tab 1700 " Winsock " || fail "no Winsock tab"
drive dump >"$out/winsock.txt"
shot network-winsock
for pair in 1710:Description 1711:Version 1712:Status; do
  expect_eq "$(field "$out/winsock.txt" "${pair%%:*}")" "$(xml_data "$report" Winsock "${pair#*:}")" "Winsock ${pair#*:}"
done

# TCP/IP: the first adapter is shown; then the last one.
drive sub-tab 1700 " TCP/IP " || fail "no TCP/IP tab"
drive dump >"$out/tcpip.txt"
shot network-tcpip
for pair in 1720:HostName 1721:DomainName 1722:NodeType 1723:PrimaryDNSSuffix; do
  expect_eq "$(field "$out/tcpip.txt" "${pair%%:*}")" "$(xml_data "$report" TCPIP "${pair#*:}")" "TCP/IP ${pair#*:}"
done
expect_eq "$(lines "$out/tcpip.txt" 1727 | sed 's/ .*//' | paste -sd,)" "$(xml_data "$report" TCPIP DNSServers)" "DNS box"
drive combo-items 1728 >"$out/adapters.txt"
count=$(xmllint --xpath 'count(//TCPIP/section)' "$report")
[ "$count" -gt 0 ] || fail "no TCP/IP adapter in the report"
expect_eq "$(cat "$out/adapters.txt")" "$(report_list "$report" "//TCPIP/section/data[@name='Name']")" "TCP/IP adapters"
check_adapter() {  # DUMP INDEX
  expect_eq "$(field "$1" 1728)" "$(tcpip "$report" "$2" Name)" "adapter $2 selected"
  expect_eq "$(field "$1" 1729)" "$(tcpip "$report" "$2" PhysicalAddress)" "adapter $2 address"
  expect_eq "$(field "$1" 1730)" "$(tcpip "$report" "$2" Type)" "adapter $2 type"
  expect_eq "$(lines "$1" 1733 | awk -F' [|] ' '$1 == "Local" { print $2 }' | paste -sd,)" \
    "$(tcpip "$report" "$2" IPAddress)" "adapter $2 local addresses"
  expect_eq "$(lines "$1" 1733 | awk -F' [|] ' '$1 == "Gateway" { print $3 }' | paste -sd,)" \
    "$(tcpip "$report" "$2" Gateway_IPMask)" "adapter $2 gateway masks"
}
check_adapter "$out/tcpip.txt" 0
last=$((count - 1))
drive combo-select 1728 "$last" || fail "cannot choose adapter $last"
drive dump >"$out/tcpip-last.txt"
shot network-tcpip-last
check_adapter "$out/tcpip-last.txt" "$last"

drive escape || fail "Escape did not close the overview"
drive close-start || fail "the program did not end"
wait "$program" || true
echo "PASS"
