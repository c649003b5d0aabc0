#!/usr/bin/env bash
# The report's root tag under each Windows version Wine offers: the release's
# display name and numbers, and the upper-cased computer name.
source "$(dirname "$0")/lib.sh"
wine_setup

# The computer name as the registry holds it (the registry wins over the API).
computer_name() {
  "$WINE_BIN" reg query 'HKLM\SYSTEM\CurrentControlSet\Control\ComputerName\ComputerName' /v ComputerName 2>/dev/null |
    tr -d '\r' | awk '/ComputerName/ && /REG_SZ/ {print $3}'
}

check_version() {
  local version=$1 os=$2
  wine_set_version "$version"
  local out="$TEST_OUT/$version.xml"
  run_report "$out"
  expect_eq "$(xml_root "$out" os)" "$os" "$version os"
  local name
  name=$(computer_name)
  [ -n "$name" ] || fail "no computer name in the Wine registry"
  expect_eq "$(xml_root "$out" machine)" "${name^^}" "$version machine"
  expect_eq "$(xml_root "$out" version)" "8.2" "version"
  # CR LF after every line, the last one included.
  [ "$(tail -c 2 "$out" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "$version: the file does not end with CR LF"
  if grep -q $'[^\r]$' "$out"; then fail "$version: a line ends without CR"; fi
  note "$version: $os"
}

check_version winxp "Windows XP Service Pack 3 (5.1.2600)"
check_version win98 "Windows 98 Second Edition (4.10.2222)"
check_version win2k "Windows 2000 Service Pack 4 (5.0.2195)"
check_version win2003 "Windows Server 2003 Service Pack 2 (5.2.3790)"
echo "PASS"
