#!/usr/bin/env bash
# The Printers, Software and Startup elements in winxp and win98 modes: in
# a fresh prefix no printers, no products and no startup entries but Wine's
# own; then, with printers, products, run values, links and initialisation
# entries installed through the system's interfaces, exactly those, with
# the right default printer, link targets and arguments.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/software_fixtures.sh"
wine_setup

# Every startup section, in report order.
SECTIONS="UserStartup CommonStartup HKLM_Run HKLM_Once HKLM_OnceEx HKLM_Services HKLM_ServicesOnce
HKLM_SessionManager HKLM_WinLogon HKCU_Run HKCU_Once HKCU_OnceEx HKCU_Services HKCU_ServicesOnce HKCU_Load
WIN_INI SYSTEM_INI"
LM='HKLM\Software\Microsoft\Windows\CurrentVersion'
WINLOGON='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Winlogon'

check_common() {
  local out=$1 mode=$2
  expect_eq "$(xmllint --xpath 'count(/classes/Printers/following-sibling::*[1][self::Software]/following-sibling::*[1][self::Startup])' "$out")" \
    1 "$mode: Printers, Software and Startup close the report in that order"
  expect_eq "$(xmllint --xpath '//Startup/section/@name' "$out" | sed 's/ name="\([^"]*\)"/\1/' | tr '\n' ' ')" \
    "$(echo $SECTIONS) " "$mode section order"
  local sum=0 count
  for count in $(xmllint --xpath "//Startup/section/data[@name='Count']/text()" "$out"); do sum=$((sum + count)); done
  note "$mode: $sum startup entries"
}

check_fresh() {
  local mode=$1 out="$TEST_OUT/fresh-$1.xml"
  wine_set_version "$mode"
  run_report "$out"
  check_common "$out" "$mode"
  expect_eq "$(xml_data "$out" Printers Count)" 0 "$mode fresh printers"
  expect_eq "$(xmllint --xpath 'count(//Software/data)' "$out")" 0 "$mode fresh products"
  local section
  for section in $SECTIONS; do
    case $section in
      HKLM_WinLogon) expect_section "$out" "$section" $'Shell\texplorer.exe' ;;
      HKLM_Services) mapfile -t own < <(registry_entries "$LM\\RunServices")
                     expect_section "$out" "$section" "${own[@]}" ;;
      *) expect_section "$out" "$section" ;;
    esac
  done
  note "$mode: a fresh prefix has no printers, products or startup entries but Wine's own"
}

check_fixtures() {
  local mode=$1 out="$TEST_OUT/fixtures-$1.xml"
  wine_set_version "$mode"
  report_with_once_values "$out"
  check_common "$out" "$mode"
  expect_eq "$(xml_data "$out" Printers Count)" 2 "$mode printers"
  expect_eq "$(xml_data "$out" Printers 'Office Laser (Default)')" "LPT1:" "$mode default printer"
  expect_eq "$(xml_data "$out" Printers 'Draft Printer')" "FILE:" "$mode second printer"
  expect_eq "$(xmllint --xpath 'count(//Software/data)' "$out")" 1 "$mode products"
  expect_eq "$(xml_data "$out" Software 'Tools & Things')" '"C:\Program Files\Tools\uninstall.exe" /S' "$mode product"

  expect_section "$out" UserStartup $'Broken\t ' $'Gone\tC:\\Program Files\\Gone\\gone.exe -x' \
    "Tray Clock"$'\t'"$CLOCK_TARGET $CLOCK_ARGUMENTS"
  expect_section "$out" CommonStartup
  expect_section "$out" HKCU_Run $'Tray Clock\t"C:\\Program Files\\Tray Clock\\clock.exe" /tray' $'Counter\t42'
  expect_section "$out" HKLM_Run $'Updater\tC:\\Program Files\\Updater\\update.exe -background'
  expect_section "$out" HKCU_Once $'Welcome\twelcome.exe'
  expect_section "$out" HKLM_Once $'Finish Setup\tsetup.exe /finish'
  expect_section "$out" HKLM_OnceEx $'Register\tC:\\windows\\system32\\setupapi.dll InstallHinfSection'
  expect_section "$out" HKCU_OnceEx $'Clean\tcleanup.exe'
  mapfile -t services < <(registry_entries "$LM\\RunServices")
  printf '%s\n' "${services[@]}" | grep -qx $'Helper\thelper.exe' || fail "$mode: no Helper among the run services"
  expect_section "$out" HKLM_Services "${services[@]}"
  expect_section "$out" HKLM_ServicesOnce $'Once Service\tonce.exe'
  expect_section "$out" HKCU_Services $'User Service\tusersvc.exe'
  expect_section "$out" HKCU_ServicesOnce $'User Once\tuseronce.exe'
  expect_section "$out" HKLM_SessionManager $'BootExecute\tautocheck autochk *'
  expect_section "$out" HKLM_WinLogon $'UserInit\tC:\\windows\\system32\\userinit.exe,' $'Shell\texplorer.exe'
  expect_section "$out" HKCU_Load $'Load\tloader.exe'
  # The [windows] section of WIN.INI is the registry key of the load value.
  expect_section "$out" WIN_INI $'Load\tloader.exe'
  expect_section "$out" SYSTEM_INI $'shell\tExplorer.exe'
  note "$mode: the installed printers, product and startup entries, exactly"
}

check_fresh winxp
check_fresh win98
install_software_fixtures
check_fixtures winxp
check_fixtures win98
echo "PASS"
