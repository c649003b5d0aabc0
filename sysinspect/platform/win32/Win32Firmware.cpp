#include <windows.h>

#include <cstring>

#include "Binding.h"
#include "Win32Firmware.h"

namespace nsx::win32 {
namespace {

// The native layer's object attributes (OBJECT_ATTRIBUTES with its
// UNICODE_STRING), declared here as ntdll expects them.
struct NativeUnicodeString {
  USHORT Length;
  USHORT MaximumLength;
  PWSTR Buffer;
};
struct NativeObjectAttributes {
  ULONG Length;
  HANDLE RootDirectory;
  NativeUnicodeString* ObjectName;
  ULONG Attributes;
  PVOID SecurityDescriptor;
  PVOID SecurityQualityOfService;
};
using ZwOpenSectionCall = LONG(NTAPI*)(HANDLE*, ACCESS_MASK, NativeObjectAttributes*);
using ZwCloseCall = LONG(NTAPI*)(HANDLE);
using GetSystemFirmwareTableCall = UINT(WINAPI*)(DWORD, DWORD, PVOID, DWORD);
using GetTickCount64Call = ULONGLONG(WINAPI*)();

const ULONG kObjCaseInsensitive = 0x40;
const ACCESS_MASK kSectionMapRead = 4;

class Win32Firmware : public platform::FirmwareApi {
 public:
  bool CopyLinearMemory(std::uint32_t address, std::uint32_t length, std::uint8_t* destination) override {
    const void* source = reinterpret_cast<const void*>(static_cast<ULONG_PTR>(address));
    // The probe catches the fault a missing mapping raises; only then is
    // the range copied.
    if (length == 0 || IsBadReadPtr(source, length)) return false;
    std::memcpy(destination, source, length);
    return true;
  }

  std::uint32_t OpenPhysicalMemory(std::uintptr_t* section) override {
    auto open = LoadedModuleEntry<ZwOpenSectionCall>("ntdll.dll", "ZwOpenSection");
    if (!open) return platform::kStatusObjectNameNotFound;
    wchar_t name[] = L"\\Device\\PhysicalMemory";
    NativeUnicodeString objectName{44, 46, name};
    NativeObjectAttributes attributes{sizeof(NativeObjectAttributes), nullptr, &objectName, kObjCaseInsensitive,
                                      nullptr, nullptr};
    HANDLE handle = nullptr;
    LONG status = open(&handle, kSectionMapRead, &attributes);
    if (status == 0) *section = reinterpret_cast<std::uintptr_t>(handle);
    return static_cast<std::uint32_t>(status);
  }

  bool ReadView(std::uintptr_t section, std::uint32_t offset, std::uint32_t length, platform::Bytes* bytes) override {
    void* view = MapViewOfFile(reinterpret_cast<HANDLE>(section), FILE_MAP_READ, 0, offset, length);
    if (!view) return false;
    const auto* first = static_cast<const std::uint8_t*>(view);
    bytes->assign(first, first + length);
    UnmapViewOfFile(view);
    return true;
  }

  void CloseSection(std::uintptr_t section) override {
    auto close = LoadedModuleEntry<ZwCloseCall>("ntdll.dll", "ZwClose");
    if (close) close(reinterpret_cast<HANDLE>(section));
  }

  std::optional<platform::Bytes> SystemFirmwareTable(std::uint32_t provider, std::uint32_t tableId) override {
    auto query = LoadedModuleEntry<GetSystemFirmwareTableCall>("kernel32.dll", "GetSystemFirmwareTable");
    if (!query) return std::nullopt;
    UINT size = query(provider, tableId, nullptr, 0);
    if (size == 0) return std::nullopt;
    platform::Bytes table(size);
    UINT got = query(provider, tableId, table.data(), size);
    if (got == 0 || got > size) return std::nullopt;
    table.resize(got);
    return table;
  }
};

// A kernel handle closed when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (handle_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

const DWORD kTerminationWait = 5000;

class Win32Processes : public platform::ProcessApi {
 public:
  bool DirectoryExists(const std::string& path) override {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool MakeDirectory(const std::string& path) override { return CreateDirectoryA(path.c_str(), nullptr) != 0; }
  bool RemoveEmptyDirectory(const std::string& path) override { return RemoveDirectoryA(path.c_str()) != 0; }
  bool RemoveFile(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

  std::optional<std::uint32_t> WriteNewFile(const std::string& path, const platform::Bytes& bytes) override {
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    DWORD written = 0;
    if (!bytes.empty() && !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
      written = 0;
    return written;
  }

  std::optional<platform::Bytes> ReadExistingFile(const std::string& path, std::uint32_t count) override {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    platform::Bytes bytes(count);
    DWORD got = 0;
    if (count > 0 && !ReadFile(file.Get(), bytes.data(), count, &got, nullptr)) got = 0;
    bytes.resize(got);
    return bytes;
  }

  platform::ChildOutcome RunHidden(const std::string& commandLine, std::uint32_t timeoutMilliseconds) override {
    platform::ChildOutcome outcome;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info;
    ZeroMemory(&info, sizeof info);
    std::string line = commandLine;  // CreateProcessA may write into it
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | CREATE_NEW_PROCESS_GROUP,
                        nullptr, nullptr, &startup, &info))
      return outcome;
    Handle process(info.hProcess), thread(info.hThread);
    if (WaitForSingleObject(process.Get(), timeoutMilliseconds) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process.Get(), &code);
      outcome.end = platform::ChildEnd::Ended;
      outcome.exitCode = code;
      return outcome;
    }
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), kTerminationWait);
    outcome.end = platform::ChildEnd::TimedOut;
    outcome.exitCode = 1;
    return outcome;
  }
};

class Win32Session : public platform::SessionApi {
 public:
  std::optional<platform::KeyboardState> Keyboard() override {
    BYTE keys[256];
    ZeroMemory(keys, sizeof keys);
    if (!GetKeyboardState(keys)) return std::nullopt;
    platform::KeyboardState state;
    std::memcpy(state.data(), keys, state.size());
    return state;
  }
  std::optional<std::uint64_t> TickCount64() override {
    auto call = LoadedModuleEntry<GetTickCount64Call>("kernel32.dll", "GetTickCount64");
    if (!call) return std::nullopt;
    return call();
  }
};

}  // namespace

std::unique_ptr<platform::FirmwareApi> CreateWin32Firmware() { return std::make_unique<Win32Firmware>(); }
std::unique_ptr<platform::ProcessApi> CreateWin32Processes() { return std::make_unique<Win32Processes>(); }
std::unique_ptr<platform::SessionApi> CreateWin32Session() { return std::make_unique<Win32Session>(); }

}  // namespace nsx::win32
