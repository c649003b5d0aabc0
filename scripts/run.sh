#!/usr/bin/env bash
# Sets up the machine, builds sysinspect and runs it under Wine. With a
# display the program opens its windows; without one the console reporter
# writes the report of this machine and prints where.
# Usage: scripts/run.sh [REPORT.xml]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake -S . -B build-win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win64 -j "$(nproc)"
cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win32 -j "$(nproc)"

# The machines here run no 32-bit code, so Wine runs the x86-64 build; the
# shipped 32-bit programs are in build-win32/sysinspect/.
export WINEPREFIX="${WINEPREFIX:-$root/build-win64/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
programs="$root/build-win64/sysinspect"

# A new prefix gets a CJK font linked to the dialog fonts, as East Asian
# language support does on Windows, so the start window's captions render.
if [ ! -f "$WINEPREFIX/.sysinspect-fonts" ]; then
  "$wine" wineboot -i >/dev/null 2>&1 || true
  fontlink=$(readlink -f sysinspect/tests/wine/fontlink.reg)
  "$wine" regedit /S "Z:${fontlink//\//\\}" >/dev/null 2>&1
  "$(command -v wineserver || echo /usr/lib/wine/wineserver64)" -w
  touch "$WINEPREFIX/.sysinspect-fonts"
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$wine" "$programs/sysinspect.exe"
fi
report=$(readlink -f "${1:-sysinspect-report.xml}")
path=${report//\//\\}
"$wine" "$programs/sysinspect-report.exe" "Z:$path"
echo "The report of this machine is in $report"
