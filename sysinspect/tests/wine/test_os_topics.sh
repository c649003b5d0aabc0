#!/usr/bin/env bash
# The operating-system elements under each Windows version Wine offers:
# version numbers, service pack, platform, product type, folders that exist,
# the time zone Wine is given through TZ, the locale of LANG, the browser and
# a proxy from the registry, in the order the operating system reports them.
source "$(dirname "$0")/lib.sh"
wine_setup

# Windows path -> the prefix's file.
unix_path() {
  local path=${1#[Cc]:}
  echo "$WINEPREFIX/drive_c${path//\\//}"
}

# The registry's string value NAME of KEY.
reg_string() {
  "$WINE_BIN" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name && $2 == "REG_SZ" { sub(/^[ \t]*[^ \t]+[ \t]+REG_SZ[ \t]+/, ""); print; exit }'
}

# M/D/YYYY of the last Sunday of a month.
last_sunday() {
  local year=$1 month=$2 day
  for day in 31 30 29 28 27 26 25 24; do
    if date -d "$year-$month-$day" >/dev/null 2>&1 && [ "$(date -d "$year-$month-$day" +%u)" = 7 ]; then
      echo "$month/$day/$year"
      return
    fi
  done
}

# The topic elements of a report, in order.
elements() {
  tr -d '\r' <"$1" | grep -o '^<[A-Za-z]* classname=' | sed 's/^<//; s/ classname=//' | tr '\n' ' '
}

proxy_reg="$TEST_OUT/proxy.reg"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings]\r\n"ProxyEnable"=dword:00000001\r\n"ProxyServer"="proxy.example:3128"\r\n' >"$proxy_reg"
wine_import_reg "$proxy_reg"

check_mode() {
  local version=$1 major=$2 minor=$3 build=$4 csd=$5 platform=$6 product=$7 servicepack=$8
  wine_set_version "$version"
  local out="$TEST_OUT/$version.xml"
  TZ=Europe/Berlin LANG=C.UTF-8 LC_ALL=C.UTF-8 run_report "$out"

  expect_eq "$(xml_data "$out" OperatingSystem MajorVersion)" "$major" "$version MajorVersion"
  expect_eq "$(xml_data "$out" OperatingSystem MinorVersion)" "$minor" "$version MinorVersion"
  expect_eq "$(xml_data "$out" OperatingSystem Build)" "$build" "$version Build"
  expect_eq "$(xml_data "$out" OperatingSystem CSD)" "$csd" "$version CSD"
  expect_eq "$(xml_data "$out" OperatingSystem Platform)" "$platform" "$version Platform"

  local current
  if [ -n "$product" ]; then
    expect_eq "$(elements "$out" | grep -o 'OperatingSystem NTSpecific TimeZone Internet LocaleInfo')" \
      "OperatingSystem NTSpecific TimeZone Internet LocaleInfo" "$version element order"
    expect_eq "$(xml_data "$out" NTSpecific ProductType)" "$product" "$version ProductType"
    expect_eq "$(xml_data "$out" NTSpecific ServicePack_MajorVersion)" "$servicepack" "$version service pack"
    current='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
    expect_eq "$(xml_data "$out" OperatingSystem VersionName)" "$(reg_string "$current" CurrentType)" "$version VersionName"
  else
    expect_eq "$(elements "$out" | grep -o 'OperatingSystem TimeZone Internet LocaleInfo')" \
      "OperatingSystem TimeZone Internet LocaleInfo" "$version element order"
    xml_has "$out" "//NTSpecific" && fail "$version: the 9x family has no NTSpecific element"
    current='HKLM\Software\Microsoft\Windows\CurrentVersion'
  fi
  expect_eq "$(xml_data "$out" OperatingSystem ProductID)" "$(reg_string "$current" ProductId)" "$version ProductID"

  # Folders: the system's directories and the shell folders exist in the prefix.
  expect_eq "$(xml_data "$out" OperatingSystem Windows)" "C:\\windows" "$version Windows folder"
  expect_eq "$(xml_data "$out" OperatingSystem System)" "C:\\windows\\system32" "$version System folder"
  local folder path
  for folder in Windows System Temp Fonts Desktop AppData MyDocuments Programs StartMenu Profile; do
    path=$(xml_data "$out" OperatingSystem "$folder")
    [ -n "$path" ] || fail "$version: the folder $folder is empty"
    [ -d "$(unix_path "$path")" ] || fail "$version: the folder $folder ($path) does not exist"
  done
  expect_eq "$(xml_data "$out" OperatingSystem Profile)" "$(dirname "$(xml_data "$out" OperatingSystem Desktop | tr '\\' /)" | tr / '\\')" \
    "$version Profile"

  # Europe/Berlin: the zone Wine chose, its display name from the zone table,
  # and this year's transitions on the last Sundays of March and October.
  local zone_key year
  zone_key=$(TZ=Europe/Berlin reg_string 'HKLM\System\CurrentControlSet\Control\TimeZoneInformation' TimeZoneKeyName)
  [ -n "$zone_key" ] || fail "Wine names no time zone"
  local table='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Time Zones'
  [ -n "$product" ] || table='HKLM\Software\Microsoft\Windows\CurrentVersion\Time Zones'
  expect_eq "$(xml_data "$out" TimeZone TimeZone)" "$(reg_string "$table\\$zone_key" Display)" "$version zone display name"
  year=$(TZ=Europe/Berlin date +%Y)
  expect_eq "$(xml_data "$out" TimeZone DaylightName)" "$(last_sunday "$year" 3) 2:00:00 AM" "$version daylight start"
  expect_eq "$(xml_data "$out" TimeZone StandardName)" "$(last_sunday "$year" 10) 3:00:00 AM" "$version standard start"
  expect_eq "$(xml_data "$out" TimeZone StandardBias)" "-60" "$version StandardBias"
  expect_eq "$(xml_data "$out" TimeZone DaylightBias)" "-120" "$version DaylightBias"

  # Internet: the browser's program exists; the proxy of the registry.
  path=$(xml_data "$out" Internet DefaultBrowser)
  [ -f "$(unix_path "$path")" ] || fail "$version: the browser '$path' does not exist"
  expect_eq "$(xml_data "$out" Internet Connection)" "LAN" "$version Connection"
  expect_eq "$(xml_data "$out" Internet ProxyServer)" "proxy.example:3128" "$version ProxyServer"

  expect_eq "$(xml_data "$out" LocaleInfo FullEnglishLanguageName)" "English" "$version language"
  note "$version: OS elements as Wine reports them"
}

# version  major minor build  CSD               platform       product type        SP
check_mode winxp 5 1 2600 "Service Pack 3" "Windows NT" "Professional" 3
check_mode win2k 5 0 2195 "Service Pack 4" "Windows NT" "Professional" 4
check_mode win2003 5 2 3790 "Service Pack 2" "Windows NT" "Standard Edition" 2
check_mode win98 4 10 2222 " A " "Windows 9x" "" ""

# German locale, Tokyo time: no daylight saving.
wine_set_version winxp
out="$TEST_OUT/german.xml"
# Through a small wrapper: the shell itself need not know the locale.
german_wine="$TEST_OUT/wine-german.sh"
printf '#!/bin/sh\nTZ=Asia/Tokyo LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 exec "%s" "$@"\n' "$WINE_BIN" >"$german_wine"
chmod +x "$german_wine"
WINE_BIN="$german_wine" run_report "$out"
expect_eq "$(xml_data "$out" LocaleInfo FullEnglishLanguageName)" "German" "German language"
expect_eq "$(xml_data "$out" LocaleInfo CountryCode)" "49" "German country code"
expect_eq "$(xml_data "$out" LocaleInfo DecimalSeparator)" "," "German decimal separator"
expect_eq "$(xml_data "$out" LocaleInfo ShortDateOrder)" "D-M-Y" "German date order"
expect_eq "$(xml_data "$out" LocaleInfo TimeFormatSpecifier)" "24H" "German clock"
expect_eq "$(xml_data "$out" LocaleInfo MeasurementSystem)" "Metric" "German measures"
expect_eq "$(xml_data "$out" TimeZone StandardBias)" "0" "Tokyo StandardBias"
expect_eq "$(xml_data "$out" TimeZone DaylightBias)" "0" "Tokyo DaylightBias"
expect_eq "$(xml_data "$out" TimeZone DaylightName)" "30.12.1899" "Tokyo: no daylight start, in the German date format"
note "German locale and a zone without daylight saving"
echo "PASS"
