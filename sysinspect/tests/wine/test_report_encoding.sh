#!/usr/bin/env bash
# Reports of Western, Polish, Russian and Chinese machines: the declaration
# names the character set of the bytes written (the ANSI code page), so a
# parser reads the registered owner back with the right characters. (Wine
# sets the computer name from the host name at every start, so the owner is
# the text a scenario can give.)
source "$(dirname "$0")/lib.sh"
wine_setup
wine_set_version winxp

# check LOCALE LABEL NAME: the registered owner set through a version 5.00
# (UTF-16) scenario, read back from the report.
check() {
  local locale=$1 label=$2 name=$3
  local scenario="$TEST_OUT/name-$label.reg"
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\r\n"RegisteredOwner"="%s"\r\n' "$name" |
    iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$scenario"
  wine_import_reg "$scenario"
  local out="$TEST_OUT/$label.xml"
  LANG=$locale LC_ALL=$locale run_report "$out"
  local declared
  declared=$(head -n1 "$out" | sed -n 's/.*encoding="\([^"]*\)".*/\1/p')
  expect_eq "$declared" "$label" "$locale encoding label"
  if xml_has "$out" "//OperatingSystem"; then
    expect_eq "$(xml_data "$out" OperatingSystem RegisteredUser)" "$name" "$locale registered owner"
  fi
  note "$locale: $label, $name"
}

check C windows-1252 "CAFÉ-PC"
check pl_PL.UTF-8 windows-1250 "ŁÓDŹ-ŻÓŁW"
check ru_RU.UTF-8 windows-1251 "БУХГАЛТЕРИЯ"
check zh_CN.UTF-8 GBK "财务部-电脑"
echo "PASS"
