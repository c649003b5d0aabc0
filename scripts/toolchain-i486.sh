#!/usr/bin/env bash
# Builds the compiler and runtime of the shipped 32-bit programs: GCC 12.2
# for i686-w64-mingw32 whose default processor is the i486, with libgcc,
# libstdc++ and the MinGW-w64 runtime built for the i486 too and linked
# against CRTDLL.DLL (the C runtime of every 32-bit Windows from Windows 95
# retail and NT 3.1 on). Debian's cross compiler and runtime are built for the
# Pentium Pro and import msvcrt.dll, which Windows 95 retail lacks.
#
# Sources are Debian's: the gcc-12-source tarball and `apt-get source
# mingw-w64`; the assembler and linker are Debian's binutils-mingw-w64-i686.
# The result goes to $SYSINSPECT_I486_PREFIX (default /opt/sysinspect-i486),
# outside the work tree, and is built only when missing (about half an hour on
# two cores). The programs are single-threaded, so the runtime is too: no
# thread code that would call the wide functions the 9x family only stubs.
# Usage: scripts/toolchain-i486.sh
set -euo pipefail

# The whole script is one function, read in full before it runs.
main() {

prefix=${SYSINSPECT_I486_PREFIX:-/opt/sysinspect-i486}
# Bumped whenever the recipe below changes, so an older build is redone.
recipe=4
stamp="$prefix/.built-recipe"
if [ -e "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ]; then
  return 0
fi

target=i686-w64-mingw32
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
jobs=$(nproc)
work=${SYSINSPECT_I486_WORK:-/var/tmp/sysinspect-i486-work}
log="$work/build.log"
started=$(date +%s)
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/bin"
echo "toolchain-i486: building into $prefix (log $log)"

run() {  # a step with its output in the log; the tail shown when it fails
  echo "toolchain-i486: $*" >>"$log"
  if ! "$@" >>"$log" 2>&1; then
    tail -40 "$log" >&2
    echo "toolchain-i486: failed: $*" >&2
    exit 1
  fi
}

# Debian's binutils for the target, under the names GCC's build looks for.
for tool in as ld ar nm ranlib strip objdump objcopy dlltool windres; do
  ln -sf "/usr/bin/$target-$tool" "$prefix/bin/$target-$tool"
done
export PATH="$prefix/bin:$PATH"

# Sources.
cd "$work"
run tar -xf /usr/src/gcc-12/gcc-12.2.0-dfsg.tar.xz
gcc_src="$work/gcc-12.2.0"
# Debian's tarball has the manuals stubbed out, so the check of the target
# hooks' documentation against them would fail: only stamp it.
sed -i 's|^s-tm-texi: build/genhooks$(build_exeext) $(srcdir)/doc/tm.texi.in$|s-tm-texi:\n\t$(STAMP) $@\ns-tm-texi-check: build/genhooks$(build_exeext) $(srcdir)/doc/tm.texi.in|' \
  "$gcc_src/gcc/Makefile.in"
grep -q '^s-tm-texi-check:' "$gcc_src/gcc/Makefile.in"
mkdir -p mingw-src
(cd mingw-src && run apt-get source --download-only mingw-w64)
dsc=$(ls mingw-src/mingw-w64_*.dsc | head -1)
run dpkg-source --no-check -x "$dsc" "$work/mingw-w64"
mingw_src="$work/mingw-w64"

sysroot="$prefix"
ln -sfn "$target" "$prefix/mingw"  # GCC looks for the C library here
runtime_flags="-Os -march=i486 -mtune=i486 -ffunction-sections -fdata-sections"

# 1. MinGW-w64 headers, with CRTDLL as the default C runtime.
mkdir -p "$work/headers" && cd "$work/headers"
run "$mingw_src/mingw-w64-headers/configure" --host=$target --prefix="$prefix/$target" \
  --with-default-msvcrt=crtdll
run make install
# The headers still declare msvcrt.dll's functions unless told otherwise:
# make CRTDLL.DLL their default too (the runtime's own build, _CRTBLD, picks
# its C library per part).
sed -i 's|^#ifndef __MSVCRT_VERSION__$|#if !defined(__CRTDLL__) \&\& !defined(_CRTBLD)\n#define __CRTDLL__ 1  /* this toolchain links CRTDLL.DLL */\n#endif\n#ifndef __MSVCRT_VERSION__|' \
  "$prefix/$target/include/_mingw.h"
grep -q 'this toolchain links CRTDLL.DLL' "$prefix/$target/include/_mingw.h"

# 2. The compiler.
mkdir -p "$work/gcc" && cd "$work/gcc"
# The compiler itself is built without debugging information, to save time.
run env CFLAGS=-O2 CXXFLAGS=-O2 "$gcc_src/configure" --target=$target --prefix="$prefix" --with-sysroot="$sysroot" \
  --with-arch=i486 --with-tune=i486 --enable-languages=c,c++ --disable-multilib \
  --disable-shared --enable-static --enable-threads=single --disable-sjlj-exceptions \
  --with-dwarf2 --disable-bootstrap --disable-nls --disable-lto --disable-plugin \
  --disable-libssp --disable-libquadmath --disable-libgomp --disable-libatomic \
  --disable-libvtv --disable-libstdcxx-pch --disable-libstdcxx-verbose \
  --disable-win32-registry --enable-checking=release \
  --with-as="/usr/bin/$target-as" --with-ld="/usr/bin/$target-ld" MAKEINFO=true
run make -j "$jobs" all-gcc
run make install-gcc

# 3. The MinGW-w64 runtime (startup code, libmingwex, import libraries).
mkdir -p "$work/crt" && cd "$work/crt"
run "$mingw_src/mingw-w64-crt/configure" --host=$target --prefix="$prefix/$target" \
  --with-sysroot="$sysroot" --enable-lib32 --disable-lib64 --with-default-msvcrt=crtdll \
  CC="$target-gcc" CFLAGS="$runtime_flags" CCASFLAGS="-march=i486"
run make -j "$jobs"
run make install
# What the runtime calls by msvcrt.dll's names that CRTDLL.DLL lacks, into
# the CRTDLL import library (libmsvcrt.a, the driver's default, is a copy).
run "$target-gcc" $runtime_flags -Wall -c "$here/crtdll-compat.c" -o "$work/crtdll-compat.o"
for library in libcrtdll.a libmsvcrt.a; do
  run "$target-ar" rs "$prefix/$target/lib/$library" "$work/crtdll-compat.o"
done

# 4. libgcc and libstdc++ (no hardware random number instructions).
cd "$work/gcc"
export ac_cv_x86_rdrand=no ac_cv_x86_rdseed=no
run make -j "$jobs" all-target-libgcc CFLAGS_FOR_TARGET="$runtime_flags"
run make install-target-libgcc
run make -j "$jobs" all-target-libstdc++-v3 \
  CFLAGS_FOR_TARGET="$runtime_flags" CXXFLAGS_FOR_TARGET="$runtime_flags"
run make install-target-libstdc++-v3

echo "$recipe" >"$stamp"
rm -rf "$work"
echo "toolchain-i486: done in $(( $(date +%s) - started )) s"
}

main "$@"; exit $?
