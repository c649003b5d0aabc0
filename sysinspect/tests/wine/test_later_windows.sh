#!/usr/bin/env bash
# Windows after Server 2003 (Wine's win7, win81 and win10 modes): the report
# names the release and its topics take the NT paths; a program without the
# manifest learns the release from ntdll where its version query says 6.2.
# And the free system resources in the win98 and winxp modes: an answer, or
# none, never an error.
source "$(dirname "$0")/lib.sh"
wine_setup

drive() { "$WINE_BIN" "$WIN_PROGRAMS/sysinspect-gui-driver.exe" "$@" 2>&1 | tr -d '\r'; return "${PIPESTATUS[0]}"; }
field() { awk -F'\t' -v key="$2" '$1 == key { print $2; exit }' "$1"; }

# The registry's string value NAME of KEY, in the view the programs see.
reg_string() {
  "$WINE_BIN" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name && $2 == "REG_SZ" { sub(/^[ \t]*[^ \t]+[ \t]+REG_SZ[ \t]+/, ""); print; exit }'
}

# The name a release has by number, product type and build, as Windows calls it.
release_name() {
  local major=$1 minor=$2 build=$3 product=$4
  local client server
  case "$major.$minor" in
    6.1) client="Windows 7" server="Windows Server 2008 R2" ;;
    6.3) client="Windows 8.1" server="Windows Server 2012 R2" ;;
    10.0)
      client="Windows 10"
      [ "$build" -lt 22000 ] || client="Windows 11"
      server="Windows Server 2016"
      [ "$build" -lt 17763 ] || server="Windows Server 2019"
      [ "$build" -lt 20348 ] || server="Windows Server 2022"
      ;;
    *) fail "no name known for $major.$minor" ;;
  esac
  if [ "$product" = Workstation ]; then echo "$client"; else echo "$server"; fi
}

check_mode() {
  local mode=$1 major=$2 minor=$3
  wine_set_version "$mode"
  local out="$TEST_OUT/$mode.xml"
  run_report "$out"
  grep -qv '^Report written to' <(tr -d '\r' <"$out.stdout") && fail "$mode: errors while gathering: $(cat "$out.stdout")"

  expect_eq "$(xml_data "$out" OperatingSystem MajorVersion).$(xml_data "$out" OperatingSystem MinorVersion)" \
    "$major.$minor" "$mode version"
  local build csd product name
  build=$(xml_data "$out" OperatingSystem Build)
  csd=$(xml_data "$out" OperatingSystem CSD)
  # Wine 8.0 gives its win7 mode the server product type; the name follows
  # what the version query says, as on Windows.
  product=$(xml_data "$out" NTSpecific ProductType)
  name=$(release_name "$major" "$minor" "$build" "$product")
  expect_eq "$(xml_root "$out" os)" "$name${csd:+ $csd} ($major.$minor.$build)" "$mode release"

  # The NT paths: platform, NT-specific element, the NT keys of the
  # operating-system and time-zone topics, memory read the extended way.
  expect_eq "$(xml_data "$out" OperatingSystem Platform)" "Windows NT" "$mode platform"
  xml_has "$out" "/classes/NTSpecific" || fail "$mode: no NTSpecific element"
  local current='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
  expect_eq "$(xml_data "$out" OperatingSystem VersionName)" "$(reg_string "$current" CurrentType)" "$mode VersionName"
  local zone_key
  zone_key=$(reg_string 'HKLM\System\CurrentControlSet\Control\TimeZoneInformation' TimeZoneKeyName)
  [ -n "$zone_key" ] || fail "$mode: Wine names no time zone"
  expect_eq "$(xml_data "$out" TimeZone TimeZone)" "$(reg_string "$current\\Time Zones\\$zone_key" Display)" \
    "$mode time zone from the NT table"
  local mem_kb physical
  mem_kb=$(awk '/^MemTotal:/ {print $2}' /proc/meminfo)
  physical=$(xml_data "$out" Memory PhysicalTotal)
  awk -v p="$physical" -v k="$mem_kb" 'BEGIN { t = k * 1024; d = p - t; if (d < 0) d = -d; exit !(d <= 0.01 * t) }' ||
    fail "$mode: physical memory $physical B is not the machine's $mem_kb kB"

  # A program without the manifest (the driver) is told the same release.
  local version="$TEST_OUT/$mode-driver.txt"
  drive os-version >"$version" || fail "$mode: the driver could not identify the release: $(cat "$version")"
  expect_eq "$(field "$version" version)" "$major.$minor.$build" "$mode release without the manifest"
  expect_eq "$(field "$version" name)" "$name${csd:+ $csd}" "$mode name without the manifest"
  note "$mode: $(xml_root "$out" os)"
}

check_mode win7 6 1
check_mode win81 6 3
check_mode win10 10 0

# Free system resources: 90 each on the NT family; on the 9x family the
# 16-bit heaps through the thunk (System the lower of GDI and User), or no
# answer (all 0) where the process has no 16-bit side.
for mode in winxp win98; do
  wine_set_version "$mode"
  resources="$TEST_OUT/$mode-resources.txt"
  drive free-resources >"$resources" || fail "$mode: free resources: $(cat "$resources")"
  system=$(field "$resources" System) gdi=$(field "$resources" GDI) user=$(field "$resources" User)
  if [ "$mode" = winxp ]; then
    expect_eq "$system/$gdi/$user" "90/90/90" "winxp free resources"
  elif [ "$system/$gdi/$user" = "0/0/0" ]; then
    note "win98: no free resources known ($WIN_BUILD_BITS-bit process)"
  else
    for percent in "$system" "$gdi" "$user"; do
      [ "$percent" -ge 1 ] && [ "$percent" -le 100 ] || fail "win98: $percent is no share of free resources"
    done
    lower=$((gdi < user ? gdi : user))
    expect_eq "$system" "$lower" "win98 system resources (the lower of GDI $gdi and User $user)"
    note "win98: System $system%, GDI $gdi%, User $user% free ($WIN_BUILD_BITS-bit process)"
  fi
done
echo "PASS"
