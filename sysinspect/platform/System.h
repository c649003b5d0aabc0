// Windows base services the shared routines use (kernel32, advapi32's user
// name, shell32's special folders, version.dll, the native NT entry points).
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "WinTypes.h"

namespace nsx::platform {

class SystemApi {
 public:
  virtual ~SystemApi() = default;

  // GetVersionExA: tries OSVERSIONINFOEXA first, then the plain form. Where
  // it answers NT 6.2, RtlGetVersion's answer (ntdll's entry, looked up at
  // run time) replaces it: Windows 8.1 and later tell GetVersionExA the truth
  // only to programs whose manifest declares them (PreferNativeVersion).
  virtual VersionInfo GetVersion() = 0;
  // GetComputerNameA / GetUserNameA; nullopt when the call fails.
  virtual std::optional<std::string> ComputerName() = 0;
  virtual std::optional<std::string> UserName() = 0;
  // GetWindowsDirectoryA, GetSystemDirectoryA, GetTempPathA (buffer of 260).
  virtual std::string WindowsDirectory() = 0;
  virtual std::string SystemDirectory() = 0;
  virtual std::string TempPath() = 0;
  // GetEnvironmentStringsA: the raw block, NAME=value entries each ended by
  // NUL, the block ended by a second NUL.
  virtual Bytes GetEnvironmentBlock() = 0;
  // ExpandEnvironmentStringsA; nullopt where the size call answers 0.
  virtual std::optional<std::string> ExpandEnvironment(const std::string& text) = 0;
  // GetEnvironmentVariableA; nullopt when the variable is not set.
  virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;
  // SHGetSpecialFolderLocation + SHGetPathFromIDListA; nullopt on failure.
  virtual std::optional<std::string> SpecialFolderPath(int csidl) = 0;
  // GetSystemDefaultLangID and GetACP.
  virtual std::uint16_t GetSystemDefaultLangId() = 0;
  virtual std::uint32_t GetAnsiCodePage() = 0;
  // GetFileVersionInfoSizeA + GetFileVersionInfoA: the raw version resource
  // block, nullopt when the file has none.
  virtual std::optional<Bytes> FileVersionInfo(const std::string& fileName) = 0;
  // GetModuleHandleA + GetProcAddress: is the entry point exported by a
  // module that is loaded in the process (nothing gets loaded here)?
  virtual bool HasLoadedModuleEntry(const std::string& module, const std::string& entry) = 0;
  // WideCharToMultiByte(CP_ACP): UTF-16 text in the ANSI code page.
  virtual std::string WideToAnsi(const std::u16string& text) = 0;
  // GetTickCount.
  virtual std::uint32_t GetTickCount() = 0;
};

// How errors reach the user: a console line or a message box.
class UserInterfaceApi {
 public:
  virtual ~UserInterfaceApi() = default;
  // True when the process is a console program (errors become console lines).
  virtual bool IsConsoleProcess() = 0;
  virtual void WriteConsoleLine(const std::string& line) = 0;
  // MessageBoxA with no owner, MB_OK | MB_ICONERROR.
  virtual void ShowErrorBox(const std::string& text, const std::string& caption) = 0;
};

}  // namespace nsx::platform
