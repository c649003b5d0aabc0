#include "DeviceId.h"

#include <cstdio>

#include "../core/Norvik_Datetime.h"
#include "../core/Norvik_Routines.h"
#include "../platform/LittleEndian.h"

namespace nsx::inventory {
namespace {

using platform::RegKey;
using platform::RegRoot;

const char kNTCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char k9xCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const TDateTime kUnixEpochDay = 25569;  // 1970-01-01 as a day count

}  // namespace

std::optional<TInstallStamp> StampFromUnixSeconds(std::uint32_t seconds) {
  if (seconds == 0) return std::nullopt;
  TInstallStamp stamp;
  DecodeDate(kUnixEpochDay + seconds / 86400u, stamp.year, stamp.month, stamp.day);
  std::uint32_t time = seconds % 86400u;
  stamp.hour = static_cast<int>(time / 3600);
  stamp.minute = static_cast<int>(time / 60 % 60);
  stamp.second = static_cast<int>(time % 60);
  return stamp;
}

std::optional<TInstallStamp> StampFromDosDateTime(const platform::Bytes& value) {
  if (value.size() < 4) return std::nullopt;
  std::uint32_t packed = platform::LittleEndian32(value, 0);
  std::uint32_t date = packed >> 16, time = packed & 0xFFFF;
  TInstallStamp stamp;
  stamp.year = 1980 + static_cast<int>(date >> 9);
  stamp.month = static_cast<int>(date >> 5 & 0x0F);
  stamp.day = static_cast<int>(date & 0x1F);
  stamp.hour = static_cast<int>(time >> 11);
  stamp.minute = static_cast<int>(time >> 5 & 0x3F);
  stamp.second = static_cast<int>(time & 0x1F) * 2;  // two-second units (Setup leaves 0 or 1 there)
  if (stamp.day < 1 || stamp.day > DaysInMonth(stamp.year, stamp.month)) return std::nullopt;  // month 0: 0 days
  if (stamp.hour > 23 || stamp.minute > 59 || stamp.second > 59) return std::nullopt;
  return stamp;
}

std::optional<TInstallStamp> ReadInstallStamp() {
  if (OSInfo().IsNT) {
    RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine, kNTCurrentVersion);
    auto seconds = key ? key.Dword("InstallDate") : std::nullopt;
    return seconds ? StampFromUnixSeconds(*seconds) : std::nullopt;
  }
  RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine, k9xCurrentVersion);
  auto value = key ? key.Value("FirstInstallDateTime") : std::nullopt;
  return value ? StampFromDosDateTime(value->data) : std::nullopt;
}

std::string DeviceId(const std::string& machineName, const std::optional<TInstallStamp>& installed) {
  std::string name = machineName.empty() ? "UNKNOWN" : machineName;
  for (char& c : name)
    if (static_cast<unsigned char>(c) <= ' ' || c == '\x7F') c = '_';
  const TInstallStamp& t = installed ? *installed : kUnknownInstallStamp;
  char stamp[80];
  std::snprintf(stamp, sizeof stamp, "-%04d-%02d-%02d-%02d-%02d-%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return name + stamp;
}

}  // namespace nsx::inventory
