#include "SimRegional.h"

namespace nsx::sim {
namespace {

// Flags a caller may add to an item (LOCALE_NOUSEROVERRIDE, LOCALE_USE_CP_ACP,
// LOCALE_RETURN_NUMBER); the answer is the same text.
constexpr std::uint32_t kLocaleItemFlags = 0x80000000u | 0x40000000u | 0x20000000u;

struct LocaleRow {
  std::uint32_t item;
  const char* text;
};
const LocaleRow kEnglishUS[] = {
    // item                           text
    {platform::kLocaleSLanguage, "English (United States)"},
    {platform::kLocaleSAbbrevLangName, "ENU"},
    {platform::kLocaleICountry, "1"},
    {platform::kLocaleSCountry, "United States"},
    {platform::kLocaleSAbbrevCtryName, "USA"},
    {platform::kLocaleSList, ","},
    {platform::kLocaleIMeasure, "1"},
    {platform::kLocaleSDecimal, "."},
    {platform::kLocaleIDigits, "2"},
    {platform::kLocaleSCurrency, "$"},
    {platform::kLocaleSIntlSymbol, "USD"},
    {platform::kLocaleSMonDecimalSep, "."},
    {platform::kLocaleSMonThousandSep, ","},
    {platform::kLocaleICurrDigits, "2"},
    {platform::kLocaleICurrency, "0"},
    {platform::kLocaleINegCurr, "0"},
    {platform::kLocaleSDate, "/"},
    {platform::kLocaleSTime, ":"},
    {platform::kLocaleSShortDate, "M/d/yyyy"},
    {platform::kLocaleIDate, "0"},
    {platform::kLocaleILDate, "0"},
    {platform::kLocaleITime, "0"},
    {platform::kLocaleICentury, "1"},
    {platform::kLocaleS1159, "AM"},
    {platform::kLocaleS2359, "PM"},
    {platform::kLocaleSEngLanguage, "English"},
    {platform::kLocaleSTimeFormat, "h:mm:ss tt"},
};

const char* const kDayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

}  // namespace

SimLocaleItems EnglishUSLocaleItems() {
  SimLocaleItems items;
  for (const auto& row : kEnglishUS) items[row.item] = row.text;
  for (std::uint32_t d = 0; d < 7; ++d) {
    items[platform::kLocaleSDayName1 + d] = kDayNames[d];
    items[platform::kLocaleSAbbrevDayName1 + d] = std::string(kDayNames[d]).substr(0, 3);
  }
  for (std::uint32_t m = 0; m < 12; ++m) {
    items[platform::kLocaleSMonthName1 + m] = kMonthNames[m];
    items[platform::kLocaleSAbbrevMonthName1 + m] = std::string(kMonthNames[m]).substr(0, 3);
  }
  return items;
}

platform::TimeZoneInformation PacificTimeZone() {
  platform::TimeZoneInformation tz;
  tz.bias = 480;
  tz.standardName = u"Pacific Standard Time";
  tz.standardDate = {0, 10, 0, 5, 2, 0, 0, 0};
  tz.standardBias = 0;
  tz.daylightName = u"Pacific Daylight Time";
  tz.daylightDate = {0, 4, 0, 1, 2, 0, 0, 0};
  tz.daylightBias = -60;
  return tz;
}

std::uint32_t SimRegionalApi::CurrentTimeZone(platform::TimeZoneInformation* info) {
  const auto& zone = machine_.regional.timeZone;
  if (!zone) return platform::kTimeZoneIdInvalid;
  *info = *zone;
  // The names come in WCHAR[32] arrays: at most 31 characters and the NUL.
  if (info->standardName.size() > 31) info->standardName.resize(31);
  if (info->daylightName.size() > 31) info->daylightName.resize(31);
  return machine_.regional.timeZoneId;
}

platform::SystemTime SimRegionalApi::LocalTime() { return machine_.regional.localTime; }

std::optional<std::string> SimRegionalApi::LocaleText(std::uint32_t locale, std::uint32_t item) {
  const auto& regional = machine_.regional;
  if (locale == platform::kLocaleSystemDefault) locale = regional.systemLocale;
  if (locale == platform::kLocaleUserDefault || locale == 0) locale = regional.userLocale;
  auto items = regional.locales.find(locale);
  if (items == regional.locales.end()) return std::nullopt;
  auto text = items->second.find(item & ~kLocaleItemFlags);
  if (text == items->second.end()) return std::nullopt;
  // A text that does not fit the caller's 255-byte buffer fails the call.
  if (text->second.size() > 254) return std::nullopt;
  return text->second;
}

bool SimInternetApi::FileExists(const std::string& path) {
  return machine_.internet.existingFiles.count(path) > 0 || machine_.versionResources.count(path) > 0;
}

std::optional<platform::RasEnumResult> SimInternetApi::EnumRasConnections(std::uint32_t entries) {
  const auto& ras = machine_.internet.ras;
  if (!ras) return std::nullopt;
  platform::RasEnumResult answer = *ras;
  // More connections than the buffer holds: the call reports the shortage.
  if (answer.status == platform::kErrorSuccess && answer.connections > entries)
    answer.status = platform::kErrorBufferTooSmall;
  return answer;
}

}  // namespace nsx::sim
