#include "Win32Platform.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "AnsiWide.h"
#include "Binding.h"
#include "Win32Disk.h"
#include "Win32Engines.h"
#include "Win32Firmware.h"
#include "Win32Performance.h"
#include "Win32Hardware.h"
#include "Win32Network.h"
#include "Win32Regional.h"
#include "Win32Registry.h"
#include "../VersionQuery.h"
#include "Win32Software.h"

namespace nsx::win32 {
namespace {

class Win32System : public platform::SystemApi {
 public:
  platform::VersionInfo GetVersion() override {
    platform::VersionInfo reported = ReportedVersion();
    // ntdll is asked only where the answer may understate the release.
    return platform::ReportsWindows8(reported) ? platform::PreferNativeVersion(reported, NativeVersion()) : reported;
  }

 private:
  // RtlGetVersion of the ntdll every NT process has loaded (Windows 2000 and
  // later); nullopt where the module or the entry is missing.
  std::optional<platform::VersionInfo> NativeVersion() {
    // RTL_OSVERSIONINFOEXW has the layout of OSVERSIONINFOEXW.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    auto query = LoadedModuleEntry<RtlGetVersionFn>("ntdll.dll", "RtlGetVersion");
    if (!query) return std::nullopt;
    OSVERSIONINFOEXW native{};
    native.dwOSVersionInfoSize = sizeof native;
    if (query(&native) != 0) return std::nullopt;  // an NTSTATUS other than success
    native.szCSDVersion[127] = L'\0';
    platform::VersionInfo info;
    TakeNumbers(native, info);
    info.csdVersion = WideToAnsi(std::u16string(reinterpret_cast<const char16_t*>(native.szCSDVersion)));
    TakeExtended(native, info);
    return info;
  }

  platform::VersionInfo ReportedVersion() {
    platform::VersionInfo info;
    OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = sizeof ex;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
      TakeExtended(ex, info);
    } else {
      ex = OSVERSIONINFOEXA{};
      ex.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
      if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) return info;
    }
    TakeNumbers(ex, info);
    ex.szCSDVersion[sizeof ex.szCSDVersion - 1] = '\0';
    info.csdVersion = ex.szCSDVersion;
    return info;
  }

  // The fields the ANSI and wide forms of the version record share.
  template <typename VersionRecord>
  static void TakeNumbers(const VersionRecord& from, platform::VersionInfo& info) {
    info.majorVersion = from.dwMajorVersion;
    info.minorVersion = from.dwMinorVersion;
    info.buildNumber = from.dwBuildNumber;
    info.platformId = from.dwPlatformId;
  }
  template <typename VersionRecord>
  static void TakeExtended(const VersionRecord& from, platform::VersionInfo& info) {
    info.hasExtended = true;
    info.servicePackMajor = from.wServicePackMajor;
    info.servicePackMinor = from.wServicePackMinor;
    info.suiteMask = from.wSuiteMask;
    info.productType = from.wProductType;
    info.reserved = from.wReserved;
  }

 public:
  std::optional<std::string> ComputerName() override {
    char buffer[256];
    DWORD size = 255;
    if (!GetComputerNameA(buffer, &size)) return std::nullopt;
    return std::string(buffer, size);
  }

  std::optional<std::string> UserName() override {
    char buffer[256];
    DWORD size = 255;
    if (!GetUserNameA(buffer, &size)) return std::nullopt;
    return std::string(buffer);
  }

  std::string WindowsDirectory() override { return Directory(::GetWindowsDirectoryA); }
  std::string SystemDirectory() override { return Directory(::GetSystemDirectoryA); }

  std::string TempPath() override {
    char buffer[MAX_PATH + 1];
    DWORD n = GetTempPathA(MAX_PATH, buffer);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
  }

  platform::Bytes GetEnvironmentBlock() override {
    platform::Bytes bytes;
    LPCH block = GetEnvironmentStringsA();
    if (!block) return bytes;
    // Copy up to the terminating double NUL.
    const char* p = block;
    while (*p) p += std::strlen(p) + 1;
    bytes.assign(reinterpret_cast<const std::uint8_t*>(block), reinterpret_cast<const std::uint8_t*>(p + 1));
    FreeEnvironmentStringsA(block);
    return bytes;
  }

  std::optional<std::string> ExpandEnvironment(const std::string& text) override {
    DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::vector<char> buffer(size + 1);
    DWORD got = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), size + 1);
    if (got == 0 || got > size + 1) return std::nullopt;
    return std::string(buffer.data());
  }

  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::vector<char> buffer(size + 1);
    DWORD got = GetEnvironmentVariableA(name.c_str(), buffer.data(), size + 1);
    if (got > size) return std::nullopt;
    return std::string(buffer.data(), got);
  }

  std::optional<std::string> SpecialFolderPath(int csidl) override {
    LPITEMIDLIST pidl = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &pidl) != S_OK || !pidl) return std::nullopt;
    char path[MAX_PATH + 1] = {0};
    BOOL ok = SHGetPathFromIDListA(pidl, path);
    IMalloc* allocator = nullptr;
    if (SHGetMalloc(&allocator) == S_OK && allocator) {
      allocator->Free(pidl);
      allocator->Release();
    }
    if (!ok) return std::nullopt;
    return std::string(path);
  }

  std::uint16_t GetSystemDefaultLangId() override { return GetSystemDefaultLangID(); }
  std::uint32_t GetAnsiCodePage() override { return GetACP(); }

  std::optional<platform::Bytes> FileVersionInfo(const std::string& fileName) override {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
    if (size == 0) return std::nullopt;
    platform::Bytes data(size);
    if (!GetFileVersionInfoA(fileName.c_str(), 0, size, data.data())) return std::nullopt;
    return data;
  }

  bool HasLoadedModuleEntry(const std::string& module, const std::string& entry) override {
    return LoadedModuleEntry<FARPROC>(module.c_str(), entry.c_str()) != nullptr;
  }

  std::string WideToAnsi(const std::u16string& text) override {
    return win32::WideToAnsi(reinterpret_cast<const wchar_t*>(text.data()), text.size());
  }

  std::uint32_t GetTickCount() override { return ::GetTickCount(); }

 private:
  static std::string Directory(UINT(WINAPI* call)(LPSTR, UINT)) {
    char buffer[MAX_PATH + 1];
    UINT n = call(buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
  }
};

class Win32UserInterface : public platform::UserInterfaceApi {
 public:
  explicit Win32UserInterface(bool console) : console_(console) {}
  bool IsConsoleProcess() override { return console_; }
  void WriteConsoleLine(const std::string& line) override {
    std::fputs(line.c_str(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
  }
  void ShowErrorBox(const std::string& text, const std::string& caption) override {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
  }

 private:
  bool console_;
};

class Win32Platform : public platform::Platform {
 public:
  explicit Win32Platform(bool console) : ui_(console) {}
  platform::SystemApi& System() override { return system_; }
  platform::RegistryApi& Registry() override { return registry_; }
  platform::UserInterfaceApi& UserInterface() override { return ui_; }
  platform::RegionalApi& Regional() override { return *regional_; }
  platform::InternetApi& Internet() override { return *internet_; }
  platform::ProcessorApi& Processor() override { return *processor_; }
  platform::MemoryApi& Memory() override { return *memory_; }
  platform::PerformanceApi& Performance() override { return performance_; }
  platform::DiskApi& Disk() override { return *disk_; }
  platform::DeviceIoApi& DeviceIo() override { return *deviceIo_; }
  platform::FirmwareApi& Firmware() override { return *firmware_; }
  platform::ProcessApi& Processes() override { return *processes_; }
  platform::SessionApi& Session() override { return *session_; }
  platform::SpoolerApi& Spooler() override { return *spooler_; }
  platform::ShellApi& Shell() override { return *shell_; }
  platform::DisplayApi& Display() override { return *display_; }
  platform::NetworkApi& Network() override { return *network_; }
  platform::MultimediaApi& Multimedia() override { return *multimedia_; }
  platform::AspiApi& Aspi() override { return *aspi_; }
  platform::DataEnginesApi& DataEngines() override { return *dataEngines_; }

 private:
  Win32System system_;
  Win32Registry registry_;
  Win32UserInterface ui_;
  std::unique_ptr<platform::RegionalApi> regional_ = CreateWin32Regional();
  std::unique_ptr<platform::InternetApi> internet_ = CreateWin32Internet();
  std::unique_ptr<platform::ProcessorApi> processor_ = CreateWin32Processor();
  std::unique_ptr<platform::MemoryApi> memory_ = CreateWin32Memory();
  Win32Performance performance_;
  std::unique_ptr<platform::DiskApi> disk_ = CreateWin32Disk();
  std::unique_ptr<platform::DeviceIoApi> deviceIo_ = CreateWin32DeviceIo();
  std::unique_ptr<platform::FirmwareApi> firmware_ = CreateWin32Firmware();
  std::unique_ptr<platform::ProcessApi> processes_ = CreateWin32Processes();
  std::unique_ptr<platform::SessionApi> session_ = CreateWin32Session();
  std::unique_ptr<platform::SpoolerApi> spooler_ = CreateWin32Spooler();
  std::unique_ptr<platform::ShellApi> shell_ = CreateWin32Shell();
  std::unique_ptr<platform::DisplayApi> display_ = CreateWin32Display();
  std::unique_ptr<platform::NetworkApi> network_ = CreateWin32Network();
  std::unique_ptr<platform::MultimediaApi> multimedia_ = CreateWin32Multimedia();
  std::unique_ptr<platform::AspiApi> aspi_ = CreateWin32Aspi();  // binds the ASPI library at start
  std::unique_ptr<platform::DataEnginesApi> dataEngines_ = CreateWin32DataEngines();
};

}  // namespace

std::unique_ptr<platform::Platform> CreateWin32Platform(bool console) {
  return std::make_unique<Win32Platform>(console);
}

}  // namespace nsx::win32
