#!/usr/bin/env bash
# The Printers, Startup and Software pages against the console report of
# the same machine: in win98 mode without printers (the set-up button says
# so with the system's message), then in winxp mode with the printers, product and startup entries of
# the software fixtures (the set-up button opens the system's dialog).
# Screenshots go to the test's output directory for review.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/software_fixtures.sh"
wine_setup --display

gui_driver
wine_virtual_desktop

# rows DUMP ID: the rows of a list of a page dump, cells joined by " | ".
rows() { awk -F'\t' -v id="$2" '$1 == id && $2 == "row" { print $3 }' "$1"; }
unescape() { sed 's/&quot;/"/g; s/&apos;/'"'"'/g; s/&lt;/</g; s/&gt;/>/g; s/&amp;/\&/g'; }
# report_rows REPORT ELEMENT: "name | value" of its data lines but Count.
report_rows() {
  xmllint --xpath "//$2/data[@name!='Count']" "$1" 2>/dev/null | tr -d '\r' |
    sed -n 's/^<data name="\(.*\)" type="string">\(.*\)<\/data>$/\1 | \2/p' | unescape
}

start_program() {
  # The session starts first, so that its processes hold none of the driver's pipes.
  "$WINE_BIN" reg query 'HKCU\Software\Wine' >/dev/null 2>&1 || true
  "$WINE_BIN" "$WIN_PROGRAMS/sysinspect.exe" >"$1/program.log" 2>&1 &
  PROGRAM=$!
  drive open-overview >"$1/open.txt" || fail "$(cat "$1/open.txt")"
}

end_program() {
  drive escape || fail "Escape did not close the overview"
  drive close-start || fail "the program did not end"
  wait "$PROGRAM" || true
}

# The set-up button: a dialog of the overview comes up, shows TEXT (a
# pattern, without regard to case), and goes again by the button CLOSE
# (dialog-close for OK, dialog-cancel for Cancel).
press_setup() {
  local out=$1 name=$2 text=$3 close=$4
  drive press 2002 || fail "$name: no Properties... button"
  drive dialog-dump '#32770' >"$out/$name.txt" || fail "$name: no dialog after Properties..."
  shot "$name"
  grep -qi -- "$text" "$out/$name.txt" || fail "$name: the dialog does not show '$text': $(cat "$out/$name.txt")"
  drive "$close" '#32770' || fail "$name: the dialog stays"
  drive dump >/dev/null || fail "$name: the overview does not answer after the dialog"
}

# win98 without printers.
out="$TEST_OUT/win98"
mkdir -p "$out"
wine_set_version win98
start_program "$out"
drive select-tab Printers && drive dump >"$out/printers.txt"
shot win98-page-printers
expect_eq "$(rows "$out/printers.txt" 2001)" "" "win98 printer rows"
# The system's own message, not the set-up dialog.
press_setup "$out" win98-no-printer "install a printer" dialog-close
end_program
note "win98: no printers, and the set-up button says so"

# winxp with the fixtures.
install_software_fixtures
out="$TEST_OUT/winxp"
mkdir -p "$out"
wine_set_version winxp
run_report "$out/console.xml"
start_program "$out"

drive select-tab Printers && drive dump >"$out/printers.txt"
shot winxp-page-printers
expect_eq "$(rows "$out/printers.txt" 2001 | sort)" "$(report_rows "$out/console.xml" Printers | sed 's/ (Default) | / | /' | sort)" \
  "winxp printer rows"
expect_eq "$(drive row-images 2001 | paste -sd' ')" "35 36" "winxp printer icons (the second is the default)"
press_setup "$out" winxp-print-setup $'^1136\tComboBox\tOffice Laser$' dialog-cancel

drive select-tab Startup && drive dump >"$out/startup-folders.txt"
shot winxp-page-startup-folders
expect_eq "$(rows "$out/startup-folders.txt" 2201 | awk -F' \\| ' '{ print $1 " | " $3 }' | sort)" \
  "$(report_rows "$out/console.xml" "section[@name='UserStartup']" | sort)" "winxp startup folder rows"
drive sub-tab 2200 Regisry || fail "no registry tab"
drive dump >"$out/startup-registry.txt"
shot winxp-page-startup-registry
local_rows=$(rows "$out/startup-registry.txt" 2201 | awk -F' \\| ' '{ print $1 " | " $3 }' | sort)
report_registry=$(for s in HKCU_Run HKCU_Once HKCU_OnceEx HKCU_Services HKCU_ServicesOnce HKCU_Load HKLM_Run HKLM_Once \
  HKLM_OnceEx HKLM_Services HKLM_ServicesOnce HKLM_SessionManager HKLM_WinLogon; do
  report_rows "$out/console.xml" "section[@name='$s']"; done | sort)
expect_eq "$local_rows" "$report_registry" "winxp startup registry rows"
grep -q $'\trow\tCounter | HKEY_CURRENT_USER\\\\Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Run | 42$' \
  "$out/startup-registry.txt" || fail "winxp: the DWORD run value is not listed with its location"
drive sub-tab 2200 "INI files" || fail "no INI files tab"
drive dump >"$out/startup-ini.txt"
shot winxp-page-startup-ini
expect_eq "$(rows "$out/startup-ini.txt" 2201)" $'Load | WIN.INI | loader.exe\nshell | SYSTEM.INI | Explorer.exe' \
  "winxp startup INI rows"

drive select-tab Software && drive dump >"$out/software.txt"
shot winxp-page-software
expect_eq "$(rows "$out/software.txt" 2101)" "$(report_rows "$out/console.xml" Software)" "winxp software rows"
expect_eq "$(drive row-images 2101)" "16" "winxp product icon"
end_program
note "winxp: the pages show what the report shows"
echo "PASS"
