// Regional services of kernel32: the current time zone, the local clock and
// the locale settings (GetTimeZoneInformation, GetLocalTime, GetLocaleInfoA).
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace nsx::platform {

// SYSTEMTIME, field by field.
struct SystemTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;
  std::uint16_t dayOfWeek = 0;
  std::uint16_t day = 0;
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t milliseconds = 0;

  bool operator==(const SystemTime& o) const {
    return year == o.year && month == o.month && dayOfWeek == o.dayOfWeek && day == o.day && hour == o.hour &&
           minute == o.minute && second == o.second && milliseconds == o.milliseconds;
  }
  bool operator!=(const SystemTime& o) const { return !(*this == o); }
};

// TIME_ZONE_INFORMATION; the names are the WCHAR[32] arrays up to their NUL.
struct TimeZoneInformation {
  std::int32_t bias = 0;
  std::u16string standardName;
  SystemTime standardDate;
  std::int32_t standardBias = 0;
  std::u16string daylightName;
  SystemTime daylightDate;
  std::int32_t daylightBias = 0;
};

// Answers of GetTimeZoneInformation.
enum : std::uint32_t {
  kTimeZoneIdUnknown = 0,
  kTimeZoneIdStandard = 1,
  kTimeZoneIdDaylight = 2,
  kTimeZoneIdInvalid = 0xFFFFFFFFu,
};

// Locale identifiers the system resolves itself.
enum : std::uint32_t {
  kLocaleUserDefault = 0x0400,
  kLocaleSystemDefault = 0x0800,
};

// LOCALE_* items of GetLocaleInfoA.
enum : std::uint32_t {
  kLocaleSLanguage = 0x02,
  kLocaleSAbbrevLangName = 0x03,
  kLocaleICountry = 0x05,
  kLocaleSCountry = 0x06,
  kLocaleSAbbrevCtryName = 0x07,
  kLocaleSList = 0x0C,
  kLocaleIMeasure = 0x0D,
  kLocaleSDecimal = 0x0E,
  kLocaleIDigits = 0x11,
  kLocaleSCurrency = 0x14,
  kLocaleSIntlSymbol = 0x15,
  kLocaleSMonDecimalSep = 0x16,
  kLocaleSMonThousandSep = 0x17,
  kLocaleICurrDigits = 0x19,
  kLocaleICurrency = 0x1B,
  kLocaleINegCurr = 0x1C,
  kLocaleSDate = 0x1D,
  kLocaleSTime = 0x1E,
  kLocaleSShortDate = 0x1F,
  kLocaleIDate = 0x21,
  kLocaleILDate = 0x22,
  kLocaleITime = 0x23,
  kLocaleICentury = 0x24,
  kLocaleS1159 = 0x28,
  kLocaleS2359 = 0x29,
  kLocaleSDayName1 = 0x2A,        // Monday; SDAYNAME7 (0x30) is Sunday
  kLocaleSAbbrevDayName1 = 0x31,  // Monday
  kLocaleSMonthName1 = 0x38,
  kLocaleSAbbrevMonthName1 = 0x44,
  kLocaleSEngLanguage = 0x1001,
  kLocaleSTimeFormat = 0x1003,
};

class RegionalApi {
 public:
  virtual ~RegionalApi() = default;
  // GetTimeZoneInformation: fills `info` and answers the zone id
  // (kTimeZoneIdInvalid when the call fails, `info` then untouched).
  virtual std::uint32_t CurrentTimeZone(TimeZoneInformation* info) = 0;
  // GetLocalTime.
  virtual SystemTime LocalTime() = 0;
  // GetLocaleInfoA with a 255-byte buffer: the item's text in the ANSI code
  // page; nullopt where the call answers 0 (unknown locale or item, or a
  // text that does not fit).
  virtual std::optional<std::string> LocaleText(std::uint32_t locale, std::uint32_t item) = 0;
};

}  // namespace nsx::platform
