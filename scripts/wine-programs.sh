# Which Windows programs Wine runs on this machine: the shipped 32-bit ones
# (build-win32) under the 32-bit Wine loader wherever the machine executes
# 32-bit x86 code, otherwise the x86-64 build of the same sources under
# wine64. Sourced by scripts/run.sh and the Wine tests (tests/wine/lib.sh).
#
# Both run in a 64-bit prefix: there the 32-bit loader runs 32-bit programs
# (WoW64), and its reg and regedit are the 32-bit ones, which read and write
# the 32-bit view of HKLM\Software that a 32-bit program sees.

WINE64_BIN=$(command -v wine64 || echo /usr/lib/wine/wine64)
# Debian's /usr/bin/wine is a script that picks this loader; take it directly.
if [ -x /usr/lib/wine/wine ]; then
  WINE32_BIN=/usr/lib/wine/wine
else
  WINE32_BIN=$(command -v wine || echo /usr/lib/wine/wine)
fi
WINESERVER_BIN=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# wine_runs_32bit REPORTER.EXE: true when this machine runs that 32-bit
# Windows program under Wine in the current WINEPREFIX (which must exist):
# the kernel starts the 32-bit loader, and the program answers --help with
# its usage. Otherwise prints why not and answers false.
wine_runs_32bit() {
  local reporter=$1 usage
  if [ ! -f "$reporter" ]; then
    echo "there is no 32-bit build at $reporter"
    return 1
  fi
  # Cheap first: a kernel without 32-bit support refuses the loader at once.
  if ! "$WINE32_BIN" --version >/dev/null 2>&1; then
    echo "this machine does not execute 32-bit x86 code ($WINE32_BIN does not start)"
    return 1
  fi
  usage=$(timeout 120 "$WINE32_BIN" "$reporter" --help 2>/dev/null | tr -d '\r') || true
  if ! grep -q '^Usage: sysinspect-report' <<<"$usage"; then
    echo "the 32-bit Wine loader starts, but the 32-bit reporter does not answer --help under it"
    return 1
  fi
}
