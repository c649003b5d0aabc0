#!/usr/bin/env bash
# The shipped 32-bit programs: PE32 for i386, the right subsystem, imports
# only from libraries every supported Windows has, and none of the entry
# points the 9x family or NT 4 lack (those are looked up at run time).
set -euo pipefail
dir=$1
objdump=i686-w64-mingw32-objdump

# Libraries the programs may bind at load time.
allowed_dlls="KERNEL32.dll USER32.dll GDI32.dll ADVAPI32.dll SHELL32.dll COMCTL32.dll COMDLG32.dll
VERSION.dll msvcrt.dll ole32.dll OLEAUT32.dll WINSPOOL.DRV WINMM.dll MPR.dll NETAPI32.dll WSOCK32.dll"

# Entry points missing on Windows 95/98/Me or NT 4 that must never be bound at load time.
forbidden_entries="GlobalMemoryStatusEx GetFileAttributesExA GetFileAttributesExW IsDebuggerPresent GetLongPathNameA
GetLongPathNameW InitializeCriticalSectionAndSpinCount GetNativeSystemInfo IsWow64Process GetTickCount64 GetSystemTimes
AttachConsole GetConsoleWindow SetDllDirectoryA VerifyVersionInfoA VerSetConditionMask GetDiskFreeSpaceExA GetDiskFreeSpaceExW
ZwQuerySystemInformation ZwOpenSection ZwClose NtQuerySystemInformation GetAdaptersInfo GetNetworkParams
RasEnumConnectionsA SendASPI32Command GetASPI32SupportInfo EncodePointer DecodePointer FlsAlloc
GetModuleHandleExA GetModuleHandleExW InterlockedCompareExchange64 CreateWaitableTimerExW GetSystemFirmwareTable"

status=0
check() {
  local exe=$1 subsystem=$2
  local dump
  dump=$($objdump -p "$exe")
  grep -q 'file format pei-i386' <<<"$($objdump -f "$exe")" || { echo "$exe: not a PE32 i386 image"; status=1; }
  grep -q "Subsystem.*($subsystem)" <<<"$dump" || { echo "$exe: subsystem is not $subsystem"; status=1; }
  for dll in $(awk '/DLL Name:/ {print $3}' <<<"$dump"); do
    grep -qiw -- "$dll" <<<"$allowed_dlls" || { echo "$exe: imports $dll at load time"; status=1; }
  done
  local entries
  entries=$(awk '/^[ \t]+[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ {print $3}' <<<"$dump")
  for entry in $forbidden_entries; do
    if grep -qx -- "$entry" <<<"$entries"; then echo "$exe: binds $entry at load time"; status=1; fi
  done
  echo "$exe: $(awk '/DLL Name:/ {printf "%s ", $3}' <<<"$dump")"
}

check "$dir/sysinspect.exe" "Windows GUI"
check "$dir/sysinspect-report.exe" "Windows CUI"
[ $status -eq 0 ] && echo "imports: 2 passed, 0 failed"
exit $status
