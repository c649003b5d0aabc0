#!/usr/bin/env bash
# The display and network elements in winxp mode against the host: the
# resolution and colour depth of the X screen (32 bits for depth 24) at two
# screen sizes and depths, the display adapter's details as Wine's driver
# keeps them, the host name, each interface with an IPv4 address as an
# adapter with its MAC, address and mask, the DNS servers of resolv.conf,
# and NetBIOS adapter addresses of those interfaces.
source "$(dirname "$0")/lib.sh"
wine_setup --display

display_class='{4D36E968-E325-11CE-BFC1-08002BE10318}'
# reg_value KEY NAME: the data column of a value.
reg_value() {
  "$WINE_BIN" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]*/, ""); print; exit }'
}
# utf16_hex HEX: the text of a UTF-16LE binary, up to its NUL.
utf16_hex() { printf '%b' "$(sed 's/../\\x&/g' <<<"$1")" | iconv -f UTF-16LE -t UTF-8 | tr -d '\0'; }

# Wine's display device has no "Control" key, so it does not count as
# started; with one it is the display adapter.
device=$("$WINE_BIN" reg query 'HKLM\System\CurrentControlSet\Enum\PCI' /s 2>/dev/null | tr -d '\r' |
  awk -v guid="$display_class" '/^HKEY_/ { key = $0 } $1 == "ClassGUID" && toupper($NF) == guid { print key; exit }')
[ -n "$device" ] || fail "Wine has no display-class device under Enum\PCI"
"$WINE_BIN" reg add "$device\Control" /f >/dev/null 2>&1 || fail "cannot start $device"
"$WINESERVER_BIN" -w

tcpip_section() {  # REPORT ADAPTER-NAME: the index of that adapter's section
  xmllint --xpath "string(//TCPIP/section[data[@name='Name']='$2']/@name)" "$1" | sed 's/^Adapter_//'
}
tcpip_data() {  # REPORT INDEX NAME
  xmllint --xpath "string(//TCPIP/section[@name='Adapter_$2']/data[@name='$3'])" "$1"
}
mask_of() {  # PREFIX-LENGTH: the dotted mask
  local bits=$1 octets=() n
  for _ in 1 2 3 4; do
    n=$((bits >= 8 ? 8 : (bits > 0 ? bits : 0)))
    octets+=($((256 - (1 << (8 - n)))))
    bits=$((bits - 8))
  done
  (IFS=.; echo "${octets[*]}")
}

check_screen() {  # REPORT: the resolution and depth of the X screen on $DISPLAY
  local report=$1 screen size depth bits
  screen=$(xdpyinfo)
  size=$(awk '/dimensions:/ { print $2; exit }' <<<"$screen")
  depth=$(awk '/depth of root window:/ { print $5; exit }' <<<"$screen")
  bits=$depth
  [ "$depth" = 24 ] && bits=32
  expect_eq "$(xml_data "$report" Display HorizontalResolution)x$(xml_data "$report" Display VerticalResolution)" \
    "$size" "resolution on a ${size}x$depth screen"
  expect_eq "$(xml_data "$report" Display ColorDepth)" "$bits" "bits per pixel on a ${size}x$depth screen"
  xml_has "$report" "//Display/section[@name='VideoModes']/data[.='${size/x/ x } - $bits bit']" ||
    fail "the video modes of the ${size}x$depth screen lack its own"
  note "screen ${size}x$depth: $(xml_data "$report" Display HorizontalResolution) x $(xml_data "$report" Display VerticalResolution) - $bits bit"
}

wine_set_version winxp
report="$TEST_OUT/winxp.xml"
run_report "$report"
check_screen "$report"

# The adapter: its description, and its driver's details from the video key
# its "VideoID" names.
expect_eq "$(xml_data "$report" Display Adapter)" "$(reg_value "$device" DeviceDesc)" "display adapter"
video_id=$(reg_value "$device\Device Parameters" VideoID)
video="HKLM\System\CurrentControlSet\Control\Video\\$video_id\0000"
for pair in Chipset:ChipType DAC:DacType BIOSString:BiosString; do
  wanted=$(utf16_hex "$(reg_value "$video" "HardwareInformation.${pair#*:}")")
  [ -n "$wanted" ] || fail "Wine's video key $video has no ${pair#*:}"
  expect_eq "$(xml_data "$report" Display "${pair%%:*}")" "$wanted" "display ${pair%%:*}"
done
note "display adapter $(xml_data "$report" Display Adapter): chip $(xml_data "$report" Display Chipset), DAC $(xml_data "$report" Display DAC)"

# The host name, without the domain Wine keeps apart.
expect_eq "$(xml_data "$report" TCPIP HostName)" "$(hostname | cut -d. -f1)" "host name"

# Each interface with an IPv4 address (the loopback aside) is an adapter.
interfaces=0
while read -r _ name _ cidr _; do
  [ "$name" = lo ] && continue
  mac=$(tr '[:lower:]' '[:upper:]' <"/sys/class/net/$name/address")
  k=$(tcpip_section "$report" "$name")
  [ -n "$k" ] || fail "no adapter $name in the report"
  expect_eq "$(tcpip_data "$report" "$k" PhysicalAddress)" "$mac" "$name MAC"
  addresses=$(tcpip_data "$report" "$k" IPAddress | tr ',' '\n')
  masks=$(tcpip_data "$report" "$k" IPMask | tr ',' '\n')
  line=$(grep -nx "${cidr%/*}" <<<"$addresses" | cut -d: -f1)
  [ -n "$line" ] || fail "$name: ${cidr%/*} is not among its addresses ($addresses)"
  expect_eq "$(sed -n "${line}p" <<<"$masks")" "$(mask_of "${cidr#*/}")" "$name mask of ${cidr%/*}"
  macs+=" $mac"
  interfaces=$((interfaces + 1))
done < <(ip -4 -o addr show | awk '{ print $1, $2, $3, $4 }')
note "$interfaces interfaces as adapters"

# The DNS servers of resolv.conf (the IPv4 ones, which the record holds).
expect_eq "$(xml_data "$report" TCPIP DNSServers)" \
  "$(awk '$1 == "nameserver" && $2 ~ /^[0-9.]+$/ { print $2 }' /etc/resolv.conf | paste -sd,)" "DNS servers"

# NetBIOS answers with the addresses of those interfaces.
macs_reported=$(xmllint --xpath "//Network/section[@name='MACAdresses']/data[starts-with(@name,'MACAddress')]" "$report" |
  sed 's/<[^>]*>/ /g')
[ -n "$(tr -d ' ' <<<"$macs_reported")" ] || fail "no NetBIOS MAC address"
for mac in $macs_reported; do
  grep -qw -- "$mac" <<<"$macs" || fail "NetBIOS MAC $mac is no interface with an IPv4 address ($macs)"
done
note "NetBIOS MAC addresses:$macs_reported"

# A second screen: another size and depth.
"$WINESERVER_BIN" -k >/dev/null 2>&1 || true
"$WINESERVER_BIN" -w 2>/dev/null || true
kill "$XVFB_PID" 2>/dev/null || true
wait "$XVFB_PID" 2>/dev/null || true
Xvfb -displayfd 3 -screen 0 800x600x16 -nolisten tcp 3>"$TEST_OUT/xvfb2.display" >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 1 100); do [ -s "$TEST_OUT/xvfb2.display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$TEST_OUT/xvfb2.display")"
for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "the second X server does not answer"
run_report "$TEST_OUT/winxp-800x600x16.xml"
check_screen "$TEST_OUT/winxp-800x600x16.xml"
echo "PASS"
