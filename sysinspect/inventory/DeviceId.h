// The device id an OCS Inventory NG server files a machine under:
// NAME-YYYY-MM-DD-HH-MM-SS. It must be the same on every run without the
// program writing anything, so the time is when Windows was installed, not
// when the program first ran.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "../platform/WinTypes.h"

namespace nsx::inventory {

struct TInstallStamp {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// The stamp used when the installation time is unknown (what an NT
// InstallDate of 0 would say).
constexpr TInstallStamp kUnknownInstallStamp{};

// NT's "InstallDate": seconds since 1970-01-01 00:00 UTC, taken as UTC so
// that a change of time zone or daylight time does not move it. Nothing for 0.
std::optional<TInstallStamp> StampFromUnixSeconds(std::uint32_t seconds);

// The 9x family's "FirstInstallDateTime": four bytes, a little-endian DOS
// date (high word) and time (low word) in local time. Nothing for fewer
// bytes or a date or time no clock shows.
std::optional<TInstallStamp> StampFromDosDateTime(const platform::Bytes& value);

// The installation time of the running Windows, from the registry:
// InstallDate on the NT family, FirstInstallDateTime on the 9x family.
std::optional<TInstallStamp> ReadInstallStamp();

// NAME-YYYY-MM-DD-HH-MM-SS. Blanks and control characters of the name
// become '_' (an id travels in logs and file names); an empty name is
// "UNKNOWN"; an unknown time is kUnknownInstallStamp.
std::string DeviceId(const std::string& machineName, const std::optional<TInstallStamp>& installed);

}  // namespace nsx::inventory
