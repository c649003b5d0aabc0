# Cross build of the Windows programs with MinGW-w64 for 32-bit x86.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

# Prefer the win32 threading model: no winpthread DLL, nothing the 9x family lacks.
foreach(tool gcc g++)
  if(EXISTS /usr/bin/i686-w64-mingw32-${tool}-win32)
    set(_mingw_${tool} /usr/bin/i686-w64-mingw32-${tool}-win32)
  else()
    set(_mingw_${tool} i686-w64-mingw32-${tool})
  endif()
endforeach()
set(CMAKE_C_COMPILER ${_mingw_gcc})
set(CMAKE_CXX_COMPILER ${_mingw_g++})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
