# The printers, products and startup entries the software tests install in
# a private prefix through the system's interfaces, and the checks of a
# report's Printers, Software and Startup elements. Sourced after lib.sh.

FIXTURES="$WIN_PROGRAMS/sysinspect-wine-fixtures.exe"
STARTUP_KEY='Microsoft\Windows\CurrentVersion'
CLOCK_TARGET='C:\Program Files\Tray Clock\clock.exe'
CLOCK_ARGUMENTS='"C:\users\Public\My Notes.txt" /min'

fixture() { "$WINE_BIN" "$FIXTURES" "$@" >/dev/null || fail "the fixture '$*' could not be made"; }

# The machine's once-only run values. Wine runs and deletes them when a
# session starts, so they go in right before a report, into a session that
# is kept until the report is written (report_with_once_values).
write_once_fixtures() {
  local view
  {
    printf 'REGEDIT4\r\n\r\n'
    for view in 'HKEY_LOCAL_MACHINE\Software' 'HKEY_LOCAL_MACHINE\Software\Wow6432Node'; do
      printf '[%s\\%s\\RunOnce]\r\n"Finish Setup"="setup.exe /finish"\r\n\r\n' "$view" "$STARTUP_KEY"
      printf '[%s\\%s\\RunServicesOnce]\r\n"Once Service"="once.exe"\r\n\r\n' "$view" "$STARTUP_KEY"
    done
  } >"$1"
}

# report_with_once_values OUT.xml: the report of a session that started
# before the once-only values were imported.
report_with_once_values() {
  write_once_fixtures "$TEST_OUT/once.reg"
  "$WINESERVER_BIN" -p
  "$WINE_BIN" reg query 'HKCU\Software\Wine' >/dev/null 2>&1 || true  # the session's start-up runs first
  regedit_import "$TEST_OUT/once.reg"
  run_report "$1"
  "$WINESERVER_BIN" -k
  "$WINESERVER_BIN" -w
}

# The registry fixtures: run values of every key (a DWORD among them), the
# RunOnceEx steps, boot execute, the logon program, the user's load value
# and two uninstall entries; HKLM\Software in both registry views.
write_registry_fixtures() {
  local machine='HKEY_LOCAL_MACHINE\Software' user='HKEY_CURRENT_USER\Software' view
  {
    printf 'REGEDIT4\r\n\r\n'
    printf '[%s\\%s\\Run]\r\n"Tray Clock"="\\"C:\\\\Program Files\\\\Tray Clock\\\\clock.exe\\" /tray"\r\n"Counter"=dword:0000002a\r\n\r\n' "$user" "$STARTUP_KEY"
    printf '[%s\\%s\\RunOnce]\r\n"Welcome"="welcome.exe"\r\n\r\n' "$user" "$STARTUP_KEY"
    printf '[%s\\%s\\RunOnceEx\\0002]\r\n"Clean"="cleanup.exe"\r\n\r\n' "$user" "$STARTUP_KEY"
    printf '[%s\\%s\\RunServices]\r\n"User Service"="usersvc.exe"\r\n\r\n' "$user" "$STARTUP_KEY"
    printf '[%s\\%s\\RunServicesOnce]\r\n"User Once"="useronce.exe"\r\n\r\n' "$user" "$STARTUP_KEY"
    printf '[%s\\Microsoft\\Windows NT\\CurrentVersion\\Windows]\r\n"Load"="loader.exe"\r\n\r\n' "$user"
    # "autocheck autochk *", NUL, "second", NUL, NUL
    printf '[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager]\r\n"BootExecute"=hex(7):61,75,74,6f,63,68,65,63,6b,20,61,75,74,6f,63,68,6b,20,2a,00,73,65,63,6f,6e,64,00,00\r\n\r\n'
    for view in "$machine" "$machine\\Wow6432Node"; do
      printf '[%s\\%s\\Run]\r\n"Updater"="C:\\\\Program Files\\\\Updater\\\\update.exe -background"\r\n\r\n' "$view" "$STARTUP_KEY"
      printf '[%s\\%s\\RunOnceEx\\0001]\r\n"Register"="||C:\\\\windows\\\\system32\\\\setupapi.dll|InstallHinfSection"\r\n\r\n' "$view" "$STARTUP_KEY"
      printf '[%s\\%s\\RunOnceEx\\DEPEND]\r\n"Skipped"="never.exe"\r\n\r\n' "$view" "$STARTUP_KEY"
      printf '[%s\\%s\\RunServices]\r\n"Helper"="helper.exe"\r\n\r\n' "$view" "$STARTUP_KEY"
      printf '[%s\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon]\r\n"UserInit"="C:\\\\windows\\\\system32\\\\userinit.exe,"\r\n\r\n' "$view"
      printf '[%s\\%s\\Uninstall\\Tools]\r\n"DisplayName"="Tools & Things"\r\n"UninstallString"="\\"C:\\\\Program Files\\\\Tools\\\\uninstall.exe\\" /S"\r\n\r\n' "$view" "$STARTUP_KEY"
      printf '[%s\\%s\\Uninstall\\Hidden Part]\r\n"UninstallString"="part.exe"\r\n\r\n' "$view" "$STARTUP_KEY"
    done
  } >"$1"
}

# A PostScript driver with two printers, the second the default (named in
# other letter case); registry fixtures; in the user's startup folder a
# link with a quoted argument, a link whose target is gone, and a file that
# is no link; entries of the two initialisation files.
install_software_fixtures() {
  fixture add-driver "Generic PostScript" "$(wine_path "$WINE_TESTS_DIR/postscript.ppd")"
  fixture add-printer "Draft Printer" "FILE:" "Generic PostScript"
  fixture add-printer "Office Laser" "LPT1:" "Generic PostScript"
  fixture write-profile WIN.INI windows device "OFFICE LASER,winspool,LPT1:"
  fixture write-profile SYSTEM.INI boot shell "Explorer.exe"
  write_registry_fixtures "$TEST_OUT/fixtures.reg"
  wine_import_reg "$TEST_OUT/fixtures.reg"
  local startup drive_c="$WINEPREFIX/drive_c"
  startup=$("$WINE_BIN" "$FIXTURES" folder 7 | tr -d '\r')
  [ -n "$startup" ] || fail "no startup folder"
  mkdir -p "$drive_c/Program Files/Tray Clock" "$drive_c/Program Files/Gone"
  touch "$drive_c/Program Files/Tray Clock/clock.exe" "$drive_c/Program Files/Gone/gone.exe"
  fixture make-link "$startup\\Tray Clock.lnk" "$CLOCK_TARGET" "$CLOCK_ARGUMENTS"
  fixture make-link "$startup\\Gone.lnk" 'C:\Program Files\Gone\gone.exe' '-x'
  rm -r "$drive_c/Program Files/Gone"
  local unix_startup="$drive_c/${startup#[Cc]:\\}"
  printf 'not a shell link' >"${unix_startup//\\//}/Broken.lnk"
  "$WINESERVER_BIN" -w
}

# section_entries REPORT SECTION: the section's entries, "name<TAB>command", sorted.
section_entries() {
  xmllint --xpath "//Startup/section[@name='$2']/data[@name!='Count']" "$1" 2>/dev/null | tr -d '\r' |
    sed -n 's/^<data name="\(.*\)" type="string">\(.*\)<\/data>$/\1\t\2/p' |
    sed 's/&quot;/"/g; s/&apos;/'"'"'/g; s/&lt;/</g; s/&gt;/>/g; s/&amp;/\&/g' | LC_ALL=C sort
}

# expect_section REPORT SECTION [name<TAB>command ...]: exactly these entries.
expect_section() {
  local report=$1 section=$2
  shift 2
  local expected=""
  [ $# -gt 0 ] && expected=$(printf '%s\n' "$@" | LC_ALL=C sort)
  expect_eq "$(section_entries "$report" "$section")" "$expected" "$section entries"
  expect_eq "$(xmllint --xpath "string(//Startup/section[@name='$section']/data[@name='Count'])" "$report")" "$#" \
    "$section Count"
}

# registry_entries ROOT\KEY: the string and DWORD values the registry holds,
# "name<TAB>text" as the report writes them.
registry_entries() {
  local name type value
  { "$WINE_BIN" reg query "$1" 2>/dev/null || true; } | tr -d '\r' |
    sed -n 's/^    \(.*\)    \(REG_[A-Z_]*\)    \(.*\)$/\1\t\2\t\3/p' |
    while IFS=$'\t' read -r name type value; do
      [ "$type" = REG_DWORD ] && value=$((value))
      printf '%s\t%s\n' "$name" "$value"
    done
}
