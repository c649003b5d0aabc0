# Shared steps of the Wine integration tests: a Wine prefix made once per
# build directory, the Windows version set per test, registry scenarios
# imported with regedit, the real programs run headless, and every report
# checked by an XML parser.
#
# The tests run the shipped 32-bit programs (SYSINSPECT_WIN32_BUILD) under
# the 32-bit Wine loader wherever this machine executes 32-bit x86 code, and
# the x86-64 build of the same sources (SYSINSPECT_WIN_BUILD) under wine64
# elsewhere; the machine is probed once per build directory (see
# scripts/wine-programs.sh) and every test prints which build it runs.
# SYSINSPECT_WINE_BUILD=32 or 64 insists on one (32 fails where it cannot run).
#
# Both kinds run in a 64-bit prefix. WINE_BIN is the loader of the chosen
# build, so "$WINE_BIN" reg and regedit read and write the registry view the
# programs see (the 32-bit view of HKLM\Software for the 32-bit build).
#
# Environment (set by CTest): SYSINSPECT_WIN32_BUILD and SYSINSPECT_WIN_BUILD
# (i686 and x86-64 build directories holding sysinspect/; at least one),
# SYSINSPECT_TEST_WORK (scratch directory of this build), SYSINSPECT_SOURCE
# (the repository), SYSINSPECT_NATIVE_REPORT (the native console reporter).

set -euo pipefail

: "${SYSINSPECT_TEST_WORK:?a scratch directory is needed}"
if [ -z "${SYSINSPECT_WIN_BUILD:-}${SYSINSPECT_WIN32_BUILD:-}" ]; then
  echo "FAIL: a Windows build directory is needed (SYSINSPECT_WIN32_BUILD or SYSINSPECT_WIN_BUILD)" >&2
  exit 1
fi

WINE_TESTS_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../../scripts/wine-programs.sh
source "$WINE_TESTS_DIR/../../../scripts/wine-programs.sh"

export WINEPREFIX="$SYSINSPECT_TEST_WORK/wineprefix"
export WINEDEBUG=-all
# No prompts for the .NET and HTML engines: the programs need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Set once the build is chosen (end of this file): the loader, the build's
# directory, its programs, and its word size (32 or 64).
WINE_BIN=""
WIN_BUILD_DIR=""
WIN_PROGRAMS=""
WIN_BUILD_BITS=""

TEST_NAME=$(basename "${BASH_SOURCE[1]:-$0}" .sh)
TEST_OUT="$SYSINSPECT_TEST_WORK/$TEST_NAME"
XVFB_PID=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() { echo "-- $*"; }

# At exit: the test's server ends before the test does (the next test starts
# at once) and its directory goes; a passed test leaves no copy of the
# prefix behind (one is hundreds of megabytes), a failed one keeps it.
wine_cleanup() {
  local status=${1:-$?}
  "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
  "$WINESERVER_BIN" -w >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
  [ "$WINEPREFIX" = "$TEST_OUT/prefix" ] || return 0
  local server_root
  server_root=$(cat "$WINEPREFIX/wineserver" 2>/dev/null || true)
  if [[ $server_root =~ ^wine-[A-Za-z0-9]{6}$ ]]; then rm -rf "${TMPDIR:-/tmp}/$server_root"; fi
  if [ "$status" = 0 ]; then rm -rf "$WINEPREFIX"; fi
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
  # The first Wine process comes only once the server answers.
  for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "Xvfb on $DISPLAY does not answer"
}

# wine_setup [--display]: the scratch directory and the private prefix of
# this test, and with --display an X server (without it no window can reach
# the user's screen).
wine_setup() {
  mkdir -p "$TEST_OUT"
  trap wine_cleanup EXIT
  wine_private_prefix
  if [ "${1:-}" = "--display" ]; then
    start_xvfb
  else
    unset DISPLAY
  fi
}

# wine_prepare: under a lock, once per build directory, the prefix (made by
# wine64, headless), the choice of build (probed again when the 32-bit
# reporter changes), and the CJK font link in the registry view of the
# chosen build. Writes the choice to $SYSINSPECT_TEST_WORK/wine-programs:
# the word size, the reporter it was probed with, and why 64 where it is.
wine_prepare() {
  local choice="$SYSINSPECT_TEST_WORK/wine-programs"
  local reporter32="${SYSINSPECT_WIN32_BUILD:-}/sysinspect/sysinspect-report.exe"
  local wanted=${SYSINSPECT_WINE_BUILD:-auto}
  local stamp="$wanted $reporter32 $(stat -c %Y "$reporter32" 2>/dev/null || echo none)"
  if [ ! -f "$WINEPREFIX/.sysinspect-ready" ]; then
    rm -rf "$WINEPREFIX" "$choice"
    note "creating the Wine prefix $WINEPREFIX"
    env -u DISPLAY "$WINE64_BIN" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER_BIN" -w
    [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot made no prefix"
    touch "$WINEPREFIX/.sysinspect-ready"
  fi
  if [ ! -f "$choice" ] || [ "$(sed -n 2p "$choice")" != "$stamp" ]; then
    local bits=64 reason=""
    if [ "$wanted" = 64 ]; then
      reason="SYSINSPECT_WINE_BUILD=64"
    elif reason=$(unset DISPLAY; wine_runs_32bit "$reporter32"); then
      bits=32
    elif [ "$wanted" = 32 ]; then
      fail "SYSINSPECT_WINE_BUILD=32, but $reason"
    fi
    "$WINESERVER_BIN" -w
    printf '%s\n%s\n%s\n' "$bits" "$stamp" "$reason" >"$choice"
  fi
  local bits
  bits=$(sed -n 1p "$choice")
  if [ ! -f "$WINEPREFIX/.sysinspect-fonts-$bits" ] && [ -f "$WINE_TESTS_DIR/fontlink.reg" ]; then
    local loader=$WINE64_BIN
    [ "$bits" = 64 ] || loader=$WINE32_BIN
    env -u DISPLAY "$loader" regedit /S "$(wine_path "$WINE_TESTS_DIR/fontlink.reg")" >/dev/null 2>&1
    "$WINESERVER_BIN" -w
    touch "$WINEPREFIX/.sysinspect-fonts-$bits"
  fi
}

# wine_choose_build: sets WINE_BIN, WIN_BUILD_DIR, WIN_PROGRAMS and
# WIN_BUILD_BITS from the prepared choice, and says which build runs.
wine_choose_build() {
  mkdir -p "$SYSINSPECT_TEST_WORK"
  (
    flock 9
    wine_prepare
  ) 9>"$SYSINSPECT_TEST_WORK/wineprefix.lock" || exit 1
  local choice="$SYSINSPECT_TEST_WORK/wine-programs"
  WIN_BUILD_BITS=$(sed -n 1p "$choice")
  if [ "$WIN_BUILD_BITS" = 32 ]; then
    WINE_BIN=$WINE32_BIN
    WIN_BUILD_DIR=$SYSINSPECT_WIN32_BUILD
    note "runs the shipped 32-bit programs of $WIN_BUILD_DIR under $WINE_BIN"
  else
    WINE_BIN=$WINE64_BIN
    WIN_BUILD_DIR=${SYSINSPECT_WIN_BUILD:-}
    [ -n "$WIN_BUILD_DIR" ] || fail "no x86-64 build to run instead: $(sed -n 3p "$choice")"
    note "runs the x86-64 programs of $WIN_BUILD_DIR under $WINE_BIN: $(sed -n 3p "$choice")"
  fi
  WIN_PROGRAMS="$WIN_BUILD_DIR/sysinspect"
}

# wine_private_prefix: a copy of the prepared prefix for this test alone, so
# that its Windows version and registry changes reach no other test. Copied
# under the lock of the prepared prefix, once no server of it runs. The
# prefix's "wineserver" file names the temporary directory its servers live
# in; the copy drops it, so that its server gets a directory of its own.
wine_private_prefix() {
  rm -rf "$TEST_OUT/prefix"
  (
    flock 9
    "$WINESERVER_BIN" -w
    cp -a "$WINEPREFIX" "$TEST_OUT/prefix"
  ) 9>"$SYSINSPECT_TEST_WORK/wineprefix.lock" || fail "cannot copy the prefix $WINEPREFIX"
  [ -f "$TEST_OUT/prefix/system.reg" ] || fail "the copy of the prefix has no registry"
  rm -f "$TEST_OUT/prefix/wineserver"
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

# regedit_import FILE.reg: a registry scenario, imported as regedit does,
# into the running server if there is one. A failed import is tried once
# more (CI once saw regedit end within a second of a fresh copy of the
# prefix, when copies still shared the server directory of the prefix they
# came from); each failure says what regedit printed.
regedit_import() {
  local log="$TEST_OUT/regedit.log" status try
  for try in 1 2; do
    status=0
    "$WINE_BIN" regedit /S "$(wine_path "$1")" >"$log" 2>&1 || status=$?
    [ "$status" = 0 ] && return 0
    note "regedit could not import $1 (attempt $try, exit status $status): $(tail -n 5 "$log")"
    sleep 2
  done
  fail "regedit could not import $1"
}

# wine_import_reg FILE.reg: regedit_import, then the registry is saved.
wine_import_reg() {
  regedit_import "$1"
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

# gui_driver: the test driver (DRIVER; `drive ARGS...` runs it) and an
# emptied directory for the screenshots to review (SHOTS; `shot NAME` takes
# one of the whole screen once the windows have settled).
gui_driver() {
  DRIVER="$WIN_PROGRAMS/sysinspect-gui-driver.exe"
  [ -f "$DRIVER" ] || fail "no driver at $DRIVER"
  SHOTS="$TEST_OUT/screenshots"
  mkdir -p "$SHOTS"
  rm -f "$SHOTS"/*
}
drive() { "$WINE_BIN" "$DRIVER" "$@" 2>&1 | tr -d '\r'; return "${PIPESTATUS[0]}"; }
shot() { sleep 1; import -window root "$SHOTS/$1.png" || fail "no screenshot $1"; }

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
  local status=$?
  "$WINESERVER_BIN" -k >/dev/null 2>&1 || true
  "$WINE_BIN" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
  "$WINESERVER_BIN" -w 2>/dev/null || true
  wine_cleanup "$status"
}
wine_choose_build
