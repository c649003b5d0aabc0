#!/usr/bin/env bash
# Sets up the machine, builds sysinspect and runs it under Wine: the shipped
# 32-bit programs (build-win32) where this machine executes 32-bit code, else
# the x86-64 build of the same sources. With a display the program opens its
# windows; without one the console reporter writes the report of this
# machine and prints where.
# Usage: scripts/run.sh [REPORT.xml]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build build-win32 -j "$(nproc)"

# shellcheck source=wine-programs.sh
source scripts/wine-programs.sh
export WINEPREFIX="${WINEPREFIX:-$root/build-win64/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  WINEARCH=win64 "$WINE64_BIN" wineboot -i >/dev/null 2>&1 || true
  "$WINESERVER_BIN" -w
fi

if why=$(wine_runs_32bit "$root/build-win32/sysinspect/sysinspect-report.exe"); then
  wine=$WINE32_BIN
  programs="$root/build-win32/sysinspect"
  bits=32
else
  echo "Running the x86-64 build instead of the shipped 32-bit programs: $why"
  cmake -S . -B build-win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build-win64 -j "$(nproc)"
  wine=$WINE64_BIN
  programs="$root/build-win64/sysinspect"
  bits=64
fi

# The prefix gets a CJK font linked to the dialog fonts, as East Asian
# language support does on Windows, so the start window's captions render;
# written by the loader that runs the programs, into the registry view they read.
if [ ! -f "$WINEPREFIX/.sysinspect-fonts-$bits" ]; then
  fontlink=$(readlink -f sysinspect/tests/wine/fontlink.reg)
  "$wine" regedit /S "Z:${fontlink//\//\\}" >/dev/null 2>&1
  "$WINESERVER_BIN" -w
  touch "$WINEPREFIX/.sysinspect-fonts-$bits"
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$wine" "$programs/sysinspect.exe"
fi
report=$(readlink -f "${1:-sysinspect-report.xml}")
path=${report//\//\\}
"$wine" "$programs/sysinspect-report.exe" "Z:$path"
echo "The report of this machine is in $report"
