#!/usr/bin/env bash
# Builds everything: the shipped 32-bit Windows programs (build-win32: for the
# i486, on CRTDLL.DLL, sized for one floppy, with the toolchain that
# scripts/toolchain-i486.sh builds), which the Wine tests run where the
# machine executes 32-bit code, the x86-64 build of the same sources they run
# elsewhere (build-win64), and the native library, tests, reporter and
# xpicker (build). Usage: scripts/build.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build build-win32 -j "$jobs"
cmake -S . -B build-win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win64 -j "$jobs"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSYSINSPECT_WIN_BUILD="$root/build-win64" -DSYSINSPECT_WIN32_BUILD="$root/build-win32" >/dev/null
cmake --build build -j "$jobs"
