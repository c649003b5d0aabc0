// The simulated machine's time zone, clock, locales, program files and
// dial-up connections (the data behind RegionalApi and InternetApi).
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "../Internet.h"
#include "../Regional.h"
#include "SimRegistry.h"

namespace nsx::sim {

using SimLocaleItems = std::map<std::uint32_t, std::string>;  // LOCALE_* item -> ANSI text

// What an English (United States) locale answers.
SimLocaleItems EnglishUSLocaleItems();

// Pacific time with the rules of its era: daylight time from the first
// Sunday of April, standard time from the last Sunday of October.
platform::TimeZoneInformation PacificTimeZone();

struct SimRegional {
  std::optional<platform::TimeZoneInformation> timeZone = PacificTimeZone();  // nullopt: the call fails
  std::uint32_t timeZoneId = platform::kTimeZoneIdDaylight;
  platform::SystemTime localTime{2006, 6, 4, 15, 12, 0, 0, 0};  // Thursday, 15 June 2006, noon
  std::uint32_t systemLocale = 0x0409;  // what LOCALE_SYSTEM_DEFAULT means
  std::uint32_t userLocale = 0x0409;    // what LOCALE_USER_DEFAULT means
  std::map<std::uint32_t, SimLocaleItems> locales{{0x0409, EnglishUSLocaleItems()}};
};

struct SimInternet {
  std::set<std::string, NoCaseLess> existingFiles;  // full paths of files that exist
  // The remote-access library's answer; nullopt: no library (or no entry point).
  std::optional<platform::RasEnumResult> ras = platform::RasEnumResult{};
};

}  // namespace nsx::sim
