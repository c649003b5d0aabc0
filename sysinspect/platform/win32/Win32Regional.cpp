#include "Win32Regional.h"

#include "Binding.h"

#include <windows.h>

#include <vector>

namespace nsx::win32 {
namespace {

platform::SystemTime FromSystemTime(const SYSTEMTIME& st) {
  return {st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

std::u16string WideName(const WCHAR (&name)[32]) {
  size_t n = 0;
  while (n < 32 && name[n] != 0) ++n;
  return std::u16string(reinterpret_cast<const char16_t*>(name), n);
}

class Win32Regional : public platform::RegionalApi {
 public:
  std::uint32_t CurrentTimeZone(platform::TimeZoneInformation* info) override {
    TIME_ZONE_INFORMATION tz{};
    DWORD id = ::GetTimeZoneInformation(&tz);
    if (id == TIME_ZONE_ID_INVALID) return platform::kTimeZoneIdInvalid;
    info->bias = tz.Bias;
    info->standardName = WideName(tz.StandardName);
    info->standardDate = FromSystemTime(tz.StandardDate);
    info->standardBias = tz.StandardBias;
    info->daylightName = WideName(tz.DaylightName);
    info->daylightDate = FromSystemTime(tz.DaylightDate);
    info->daylightBias = tz.DaylightBias;
    return id;
  }

  platform::SystemTime LocalTime() override {
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    return FromSystemTime(st);
  }

  std::optional<std::string> LocaleText(std::uint32_t locale, std::uint32_t item) override {
    char buffer[255] = {0};
    int n = ::GetLocaleInfoA(locale, item, buffer, sizeof buffer);
    if (n <= 0) return std::nullopt;
    return std::string(buffer);
  }
};

// RASCONNA as the oldest remote-access library knows it (412 bytes in a
// 32-bit process); every version accepts this size.
struct RasConnection {
  DWORD dwSize;
  HANDLE hrasconn;
  CHAR szEntryName[257];
  CHAR szDeviceType[17];
  CHAR szDeviceName[129];
};
using RasEnumConnectionsFn = DWORD(WINAPI*)(RasConnection*, LPDWORD, LPDWORD);

class Win32Internet : public platform::InternetApi {
 public:
  bool FileExists(const std::string& path) override {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  std::optional<platform::RasEnumResult> EnumRasConnections(std::uint32_t entries) override {
    LoadedLibrary library("rasapi32.dll");
    if (!library) return std::nullopt;
    auto enumerate = library.Entry<RasEnumConnectionsFn>("RasEnumConnectionsA");
    if (!enumerate) return std::nullopt;
    std::vector<RasConnection> buffer(entries == 0 ? 1 : entries);
    buffer[0].dwSize = sizeof(RasConnection);
    DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(RasConnection));
    DWORD connections = 0;
    platform::RasEnumResult result;
    result.status = static_cast<long>(enumerate(buffer.data(), &bytes, &connections));
    result.connections = connections;
    return result;
  }
};

}  // namespace

std::unique_ptr<platform::RegionalApi> CreateWin32Regional() { return std::make_unique<Win32Regional>(); }
std::unique_ptr<platform::InternetApi> CreateWin32Internet() { return std::make_unique<Win32Internet>(); }

}  // namespace nsx::win32
