#!/usr/bin/env bash
# The console reporter on every real SMBIOS table of the shared data, each
# in a profile of its own (dmi.bin or lowmem.bin): the report parses, and
# its SMBIOS element lists as many structures as dmidecode decodes, with
# the same BIOS vendor.
set -uo pipefail
reporter=$(readlink -f "$1")
data=$(readlink -f "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

for bin in "$data"/*.bin; do
  name=$(basename "$bin" .bin)
  profile="$work/$name"
  mkdir -p "$profile"
  : >"$profile/machine.ini"
  case "$name" in
    *.lowmem) ln -s "$bin" "$profile/lowmem.bin" ;;
    *) ln -s "$bin" "$profile/dmi.bin" ;;
  esac
  out="$work/$name.xml"
  problem=""
  if ! "$reporter" --profile "$profile" "$out" >/dev/null; then
    problem="the reporter failed"
  elif ! xmllint --noout "$out"; then
    problem="not well-formed"
  else
    text="$data/$name.dmidecode.txt"
    tables=$(xmllint --xpath "count(//SMBIOS/data[starts-with(@name,'Table_')])" "$out")
    handles=$(grep -c '^Handle ' "$text")
    vendor=$(xmllint --xpath "string(//SMBIOS/section[@name='BIOS']/data[@name='Vendor'])" "$out")
    expected=$(awk -F': ' '/^\tVendor:/ {print $2; exit}' "$text" | sed 's/ *$//')
    [ "$tables" = "$handles" ] || problem="$tables structures, dmidecode decodes $handles"
    [ "$vendor" = "$expected" ] || problem="BIOS vendor '$vendor', dmidecode '$expected'"
  fi
  if [ -z "$problem" ]; then
    passed=$((passed + 1))
  else
    echo "FAILED: $name: $problem"
    failed=$((failed + 1))
  fi
done

echo "smbios reports: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
