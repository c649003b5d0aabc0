#!/usr/bin/env bash
# The console reporter on every real SMBIOS table of the shared data, each
# in a profile of its own (dmi.bin or lowmem.bin): the report parses, and
# its SMBIOS element lists as many structures as dmidecode decodes, with
# the same BIOS vendor; one table through each way of reading it, and the
# BIOS areas a profile cannot hold.
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

# One real table through each way of the [firmware] section: the field
# values that tell the ways apart, as "Version StartAddress TableAddress
# TableCount" (V and N: the version and the count dmidecode gives).
bin=$(ls "$data"/*.bin | grep -v lowmem | head -n1)
name=$(basename "$bin" .bin)
structures=$(($(grep -c '^Handle ' "$data/$name.dmidecode.txt") - 1))
version=$(sed -n 's/^SMBIOS \([0-9.]*\) present.*/\1/p' "$data/$name.dmidecode.txt")
profile="$work/firmware"
mkdir -p "$profile"
ln -s "$bin" "$profile/dmi.bin"
echo 'ComSpec=C:\WINDOWS\system32\cmd.exe' >"$profile/environment.txt"
while IFS='|' read -r what section expected; do
  printf '[firmware]\n%b\n' "$section" >"$profile/machine.ini"
  out="$work/firmware.xml"
  got=$("$reporter" --profile "$profile" "$out" >/dev/null &&
    xmllint --xpath "concat(//SMBIOS/data[@name='Version'],' ',//SMBIOS/data[@name='StartAddress'],' ',
      //SMBIOS/data[@name='StructureTableStartAddress'],' ',//SMBIOS/data[@name='TableCount'])" "$out")
  expected=${expected//N/$structures}
  expected=${expected//V/$version}
  if [ "$got" = "$expected" ]; then
    passed=$((passed + 1))
  else
    echo "FAILED: $name, $what: '$got', expected '$expected'"
    failed=$((failed + 1))
  fi
done <<'EOF_CASES'
firmware table|FirmwareTable=1|V 0 0 N
physical memory section|Section=1|V 983040 917504 N
dump program|Section=0\nDumpProgram=runs|V 983040 917504 N
dump program that never ends|Section=0\nDumpProgram=hangs| 0 0 -1
EOF_CASES

# A BIOS area the profile cannot hold is an error that names its file.
bad="$work/bad"
mkdir -p "$bad"
: >"$bad/machine.ini"
while IFS='|' read -r what file bytes; do
  rm -f "$bad"/*.bin
  head -c "$bytes" /dev/zero >"$bad/$file"
  [ "$file" = dmi.bin ] && [ "$bytes" -gt 32 ] && printf '_SM_' | dd of="$bad/$file" conv=notrunc status=none
  message=$("$reporter" --profile "$bad" "$work/bad.xml" 2>&1 >/dev/null)
  status=$?
  if [ "$status" = 2 ] && grep -q "$file" <<<"$message"; then
    passed=$((passed + 1))
  else
    echo "FAILED: $what: status $status, '$message'"
    failed=$((failed + 1))
  fi
done <<'EOF_CASES'
a first megabyte that is too short|lowmem.bin|1000
a dump shorter than its entry point|dmi.bin|3
a table larger than the BIOS area|dmi.bin|70000
EOF_CASES

echo "smbios reports: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
