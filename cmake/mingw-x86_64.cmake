# Cross build of the Windows programs with MinGW-w64 for 64-bit x86 (the Wine test build: this machine runs no 32-bit code).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# Prefer the win32 threading model: no winpthread DLL, nothing the 9x family lacks.
foreach(tool gcc g++)
  if(EXISTS /usr/bin/x86_64-w64-mingw32-${tool}-win32)
    set(_mingw_${tool} /usr/bin/x86_64-w64-mingw32-${tool}-win32)
  else()
    set(_mingw_${tool} x86_64-w64-mingw32-${tool})
  endif()
endforeach()
set(CMAKE_C_COMPILER ${_mingw_gcc})
set(CMAKE_CXX_COMPILER ${_mingw_g++})
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
