#!/usr/bin/env bash
# The Drives and IDE pages used as a person would, in winxp and win98 modes:
# the drive combo box opens on the Windows drive and switches drives, each
# drive's figures, names and flags as the console report gives them, the
# label added to an item once, a drive link to nowhere shown empty, and the
# IDE positions without devices. Screenshots go to the test's output
# directory for review.
source "$(dirname "$0")/lib.sh"
wine_setup --display

gui_driver

drives="$WINEPREFIX/dosdevices"
c_dir=$(readlink -f "$drives/c:")
printf 'Data & Docs\n' >"$c_dir/.windows-label"
printf '1a2b3c4d\n' >"$c_dir/.windows-serial"
ln -sfn "$TEST_OUT/nowhere" "$drives/y:"

wine_virtual_desktop

field() { awk -F'\t' -v id="$2" '$1 == id { print $3; exit }' "$1"; }
digits() { tr -cd '0-9'; }
disk_data() { xmllint --xpath "string(//Disk/section[@name='Disk_$2']/data[@name='$3'])" "$1"; }

# The page against the report's section of one drive.
check_drive() {
  local mode=$1 dump=$2 report=$3 letter=$4
  expect_eq "$(field "$dump" 1403)" "$(disk_data "$report" "$letter" Type) - $(disk_data "$report" "$letter" FileSystem)" \
    "$mode $letter: type line"
  expect_eq "$(field "$dump" 1404)" "$(disk_data "$report" "$letter" UNC)" "$mode $letter: UNC name"
  expect_eq "$(field "$dump" 1405)" "$(disk_data "$report" "$letter" SerialNumber)" "$mode $letter: serial"
  expect_eq "$(field "$dump" 1406 | digits)" "$(disk_data "$report" "$letter" Capacity)" "$mode $letter: capacity"
  expect_eq "$(field "$dump" 1409 | digits)" "$(disk_data "$report" "$letter" BytesPerSector)" "$mode $letter: bytes/sector"
  expect_eq "$(field "$dump" 1410 | digits)" "$(disk_data "$report" "$letter" SectorsPerCluster)" \
    "$mode $letter: sectors/cluster"
  expect_eq "$(field "$dump" 1412 | digits)" "$(disk_data "$report" "$letter" TotalClusters)" "$mode $letter: total clusters"
  # The flags in the report's order, checked where the report says 1.
  local shown wanted
  shown=$(awk -F'\t' '$1 == 1413 || $1 == 1414 { print ($3 ~ /\[x\]$/) ? 1 : 0 }' "$dump" | tr -d '\n')
  wanted=$(xmllint --xpath "//Disk/section[@name='Disk_$letter']/section[@name='Flags']/data/text()" "$report" | tr -d '\n')
  expect_eq "$shown" "$wanted" "$mode $letter: flag marks"
}

check_mode() {
  local mode=$1
  local out="$TEST_OUT/$mode"
  mkdir -p "$out"
  rm -f "$out"/*
  wine_set_version "$mode"
  run_report "$out/console.xml"

  "$WINE_BIN" "$WIN_PROGRAMS/sysinspect.exe" >"$out/program.log" 2>&1 &
  local program=$!
  drive open-overview >"$out/open.txt" || fail "$mode: $(cat "$out/open.txt")"

  # Drives: the Windows drive first, with its label added to its item.
  drive select-tab Drives || fail "$mode: no Drives tab"
  drive dump >"$out/drive-c.txt"
  shot "$mode-drives-c"
  drive combo-items 1401 >"$out/items.txt" || fail "$mode: $(cat "$out/items.txt")"
  expect_eq "$(paste -sd'|' "$out/items.txt")" "C: [Data & Docs]|Y:|Z:" "$mode drive items"
  expect_eq "$(field "$out/drive-c.txt" 1401)" "C: [Data & Docs]" "$mode selected drive"
  check_drive "$mode" "$out/drive-c.txt" "$out/console.xml" C

  drive combo-select 1401 2 || fail "$mode: cannot choose Z:"
  drive dump >"$out/drive-z.txt"
  shot "$mode-drives-z"
  expect_eq "$(field "$out/drive-z.txt" 1401)" "Z: []" "$mode Z: item"
  check_drive "$mode" "$out/drive-z.txt" "$out/console.xml" Z

  drive combo-select 1401 1 || fail "$mode: cannot choose Y:"
  drive dump >"$out/drive-y.txt"
  shot "$mode-drives-y"
  expect_eq "$(field "$out/drive-y.txt" 1403)" "<not exists> - " "$mode Y: type line"
  expect_eq "$(field "$out/drive-y.txt" 1406)" "Capacity: 0 B" "$mode Y: capacity"
  expect_eq "$(field "$out/drive-y.txt" 1407)" "Free space: 0 B" "$mode Y: free space"
  expect_eq "$(field "$out/drive-y.txt" 1405)" "" "$mode Y: serial"

  # Back to C: the item keeps its one bracketed label.
  drive combo-select 1401 0 || fail "$mode: cannot choose C: again"
  drive combo-items 1401 >"$out/items-again.txt"
  expect_eq "$(paste -sd'|' "$out/items-again.txt")" "C: [Data & Docs]|Y: []|Z: []" "$mode items after switching"

  # IDE: no drive answers under Wine.
  drive select-tab IDE || fail "$mode: no IDE tab"
  drive dump >"$out/ide.txt"
  shot "$mode-ide"
  expect_eq "$(field "$out/ide.txt" 1501)" "Primary master" "$mode first position"
  expect_eq "$(field "$out/ide.txt" 1502)" "<no device attached>" "$mode primary master"
  drive combo-select 1501 3 || fail "$mode: cannot choose the secondary slave"
  drive dump >"$out/ide-3.txt"
  expect_eq "$(field "$out/ide-3.txt" 1501)" "Secondary slave" "$mode fourth position"
  expect_eq "$(field "$out/ide-3.txt" 1502)" "<no device attached>" "$mode secondary slave"
  expect_eq "$(field "$out/ide-3.txt" 1508)" "" "$mode secondary slave capacity"

  drive escape || fail "$mode: Escape did not close the overview"
  drive close-start || fail "$mode: the program did not end"
  wait "$program" || true
  note "$mode: Drives and IDE pages as the report"
}

check_mode winxp
check_mode win98
echo "PASS"
