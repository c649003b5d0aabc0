#include <windows.h>
#include <winnetwk.h>

#include <vector>

#include "Binding.h"
#include "Win32Disk.h"

namespace nsx::win32 {
namespace {

// The enumeration buffer grows on demand up to this size.
constexpr DWORD kMaxEnumBuffer = 1u << 20;

using FreeSpaceExFunction = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
using UniversalNameFunction = DWORD(WINAPI*)(LPCSTR, DWORD, LPVOID, LPDWORD);
using OpenEnumFunction = DWORD(WINAPI*)(DWORD, DWORD, DWORD, LPNETRESOURCEA, LPHANDLE);
using EnumResourceFunction = DWORD(WINAPI*)(HANDLE, LPDWORD, LPVOID, LPDWORD);
using CloseEnumFunction = DWORD(WINAPI*)(HANDLE);

class Win32Disk : public platform::DiskApi {
 public:
  std::uint32_t LogicalDriveStrings(std::uint32_t bufferLength, std::string* buffer) override {
    std::vector<char> bytes(bufferLength + 1, '\0');
    DWORD returned = GetLogicalDriveStringsA(bufferLength, bytes.data());
    // What was written: up to the returned length and its final NUL.
    DWORD written = returned < bufferLength ? returned + 1 : 0;
    buffer->assign(bytes.data(), written);
    return returned;
  }

  std::uint32_t DriveType(const std::string& root) override { return GetDriveTypeA(root.c_str()); }

  std::uint32_t SetErrorMode(std::uint32_t mode) override { return ::SetErrorMode(mode); }

  std::optional<platform::DiskFreeSpace> FreeSpace(const std::string& root) override {
    // The outputs start at zero: a failing call may leave them as they were.
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
      return std::nullopt;
    return platform::DiskFreeSpace{sectorsPerCluster, bytesPerSector, freeClusters, totalClusters};
  }

  bool HasFreeSpaceEx() override { return LoadedModuleEntry<FARPROC>("kernel32", "GetDiskFreeSpaceExA") != nullptr; }

  std::optional<platform::DiskFreeSpaceEx> FreeSpaceEx(const std::string& root) override {
    auto query = LoadedModuleEntry<FreeSpaceExFunction>("kernel32", "GetDiskFreeSpaceExA");
    if (!query) return std::nullopt;
    ULARGE_INTEGER toCaller{}, total{}, totalFree{};
    if (!query(root.c_str(), &toCaller, &total, &totalFree)) return std::nullopt;
    return platform::DiskFreeSpaceEx{toCaller.QuadPart, total.QuadPart, totalFree.QuadPart};
  }

  std::optional<platform::VolumeInformation> Volume(const std::string& root) override {
    char label[256] = {0}, fileSystem[256] = {0};
    DWORD serial = 0, maxComponent = 0, flags = 0;
    if (!GetVolumeInformationA(root.c_str(), label, 255, &serial, &maxComponent, &flags, fileSystem, 255))
      return std::nullopt;
    label[255] = fileSystem[255] = '\0';
    return platform::VolumeInformation{label, serial, maxComponent, flags, fileSystem};
  }

  std::optional<std::string> FullPathName(const std::string& path) override {
    char buffer[MAX_PATH + 1] = {0};
    char* filePart = nullptr;
    DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, &filePart);
    if (n == 0 || n >= MAX_PATH) return std::nullopt;
    return std::string(buffer, n);
  }

  std::optional<std::string> UniversalName(const std::string& localPath) override {
    LoadedLibrary mpr("mpr.dll");
    auto query = mpr.Entry<UniversalNameFunction>("WNetGetUniversalNameA");
    if (!query) return std::nullopt;
    alignas(UNIVERSAL_NAME_INFOA) char buffer[1024] = {0};
    DWORD size = sizeof buffer;
    if (query(localPath.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer, &size) != NO_ERROR) return std::nullopt;
    const char* name = reinterpret_cast<UNIVERSAL_NAME_INFOA*>(buffer)->lpUniversalName;
    if (!name) return std::nullopt;
    return std::string(name);
  }

  std::vector<platform::NetConnection> ConnectedDisks() override {
    std::vector<platform::NetConnection> connections;
    LoadedLibrary mpr("mpr.dll");
    auto open = mpr.Entry<OpenEnumFunction>("WNetOpenEnumA");
    auto next = mpr.Entry<EnumResourceFunction>("WNetEnumResourceA");
    auto close = mpr.Entry<CloseEnumFunction>("WNetCloseEnum");
    if (!open || !next || !close) return connections;
    HANDLE enumeration = nullptr;
    if (open(RESOURCE_CONNECTED, RESOURCETYPE_DISK, 0, nullptr, &enumeration) != NO_ERROR) return connections;
    std::vector<char> buffer(1600);
    for (;;) {
      DWORD count = 1;
      DWORD size = static_cast<DWORD>(buffer.size());
      DWORD status = next(enumeration, &count, buffer.data(), &size);
      if (status == ERROR_MORE_DATA && size > buffer.size() && size <= kMaxEnumBuffer) {
        buffer.resize(size);
        continue;
      }
      if (status != NO_ERROR) break;
      auto* resources = reinterpret_cast<NETRESOURCEA*>(buffer.data());
      for (DWORD i = 0; i < count; ++i) {
        platform::NetConnection connection;
        if (resources[i].lpLocalName) connection.localName = std::string(resources[i].lpLocalName);
        if (resources[i].lpRemoteName) connection.remoteName = resources[i].lpRemoteName;
        connections.push_back(connection);
      }
    }
    close(enumeration);
    return connections;
  }
};

class Win32DeviceIo : public platform::DeviceIoApi {
 public:
  long Open(const std::string& name, std::uint32_t access, std::uint32_t share, std::uint32_t creation,
            platform::DeviceHandle* handle) override {
    HANDLE file = CreateFileA(name.c_str(), access, share, nullptr, creation, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      long error = static_cast<long>(GetLastError());
      return error ? error : static_cast<long>(ERROR_GEN_FAILURE);
    }
    *handle = reinterpret_cast<platform::DeviceHandle>(file);
    return 0;
  }

  void Close(platform::DeviceHandle handle) override { CloseHandle(reinterpret_cast<HANDLE>(handle)); }

  long Control(platform::DeviceHandle handle, std::uint32_t code, const platform::Bytes& input,
               platform::Bytes* output, std::uint32_t* bytesReturned) override {
    platform::Bytes in = input;  // the system may write into the input of a shared buffer
    DWORD returned = 0;
    if (!DeviceIoControl(reinterpret_cast<HANDLE>(handle), code, in.empty() ? nullptr : in.data(),
                         static_cast<DWORD>(in.size()), output->empty() ? nullptr : output->data(),
                         static_cast<DWORD>(output->size()), &returned, nullptr)) {
      *bytesReturned = 0;
      long error = static_cast<long>(GetLastError());
      return error ? error : static_cast<long>(ERROR_GEN_FAILURE);
    }
    *bytesReturned = returned <= output->size() ? returned : static_cast<std::uint32_t>(output->size());
    return 0;
  }

  std::string SystemMessage(std::uint32_t code) override {
    char buffer[512] = {0};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                             sizeof buffer - 1, nullptr);
    std::string text(buffer, n < sizeof buffer ? n : 0);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
  }
};

}  // namespace

std::unique_ptr<platform::DiskApi> CreateWin32Disk() { return std::make_unique<Win32Disk>(); }
std::unique_ptr<platform::DeviceIoApi> CreateWin32DeviceIo() { return std::make_unique<Win32DeviceIo>(); }

}  // namespace nsx::win32
