# Cross build of the Windows programs with MinGW-w64; the including
# toolchain file sets MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)

# Prefer the win32 threading model: no winpthread DLL, nothing the 9x family lacks.
foreach(tool gcc g++)
  if(EXISTS /usr/bin/${MINGW_TRIPLE}-${tool}-win32)
    set(_mingw_${tool} /usr/bin/${MINGW_TRIPLE}-${tool}-win32)
  else()
    set(_mingw_${tool} ${MINGW_TRIPLE}-${tool})
  endif()
endforeach()
set(CMAKE_C_COMPILER ${_mingw_gcc})
set(CMAKE_CXX_COMPILER ${_mingw_g++})
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
