# The shipped build: 32-bit x86 Windows programs for the i486 and every later
# processor, on CRTDLL.DLL, with the compiler and runtime that
# scripts/toolchain-i486.sh builds (Debian's MinGW targets the Pentium Pro
# and msvcrt.dll, which Windows 95 retail lacks).
set(MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i486)

# Where scripts/toolchain-i486.sh put it (SYSINSPECT_I486_PREFIX in the
# environment at the first configure, kept in the cache after that).
if(DEFINED ENV{SYSINSPECT_I486_PREFIX})
  set(SYSINSPECT_I486_PREFIX $ENV{SYSINSPECT_I486_PREFIX} CACHE PATH "i486 toolchain" FORCE)
elseif(NOT SYSINSPECT_I486_PREFIX)
  set(SYSINSPECT_I486_PREFIX /opt/sysinspect-i486 CACHE PATH "i486 toolchain")
endif()
if(NOT EXISTS ${SYSINSPECT_I486_PREFIX}/bin/${MINGW_TRIPLE}-g++)
  message(FATAL_ERROR "No i486 toolchain in ${SYSINSPECT_I486_PREFIX}: run scripts/toolchain-i486.sh")
endif()
set(CMAKE_C_COMPILER ${SYSINSPECT_I486_PREFIX}/bin/${MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${SYSINSPECT_I486_PREFIX}/bin/${MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(SYSINSPECT_CRTDLL ON)

set(CMAKE_FIND_ROOT_PATH ${SYSINSPECT_I486_PREFIX}/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
