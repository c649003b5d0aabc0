#!/usr/bin/env bash
# A profile made from real regedit exports of the Wine machine gives the
# native console reporter the same header and registry values as the Windows
# reporter running on that machine.
source "$(dirname "$0")/lib.sh"
: "${SYSINSPECT_NATIVE_REPORT:?the native reporter is needed}"
export LANG=C LC_ALL=C  # Wine answers code page 1252 and language 0x0409
wine_setup
wine_set_version winxp

wine_report="$TEST_OUT/wine.xml"
run_report "$wine_report"

profile="$TEST_OUT/profile"
rm -rf "$profile"
mkdir -p "$profile/registry.d"
wine_export_reg HKEY_LOCAL_MACHINE "$profile/registry.d/hklm.reg"
wine_export_reg HKEY_CURRENT_USER "$profile/registry.d/hkcu.reg"
# A real version 5.00 export: UTF-16LE with a byte-order mark.
[ "$(head -c 2 "$profile/registry.d/hklm.reg" | od -An -tx1 | tr -d ' ')" = "fffe" ] ||
  fail "regedit did not write a UTF-16 export"
cat >"$profile/machine.ini" <<INI
[machine]
CodePage=1252
LangId=0x0409
ComputerName=not-the-registry-name
[version]
PlatformId=2
Major=5
Minor=1
Build=2600
CSD=Service Pack 3
Extended=1
ServicePackMajor=3
ProductType=1
INI

native_report="$TEST_OUT/native.xml"
"$SYSINSPECT_NATIVE_REPORT" --profile "$profile" "$native_report" >/dev/null || fail "the native reporter failed"
check_xml "$native_report"

# The declaration and the root tag, byte for byte.
for line in 1 2; do
  expect_eq "$(sed -n "${line}p" "$native_report")" "$(sed -n "${line}p" "$wine_report")" "header line $line"
done

# Values the topics read from the registry, where both reports hold them.
compared=0
while read -r element name; do
  [ -n "$element" ] || continue
  xml_has "$wine_report" "//$element//data[@name='$name']" || continue
  expect_eq "$(xml_data "$native_report" "$element" "$name")" "$(xml_data "$wine_report" "$element" "$name")" \
    "$element $name"
  compared=$((compared + 1))
done <"$WINE_TESTS_DIR/registry_values.txt"
note "header and $compared registry values agree"
echo "PASS"
