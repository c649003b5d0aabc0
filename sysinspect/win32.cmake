# The Windows programs: static runtime, win32 threads, only system DLLs.
file(GLOB SYSINSPECT_WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/*.cpp)
add_library(sysinspect_win32 STATIC ${SYSINSPECT_WIN32_SOURCES})
target_link_libraries(sysinspect_win32 PUBLIC sysinspect_lib)
target_compile_options(sysinspect_win32 PRIVATE ${SYSINSPECT_WARNINGS})
# Declare no API newer than Windows 2000; what 9x lacks is looked up at run time.
target_compile_definitions(sysinspect_win32 PUBLIC WINVER=0x0500 _WIN32_WINNT=0x0500 _WIN32_IE=0x0400)
target_link_libraries(sysinspect_win32 PUBLIC advapi32 shell32 ole32 oleaut32 uuid version user32 gdi32 winspool netapi32 wsock32 winmm)

# One small file: each function and datum in its own section, and the
# unused ones dropped at link time.
add_compile_options(-ffunction-sections -fdata-sections)
target_compile_options(sysinspect_lib PRIVATE -ffunction-sections -fdata-sections)
target_compile_options(sysinspect_win32 PRIVATE -ffunction-sections -fdata-sections)
set(SYSINSPECT_STATIC_LINK -static -static-libgcc -static-libstdc++ -s -Wl,--gc-sections)
# The shipped programs are linked with their symbols, kept beside them as
# NAME.symbols.exe (the code checks name functions from it), then stripped.
set(SYSINSPECT_SHIPPED_LINK -static -static-libgcc -static-libstdc++ -Wl,--gc-sections)
# A program is loaded at its own base on every release this build is for:
# the base relocations (16 KB a program) are only weight on the floppy.
if(SYSINSPECT_CRTDLL)
  list(APPEND SYSINSPECT_SHIPPED_LINK -Wl,--disable-dynamicbase,--disable-reloc-section)
  # The linker's own layout, but with the exception tables among the
  # read-only data instead of at the end of the code: the code section then
  # holds only instructions, which is what its checks disassemble.
  execute_process(COMMAND ${MINGW_TRIPLE}-ld --verbose OUTPUT_VARIABLE layout RESULT_VARIABLE status)
  string(REGEX REPLACE "^.*\n=+\n(.*)\n=+\n.*$" "\\1" layout "${layout}")
  set(in_code "     KEEP (*(.gcc_except_table))\n")
  set(read_only "    *(.rdata)\n")
  string(FIND "${layout}" "${in_code}" at_code)
  string(FIND "${layout}" "${read_only}" at_read_only)
  if(NOT status EQUAL 0 OR at_code EQUAL -1 OR at_read_only EQUAL -1)
    message(FATAL_ERROR "${MINGW_TRIPLE}-ld --verbose: no default layout with the exception tables in the code")
  endif()
  string(REPLACE "${in_code}" "" layout "${layout}")
  string(REPLACE "${read_only}" "${read_only}    KEEP (*(.gcc_except_table))\n" layout "${layout}")
  file(WRITE ${CMAKE_BINARY_DIR}/shipped-layout.ld "${layout}\n")
  list(APPEND SYSINSPECT_SHIPPED_LINK -Wl,-T,${CMAKE_BINARY_DIR}/shipped-layout.ld)
endif()
function(sysinspect_strip_shipped target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> $<TARGET_FILE_DIR:${target}>/${target}.symbols.exe
    COMMAND ${MINGW_TRIPLE}-strip --strip-all $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()


enable_language(RC)  # the program's icon, version and manifest
file(GLOB SYSINSPECT_GUI_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/app/WinMain.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/app/StartWindow.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/app/program.rc)
add_executable(sysinspect WIN32 ${SYSINSPECT_GUI_SOURCES})
target_link_libraries(sysinspect PRIVATE sysinspect_win32 comctl32 comdlg32)
target_link_options(sysinspect PRIVATE ${SYSINSPECT_SHIPPED_LINK})
sysinspect_strip_shipped(sysinspect)

add_executable(sysinspect-report
  app/ReportMain.cpp
  app/ReportMachine_win32.cpp
  app/report.rc)
target_link_libraries(sysinspect-report PRIVATE sysinspect_win32)
target_link_options(sysinspect-report PRIVATE ${SYSINSPECT_SHIPPED_LINK})
sysinspect_strip_shipped(sysinspect-report)

install(TARGETS sysinspect sysinspect-report DESTINATION bin)

# The test driver of the windows (run under Wine by tests/wine/test_gui_*.sh).
file(GLOB SYSINSPECT_UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp)
add_executable(sysinspect-gui-driver tests/gui/driver.cpp ${SYSINSPECT_UI_SOURCES})
target_link_libraries(sysinspect-gui-driver PRIVATE sysinspect_win32 comctl32 comdlg32)
target_link_options(sysinspect-gui-driver PRIVATE ${SYSINSPECT_STATIC_LINK})

# The Wine tests' fixture maker (printers, default printer, shell links).
add_executable(sysinspect-wine-fixtures tests/wine/fixtures.cpp)
target_compile_definitions(sysinspect-wine-fixtures PRIVATE WINVER=0x0500 _WIN32_WINNT=0x0500 _WIN32_IE=0x0500)
target_link_libraries(sysinspect-wine-fixtures PRIVATE winspool ole32 shell32)
target_link_options(sysinspect-wine-fixtures PRIVATE ${SYSINSPECT_STATIC_LINK})

# A program the checks of the shipped programs must refuse (tests/win32_*).
add_executable(sysinspect-checks-fixture tests/win32/checks_fixture.c)
target_link_libraries(sysinspect-checks-fixture PRIVATE user32)
target_link_options(sysinspect-checks-fixture PRIVATE ${SYSINSPECT_SHIPPED_LINK})
sysinspect_strip_shipped(sysinspect-checks-fixture)
