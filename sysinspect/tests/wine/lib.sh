# Shared steps of the Wine integration tests: a Wine prefix made once per
# build directory, the Windows version set per test, registry scenarios
# imported with regedit, the real programs run headless, and every report
# checked by an XML parser.
#
# The tests run the x86-64 build of the Windows programs under wine64: the
# machines here cannot execute 32-bit x86 code, so 32-bit Wine cannot start.
#
# Environment (set by CTest): SYSINSPECT_WIN_BUILD (directory holding the
# Windows build's sysinspect/ programs), SYSINSPECT_TEST_WORK (scratch
# directory of this build), SYSINSPECT_SOURCE (the repository),
# SYSINSPECT_NATIVE_REPORT (the native console reporter).

set -euo pipefail

: "${SYSINSPECT_WIN_BUILD:?the Windows build directory is needed}"
: "${SYSINSPECT_TEST_WORK:?a scratch directory is needed}"

WINE_BIN=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINESERVER_BIN=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
WIN_PROGRAMS="$SYSINSPECT_WIN_BUILD/sysinspect"
WINE_TESTS_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

export WINEPREFIX="$SYSINSPECT_TEST_WORK/wineprefix"
export WINEDEBUG=-all
# No prompts for the .NET and HTML engines: the programs need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

TEST_NAME=$(basename "${BASH_SOURCE[1]:-$0}" .sh)
TEST_OUT="$SYSINSPECT_TEST_WORK/$TEST_NAME"
XVFB_PID=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() { echo "-- $*"; }

wine_cleanup() {
  "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}

# Starts an X server of our own so that windows have somewhere to go.
start_xvfb() {
  local fd_file="$TEST_OUT/xvfb.display"
  rm -f "$fd_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  [ -s "$fd_file" ] || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$fd_file")"
}

# wine_setup [--display]: the prefix (created once, under a lock), the
# scratch directory of this test, and with --display an X server.
wine_setup() {
  mkdir -p "$TEST_OUT" "$SYSINSPECT_TEST_WORK"
  trap wine_cleanup EXIT
  if [ "${1:-}" = "--display" ]; then
    start_xvfb
  else
    unset DISPLAY
  fi
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.sysinspect-ready" ]; then
      rm -rf "$WINEPREFIX"
      note "creating the Wine prefix $WINEPREFIX"
      "$WINE_BIN" wineboot -i >/dev/null 2>&1 || true
      "$WINESERVER_BIN" -w
      [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot made no prefix"
      if [ -f "$WINE_TESTS_DIR/fontlink.reg" ]; then
        "$WINE_BIN" regedit /S "$(wine_path "$WINE_TESTS_DIR/fontlink.reg")" >/dev/null 2>&1
        "$WINESERVER_BIN" -w
      fi
      touch "$WINEPREFIX/.sysinspect-ready"
    fi
  ) 9>"$SYSINSPECT_TEST_WORK/wineprefix.lock"
}

# wine_private_prefix: a copy of the prepared prefix for this test alone, so
# that its registry changes reach no other test.
wine_private_prefix() {
  "$WINESERVER_BIN" -w
  rm -rf "$TEST_OUT/prefix"
  cp -a "$WINEPREFIX" "$TEST_OUT/prefix"
  export WINEPREFIX="$TEST_OUT/prefix"
}

# The Windows form of a Unix path (Wine maps / as drive Z:).
wine_path() {
  local path
  path=$(readlink -f "$1")
  echo "Z:${path//\//\\}"
}

# wine_set_version winxp|win98|win2k|win2003|...
wine_set_version() {
  "$WINE_BIN" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1 ||
    fail "cannot set the Windows version $1"
  "$WINESERVER_BIN" -w
}

# wine_import_reg FILE.reg: a registry scenario, imported as regedit does.
wine_import_reg() {
  "$WINE_BIN" regedit /S "$(wine_path "$1")" >/dev/null 2>&1 || fail "regedit could not import $1"
  "$WINESERVER_BIN" -w
}

# wine_export_reg KEY FILE.reg: a real regedit export of a key.
wine_export_reg() {
  "$WINE_BIN" regedit /E "$(wine_path "$2")" "$1" >/dev/null 2>&1 || fail "regedit could not export $1"
  "$WINESERVER_BIN" -w
}

# run_report OUT.xml: the console reporter writes the report of all topics;
# its standard output goes to OUT.xml.stdout. The report must parse.
run_report() {
  local out=$1
  rm -f "$out"
  "$WINE_BIN" "$WIN_PROGRAMS/sysinspect-report.exe" "$(wine_path "$(dirname "$out")")\\$(basename "$out")" \
    >"$out.stdout" 2>"$out.stderr" || fail "sysinspect-report.exe failed: $(cat "$out.stderr")"
  [ -s "$out" ] || fail "no report written to $out"
  check_xml "$out"
}

# check_xml FILE: well-formed, as a standard parser reads it.
check_xml() {
  xmllint --noout "$1" || fail "$1 is not well-formed XML"
}

# xml_root FILE ATTRIBUTE: an attribute of the root element.
xml_root() {
  xmllint --xpath "string(/classes/@$2)" "$1"
}

# xml_data FILE ELEMENT NAME: the value of a data line of a topic element
# (sections included), in UTF-8.
xml_data() {
  xmllint --xpath "string((//$2//data[@name='$3'])[1])" "$1"
}

# xml_has FILE XPATH: true when the path selects something.
xml_has() {
  [ "$(xmllint --xpath "count($2)" "$1")" != "0" ]
}

expect_eq() {
  [ "$1" = "$2" ] || fail "${3:-value}: expected '$2', got '$1'"
}

# wine_virtual_desktop: every window of the prefix in one 1024x768 virtual
# desktop (Wine draws the frames, and the test driver finds the program's
# windows there); the setting is taken back, and any program still up
# ended, when the test exits.
wine_virtual_desktop() {
  "$WINE_BIN" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$WINE_BIN" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  trap wine_virtual_desktop_cleanup EXIT
}
wine_virtual_desktop_cleanup() {
  "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
  "$WINE_BIN" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
  "$WINESERVER_BIN" -w 2>/dev/null || true
  wine_cleanup
}
