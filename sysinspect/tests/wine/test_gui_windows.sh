#!/usr/bin/env bash
# The program's windows used as a person would, in winxp and win98 modes:
# the start window's Chinese buttons, the overview with its 17 tabs, the
# filled pages against the console report of the same machine, the detail
# dialog, both report commands through the real save dialog, Refresh,
# Escape, and the end of the program. Screenshots of every window go to the
# test's output directory for review.
source "$(dirname "$0")/lib.sh"
wine_setup --display

gui_driver

# The CJK font link for the dialog fonts (East Asian support on Windows).
wine_import_reg "$WINE_TESTS_DIR/fontlink.reg"
# Every window of this prefix in one virtual desktop: Wine draws the frames,
# and the driver finds the program's windows in the same desktop.
wine_virtual_desktop

field() { awk -F'\t' -v id="$2" '$1 == id { print $3; exit }' "$1"; }
digits() { tr -cd '0-9-'; }
proposed() { awk -F'\t' '$1 == "proposed" { print $2; exit }' "$1"; }

check_mode() {
  local mode=$1 os_tab=$2
  local out="$TEST_OUT/$mode"
  mkdir -p "$out"
  rm -f "$out"/*
  wine_set_version "$mode"
  run_report "$out/console.xml"
  local machine
  machine=$(xml_root "$out/console.xml" machine)

  "$WINE_BIN" "$WIN_PROGRAMS/sysinspect.exe" >"$out/program.log" 2>&1 &
  local program=$!

  drive start-captions >"$out/captions.txt" || fail "$mode: $(cat "$out/captions.txt")"
  expect_eq "$(sed -n 1p "$out/captions.txt")" "确定" "$mode first button"
  expect_eq "$(sed -n 2p "$out/captions.txt")" "关闭" "$mode second button"
  shot "$mode-start"

  drive open-overview >"$out/open.txt" || fail "$mode: $(cat "$out/open.txt")"
  grep -q "start window enabled: 0" "$out/open.txt" || fail "$mode: the start window stays usable under the overview"
  shot "$mode-overview"

  drive tabs >"$out/tabs.txt" || fail "$mode: no tabs"
  local expected=" Machine |$os_tab| CPU | Memory | Display | APM | Media | Network | Devices | Printers | IDE | Engines | Drives |Time Zone| Startup | Software |About"
  expect_eq "$(paste -sd'|' "$out/tabs.txt")" "$expected" "$mode tab captions"

  # Operating System page against the OperatingSystem element.
  drive select-tab "$os_tab" || fail "$mode: cannot select $os_tab"
  drive dump >"$out/os.txt"
  shot "$mode-page-os"
  expect_eq "$(field "$out/os.txt" 702)" "Version: $(xml_data "$out/console.xml" OperatingSystem MajorVersion).$(xml_data "$out/console.xml" OperatingSystem MinorVersion).$(xml_data "$out/console.xml" OperatingSystem Build)" "$mode version line"
  expect_eq "$(field "$out/os.txt" 705)" "$(xml_data "$out/console.xml" OperatingSystem ProductID)" "$mode product id"
  expect_eq "$(field "$out/os.txt" 707)" "$(xml_data "$out/console.xml" OperatingSystem RegisteredUser)" "$mode registered user"

  # The environment in the detail dialog.
  drive press 710 || fail "$mode: no Environment button"
  drive dialog-dump TdlgNSX_Detail >"$out/environment.txt" || fail "$mode: no detail dialog"
  shot "$mode-detail-environment"
  grep -q $'^caption\tSystem Information$' "$out/environment.txt" || fail "$mode: detail dialog caption"
  grep -q $'\tStatic\tEnvironment$' "$out/environment.txt" || fail "$mode: detail dialog title"
  grep -qi $'\trow\tPATH | ' "$out/environment.txt" || fail "$mode: no PATH row in the environment"
  drive dialog-close TdlgNSX_Detail || fail "$mode: the detail dialog stays"

  # CPU page against the CPU element.
  drive select-tab CPU && drive dump >"$out/cpu.txt"
  shot "$mode-page-cpu"
  local name_string
  name_string=$(xmllint --xpath "string((//CPU/data[@name='NameString' and @source='CPUID'])[1])" "$out/console.xml")
  # The page shows the name as the processor pads it; the report trims it.
  expect_eq "$(field "$out/cpu.txt" 808 | sed "s/ *$//")" "Name String: $name_string" "$mode CPU name string"

  # Memory page: totals follow the live update, free amounts move.
  drive select-tab Memory && sleep 2 && drive dump >"$out/memory.txt"
  shot "$mode-page-memory"
  expect_eq "$(field "$out/memory.txt" 901 | digits)" "$(xml_data "$out/console.xml" Memory PhysicalTotal)" "$mode physical total"
  expect_eq "$(field "$out/memory.txt" 903 | digits)" "$(xml_data "$out/console.xml" Memory PageFileTotal)" "$mode page-file total"

  drive select-tab APM && drive dump >"$out/apm.txt"
  shot "$mode-page-apm"
  expect_eq "$(field "$out/apm.txt" 1001)" "$(xml_data "$out/console.xml" APM ACPowerStatus)" "$mode AC power"
  expect_eq "$(field "$out/apm.txt" 1002)" "$(xml_data "$out/console.xml" APM BatteryChargeStatus)" "$mode battery"

  drive select-tab "Time Zone" && drive dump >"$out/tz.txt"
  shot "$mode-page-timezone"
  expect_eq "$(field "$out/tz.txt" 1101)" "$(xml_data "$out/console.xml" TimeZone TimeZone)" "$mode time zone"

  # Report... -> All Topics, a name typed without ".xml" is kept exactly.
  drive report all "$(wine_path "$out")\\all-topics" >"$out/report-all.txt" || fail "$mode: $(cat "$out/report-all.txt")"
  expect_eq "$(proposed "$out/report-all.txt")" "${machine}_SystemInfo.xml" "$mode proposed name"
  [ -f "$out/all-topics" ] || fail "$mode: All Topics did not write all-topics"
  check_xml "$out/all-topics"
  for element in OperatingSystem CPU Memory APM; do
    xml_has "$out/all-topics" "/classes/$element" || fail "$mode: All Topics lacks $element"
  done
  if grep -q $'[^\r]$' "$out/all-topics"; then fail "$mode: a report line ends without CR"; fi

  # Current Topic on the CPU page: one element, its own document.
  drive select-tab CPU
  drive report current "$(wine_path "$out")\\cpu.xml" >"$out/report-cpu.txt" || fail "$mode: $(cat "$out/report-cpu.txt")"
  expect_eq "$(proposed "$out/report-cpu.txt")" "${machine}_CPU.xml" "$mode proposed CPU name"
  check_xml "$out/cpu.xml"
  # The CPU topic alone (its feature and cache elements follow it), no other topic.
  expect_eq "$(xmllint --xpath 'name(/classes/*[1])' "$out/cpu.xml")" "CPU" "$mode first element of the CPU report"
  expect_eq "$(xmllint --xpath 'count(/classes/OperatingSystem | /classes/Memory | /classes/APM)' "$out/cpu.xml")" "0" "$mode other topics in the CPU report"

  # Current Topic on About writes an empty file.
  drive select-tab About && drive dump >"$out/about.txt"
  shot "$mode-page-about"
  drive report current "$(wine_path "$out")\\about.xml" >"$out/report-about.txt" || fail "$mode: $(cat "$out/report-about.txt")"
  expect_eq "$(proposed "$out/report-about.txt")" "${machine}_About.xml" "$mode proposed About name"
  [ -f "$out/about.xml" ] && [ ! -s "$out/about.xml" ] || fail "$mode: Current Topic on About is not an empty file"

  # Cancelling the save dialog writes nothing.
  local before
  before=$(ls "$out" | wc -l)
  drive cancel-report || fail "$mode: cancel"
  expect_eq "$(ls "$out" | wc -l)" "$before" "$mode files after a cancelled report"

  drive refresh || fail "$mode: Refresh"
  drive escape || fail "$mode: Escape did not close the overview"
  drive close-start || fail "$mode: the second button did not end the program"
  wait "$program" || true
  note "$mode: windows, pages and reports as expected"
}

check_mode winxp "Windows NT"
check_mode win98 "Windows 9x"

# Windows of the program's own code that need no machine to show.
for window in splash resources gauges; do
  drive show "$window" 4 &
  shower=$!
  sleep 2.5
  shot "window-$window"
  wait "$shower" || fail "the driver could not show $window"
done
echo "PASS"
