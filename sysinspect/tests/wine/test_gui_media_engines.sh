#!/usr/bin/env bash
# The Media and Engines pages in winxp and win98 modes against the console
# report, on a prefix with a sound card and a game port of our own (NT
# only), a Direct3D driver and a BDE whose library is a copy of Wine's
# ODBC32.DLL: the devices and sound devices, the four engine labels, the
# DirectX version and drivers, the ASPI label and its empty list.
# Screenshots go to the test's output directory for review.
source "$(dirname "$0")/lib.sh"
wine_setup --display

gui_driver

system_dir="$WINEPREFIX/drive_c/windows/system32"
[ "$WIN_BUILD_BITS" = 32 ] && system_dir="$WINEPREFIX/drive_c/windows/syswow64"
mkdir -p "$WINEPREFIX/drive_c/bde-test"
cp "$system_dir/odbc32.dll" "$WINEPREFIX/drive_c/bde-test/IDAPI32.DLL"

media='{4d36e96c-e325-11ce-bfc1-08002be10318}'
fixture="$TEST_OUT/media.reg"
printf '%s\r\n' 'REGEDIT4' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\SYSINSPECT\0001]' \
  "\"ClassGUID\"=\"$media\"" '"Class"="MEDIA"' '"DeviceDesc"="Test Sound & Music"' \
  '"LocationInformation"="PCI bus 9, device 1"' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\SYSINSPECT\0001\Control]' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\SYSINSPECT\0002]' \
  "\"ClassGUID\"=\"$media\"" '"Class"="MEDIA"' '"DeviceDesc"="Test Game Port"' '' \
  '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\ROOT\SYSINSPECT\0002\Control]' '' \
  '[HKEY_LOCAL_MACHINE\Software\Microsoft\Direct3D\Drivers\Test HAL]' '"Description"="Test HAL <3D>"' '' \
  '[HKEY_LOCAL_MACHINE\Software\Borland\Database Engine]' '"DLLPATH"="C:\\bde-test"' >"$fixture"
wine_import_reg "$fixture"
wine_virtual_desktop

field() { awk -F'\t' -v id="$2" '$1 == id { print $3; exit }' "$1"; }
rows() { awk -F'\t' -v id="$2" '$1 == id && $2 == "row" { print $3 }' "$1"; }
# The report's media devices, one a line, as a parser reads them.
media_devices() {
  local count i
  count=$(xmllint --xpath "string(//Media/section[@name='Devices']/data[@name='Count'])" "$1")
  for ((i = 0; i < count; i++)); do
    printf '%s\n' "$(xmllint --xpath "string(//Media/section[@name='Devices']/data[@name='Device[$i]'])" "$1")"
  done
}
# "Name version", or "Name not found", as the page labels an engine.
engine_label() {
  local version
  version=$(xmllint --xpath "string(/classes/Engines/data[@name='$2'])" "$1")
  [ -n "$version" ] && echo "$3 $version" || echo "$3 not found"
}

check_mode() {
  local mode=$1 out="$TEST_OUT/$1"
  mkdir -p "$out"
  rm -f "$out"/*
  wine_set_version "$mode"
  run_report "$out/console.xml"
  local report="$out/console.xml"

  "$WINE_BIN" "$WIN_PROGRAMS/sysinspect.exe" >"$out/program.log" 2>&1 &
  local program=$!
  drive open-overview >"$out/open.txt" || fail "$mode: $(cat "$out/open.txt")"

  # Media: the devices of the report, in its order; no sound devices here.
  drive select-tab Media || fail "$mode: no Media tab"
  drive dump >"$out/media.txt"
  shot "$mode-media"
  diff <(media_devices "$report") <(rows "$out/media.txt" 1801) >&2 ||
    fail "$mode: the Available Devices are not the report's"
  expect_eq "$(rows "$out/media.txt" 1802 | wc -l)" \
    "$(xmllint --xpath "count(//Media//data[contains(@name,'[')]) - count(//Media/section[@name='Devices']/data[contains(@name,'[')])" "$report")" \
    "$mode sound devices"

  # Engines: the labels as the report's versions say.
  drive select-tab Engines || fail "$mode: no Engines tab"
  drive dump >"$out/engines.txt"
  shot "$mode-engines-directx"
  expect_eq "$(field "$out/engines.txt" 1901)" "$(engine_label "$report" ODBC 'Open Database Connectivity')" "$mode ODBC label"
  expect_eq "$(field "$out/engines.txt" 1902)" "$(engine_label "$report" BDE 'Borland Database Engine')" "$mode BDE label"
  expect_eq "$(field "$out/engines.txt" 1903)" "$(engine_label "$report" DAO 'Microsoft Data Access Objects')" "$mode DAO label"
  expect_eq "$(field "$out/engines.txt" 1904)" "$(engine_label "$report" ADO 'Microsoft ActiveX Data Objects')" "$mode ADO label"
  expect_eq "$(xmllint --xpath 'string(/classes/Engines/data[@name="BDE"])' "$report")" \
    "$(xmllint --xpath 'string(/classes/Engines/data[@name="ODBC"])' "$report")" "$mode BDE, a copy of ODBC32.DLL"
  expect_eq "$(field "$out/engines.txt" 1911)" \
    "Installed version: $(xmllint --xpath 'string(/classes/DirectX/data[@name="Version"])' "$report")" "$mode DirectX label"
  grep -qxF 'Test HAL <3D> | Direct3D' <(rows "$out/engines.txt" 1912) || fail "$mode: the Direct3D driver is not listed"
  expect_eq "$(rows "$out/engines.txt" 1912 | wc -l)" \
    "$(xmllint --xpath 'count(/classes/DirectX/section/data[contains(@name,"[")])' "$report")" "$mode DirectX rows"

  drive sub-tab 1910 "Windows ASPI 32" || fail "$mode: no ASPI tab"
  drive dump >"$out/aspi.txt"
  shot "$mode-engines-aspi"
  expect_eq "$(field "$out/aspi.txt" 1913)" "Adaptec ASPI not found" "$mode ASPI label"
  expect_eq "$(rows "$out/aspi.txt" 1914 | wc -l)" 0 "$mode ASPI rows"

  drive escape || fail "$mode: Escape did not close the overview"
  drive close-start || fail "$mode: the program did not end"
  wait "$program" || true
  note "$mode: Media and Engines pages as the report"
}

check_mode winxp
# The NT family lists our sound card and game port.
grep -qxF 'Test Sound & Music' <(rows "$TEST_OUT/winxp/media.txt" 1801) || fail "winxp: the sound card is not listed"
grep -qxF 'Test Game Port' <(rows "$TEST_OUT/winxp/media.txt" 1801) || fail "winxp: the game port is not listed"
check_mode win98
echo "PASS"
