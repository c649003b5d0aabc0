#!/usr/bin/env bash
# The Media, Engines, DirectX and ASPI32 elements in winxp and win98 modes:
# in their places of the report, no multimedia device on this headless
# machine, the DirectX version of Wine's registry, Wine's own ASPI library
# bound and reporting no adapters (so an empty element), and the ODBC
# version of Wine's ODBC32.DLL, read from the file here.
source "$(dirname "$0")/lib.sh"
wine_setup

DRIVER="$WIN_PROGRAMS/sysinspect-gui-driver.exe"
[ -f "$DRIVER" ] || fail "no driver at $DRIVER"

# The system directory the programs see: a 32-bit program's is syswow64.
system_dir="$WINEPREFIX/drive_c/windows/system32"
[ "$WIN_BUILD_BITS" = 32 ] && system_dir="$WINEPREFIX/drive_c/windows/syswow64"

# The fixed file version of a PE file, read from its VS_FIXEDFILEINFO.
file_version() {
  python3 - "$1" <<'EOF'
import struct, sys
data = open(sys.argv[1], 'rb').read()
at = data.find(struct.pack('<I', 0xFEEF04BD))
if at >= 0:
    ms, ls = struct.unpack_from('<II', data, at + 8)
    print('%d.%d.%d.%d' % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF))
EOF
}

registry_value() {  # KEY VALUE: a string value as reg query shows it
  "$WINE_BIN" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { print $3 }'
}

element_line() {  # FILE ELEMENT: the line that opens a topic element
  grep -n "^<$2 classname=" "$1" | head -n1 | cut -d: -f1
}

odbc_version=$(file_version "$system_dir/odbc32.dll")
[ -n "$odbc_version" ] || fail "no version in $system_dir/odbc32.dll"
scsi_ports=$("$WINE_BIN" reg query 'HKLM\HARDWARE\DEVICEMAP\Scsi' 2>/dev/null | grep -ci 'Scsi Port' || true)
directx_version=$(registry_value 'HKLM\Software\Microsoft\DirectX' Version)
[ -n "$directx_version" ] || fail "Wine's registry holds no DirectX version"

check_mode() {
  local mode=$1 out="$TEST_OUT/$1.xml"
  wine_set_version "$mode"
  local started=$SECONDS
  run_report "$out"
  note "$mode: the report took $((SECONDS - started)) s"

  # Media after APM, before Devices; Engines, DirectX and ASPI32 in a row after IDE, before Disk.
  local apm media devices ide engines directx aspi disk
  apm=$(element_line "$out" APM) media=$(element_line "$out" Media) devices=$(element_line "$out" Devices)
  ide=$(element_line "$out" IDE) engines=$(element_line "$out" Engines) directx=$(element_line "$out" DirectX)
  aspi=$(element_line "$out" ASPI32) disk=$(element_line "$out" Disk)
  [ "$apm" -lt "$media" ] && [ "$media" -lt "$devices" ] || fail "$mode: Media is not between APM and Devices"
  [ "$ide" -lt "$engines" ] && [ "$aspi" -lt "$disk" ] || fail "$mode: Engines is not between IDE and Disk"
  expect_eq "$(sed -n "$((engines + 1)),$((directx - 1))p" "$out" | grep -c '^</Engines>')" 1 "$mode Engines end"
  expect_eq "$(sed -n "$((directx - 1))p;$((aspi - 1))p" "$out" | tr -d '\r' | paste -sd' ')" \
    "</Engines> </DirectX>" "$mode DirectX and ASPI32 follow Engines"

  local name
  for name in WaveInCount WaveOutCount MIDIInCount MIDIOutCount AUXCount MixerCount; do
    expect_eq "$(xml_data "$out" Media "$name")" 0 "$mode $name"
  done
  expect_eq "$(xmllint --xpath 'string(/classes/DirectX/data[@name="Version"])' "$out")" "$directx_version" \
    "$mode DirectX version"
  expect_eq "$(xmllint --xpath 'count(/classes/ASPI32/*)' "$out")" 0 "$mode ASPI32 children"
  expect_eq "$(xmllint --xpath 'string(/classes/Engines/data[@name="ODBC"])' "$out")" "$odbc_version" \
    "$mode ODBC version"
  expect_eq "$(xmllint --xpath 'count(/classes/Engines/data[@name="BDE"])' "$out")" 0 "$mode BDE"

  # Wine's own library: bound at start; without SCSI ports in Wine's device
  # map it reports no adapters (SS_NO_ADAPTERS) and nothing is scanned.
  local aspi_out="$TEST_OUT/$mode-aspi.txt"
  "$WINE_BIN" "$DRIVER" aspi 2>/dev/null | tr -d '\r' >"$aspi_out" || fail "$mode: driver aspi"
  grep -qx $'bound\t1' "$aspi_out" || fail "$mode: wnaspi32.dll not bound: $(cat "$aspi_out")"
  grep -qix $'file\t.*\\\\wnaspi32.dll' "$aspi_out" || fail "$mode: ASPI file: $(cat "$aspi_out")"
  if [ "$scsi_ports" = 0 ]; then
    grep -qx $'support\t0xE800' "$aspi_out" || fail "$mode: ASPI support: $(cat "$aspi_out")"
    grep -qx $'devices\t0' "$aspi_out" || fail "$mode: ASPI devices: $(cat "$aspi_out")"
  fi
  note "$mode: no multimedia devices, DirectX $directx_version, ODBC $odbc_version, ASPI without adapters"
}

check_mode winxp
check_mode win98
echo "PASS"
