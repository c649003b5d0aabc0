#!/usr/bin/env bash
# The Disk and IDE elements in winxp and win98 modes: the prefix's drives
# with their types, each drive's capacity equal to what df says of the
# directory it maps to (exactly, in bytes) and its free space within 1%, a
# volume label (with "&") and serial set through the drive's .windows-label
# and .windows-serial files, a drive link to nowhere without media and with
# zeros, root-based UNC names, and the IDE element with four empty positions.
source "$(dirname "$0")/lib.sh"
wine_setup

drives="$WINEPREFIX/dosdevices"
c_dir=$(readlink -f "$drives/c:")
printf 'Data & Docs\n' >"$c_dir/.windows-label"
printf '1a2b3c4d\n' >"$c_dir/.windows-serial"
ln -sfn "$TEST_OUT/nowhere" "$drives/y:"

# The drive letters of the prefix, upper case, in order.
expected_letters=$(cd "$drives" && ls -d ?: | cut -c1 | tr 'a-z' 'A-Z' | sort | tr -d '\n')

disk_data() {  # FILE LETTER NAME
  xmllint --xpath "string(//Disk/section[@name='Disk_$2']/data[@name='$3'])" "$1"
}
within_percent() {  # GOT WANT PERCENT
  awk -v g="$1" -v w="$2" -v p="$3" 'BEGIN { d = g - w; if (d < 0) d = -d; exit !(w > 0 && d <= p / 100 * w) }'
}

check_mode() {
  local mode=$1 out="$TEST_OUT/$1.xml"
  wine_set_version "$mode"
  local devices_before
  devices_before=$(ls -A "$drives")
  run_report "$out"
  # Opening the IDE devices by name leaves nothing behind.
  expect_eq "$(ls -A "$drives")" "$devices_before" "$mode device names after the report"

  expect_eq "$(xml_data "$out" Disk AvailableLogicalDisks)" "$expected_letters" "$mode drive letters"
  expect_eq "$(xmllint --xpath 'count(//Disk/section)' "$out")" "${#expected_letters}" "$mode drive sections"

  local letter dir
  for letter in C Z; do
    dir=$(readlink -f "$drives/${letter,,}:")
    expect_eq "$(disk_data "$out" $letter Type)" "Fixed" "$mode $letter: type"
    expect_eq "$(disk_data "$out" $letter Capacity)" "$(df -B1 --output=size "$dir" | tail -n1 | tr -d ' ')" \
      "$mode $letter: capacity against df"
    local free avail
    free=$(disk_data "$out" $letter FreeSpace)
    avail=$(df -B1 --output=avail "$dir" | tail -n1 | tr -d ' ')
    within_percent "$free" "$avail" 1 || fail "$mode $letter: free space $free is not within 1% of df's $avail"
    # From the root, never the drive's current directory (a path of this machine).
    expect_eq "$(disk_data "$out" $letter UNC)" "$letter:\\" "$mode $letter: UNC name"
  done
  expect_eq "$(disk_data "$out" C VolumeLabel)" "Data & Docs" "$mode C: label"
  expect_eq "$(disk_data "$out" C SerialNumber)" "1A2B-3C4D" "$mode C: serial"
  grep -q '>Data &amp; Docs</data>' "$out" || fail "$mode: the label is not escaped as &amp;"

  # The link to nowhere: no media, so nothing but zeros and empty texts.
  expect_eq "$(disk_data "$out" Y Type)" "<not exists>" "$mode Y: type"
  for name in VolumeLabel FileSystem SerialNumber; do
    expect_eq "$(disk_data "$out" Y $name)" "" "$mode Y: $name"
  done
  for name in Capacity FreeSpace BytesPerSector SectorsPerCluster FreeClusters TotalClusters; do
    expect_eq "$(disk_data "$out" Y $name)" "0" "$mode Y: $name"
  done
  expect_eq "$(xmllint --xpath "count(//Disk/section[@name='Disk_Y']/section[@name='Flags']/data[.='1'])" "$out")" \
    "0" "$mode Y: flags set"

  # No IDE drive answers here: four positions, each empty.
  expect_eq "$(xmllint --xpath 'count(/classes/IDE/section)' "$out")" "4" "$mode IDE positions"
  expect_eq "$(xmllint --xpath "count(/classes/IDE/section/data[@name='ModelNumber' and .=''])" "$out")" "4" \
    "$mode empty IDE models"
  expect_eq "$(xmllint --xpath "count(/classes/IDE/section/data[@name='Capacity' and .='0'])" "$out")" "4" \
    "$mode IDE capacities"
  note "$mode: drives $expected_letters as the host has them, IDE empty"
}

check_mode winxp
check_mode win98
echo "PASS"
