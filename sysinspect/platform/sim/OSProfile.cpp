#include "OSProfile.h"

#include <strings.h>

#include <cstdio>
#include <sstream>

#include "../../core/Norvik_Datetime.h"
#include "CodePage.h"
#include "ProfileError.h"

namespace nsx::sim {
namespace {

using namespace platform;

// Locale items by the names of their LOCALE_ constants (without the prefix).
struct LocaleItemName {
  const char* name;
  std::uint32_t item;
};
const LocaleItemName kLocaleItemNames[] = {
    // name            item
    {"SLANGUAGE", kLocaleSLanguage},
    {"SENGLANGUAGE", kLocaleSEngLanguage},
    {"SABBREVLANGNAME", kLocaleSAbbrevLangName},
    {"ICOUNTRY", kLocaleICountry},
    {"SCOUNTRY", kLocaleSCountry},
    {"SABBREVCTRYNAME", kLocaleSAbbrevCtryName},
    {"SLIST", kLocaleSList},
    {"IMEASURE", kLocaleIMeasure},
    {"SDECIMAL", kLocaleSDecimal},
    {"IDIGITS", kLocaleIDigits},
    {"SCURRENCY", kLocaleSCurrency},
    {"SINTLSYMBOL", kLocaleSIntlSymbol},
    {"SMONDECIMALSEP", kLocaleSMonDecimalSep},
    {"SMONTHOUSANDSEP", kLocaleSMonThousandSep},
    {"ICURRDIGITS", kLocaleICurrDigits},
    {"ICURRENCY", kLocaleICurrency},
    {"INEGCURR", kLocaleINegCurr},
    {"SDATE", kLocaleSDate},
    {"STIME", kLocaleSTime},
    {"STIMEFORMAT", kLocaleSTimeFormat},
    {"SSHORTDATE", kLocaleSShortDate},
    {"IDATE", kLocaleIDate},
    {"ILDATE", kLocaleILDate},
    {"ITIME", kLocaleITime},
    {"ICENTURY", kLocaleICentury},
    {"S1159", kLocaleS1159},
    {"S2359", kLocaleS2359},
};

class OSProfileLoader {
 public:
  OSProfileLoader(const IniFile& ini, SimMachine& machine) : ini_(ini), machine_(machine) {}

  void Run() {
    TimeZone();
    Clock();
    Locales();
    Existing();
    Ras();
  }

 private:
  [[noreturn]] void Fail(const IniEntry& entry, const std::string& what) const {
    throw ProfileError(ini_.fileName, entry.line, "\"" + entry.key + "\" needs " + what + ", not \"" + entry.value + "\"");
  }

  long long Integer(const IniEntry& entry, long long min, long long max) const {
    try {
      size_t used = 0;
      long long value = std::stoll(entry.value, &used, 0);
      if (used == entry.value.size() && value >= min && value <= max) return value;
    } catch (const std::exception&) {
    }
    Fail(entry, "a number from " + std::to_string(min) + " to " + std::to_string(max));
  }

  std::string Ansi(const std::string& utf8) const { return Utf8ToAnsi(utf8, machine_.ansiCodePage); }

  // "year,month,dayOfWeek,day,hour,minute,second,milliseconds"; missing
  // trailing fields are 0.
  SystemTime Rule(const IniEntry& entry) const {
    std::uint16_t fields[8] = {0};
    std::stringstream list(entry.value);
    std::string field;
    int n = 0;
    while (std::getline(list, field, ',')) {
      if (n == 8) Fail(entry, "at most eight SYSTEMTIME fields");
      IniEntry one{entry.key, field, entry.line};
      auto b = field.find_first_not_of(' ');
      one.value = b == std::string::npos ? "" : field.substr(b, field.find_last_not_of(' ') - b + 1);
      fields[n++] = static_cast<std::uint16_t>(Integer(one, 0, 0xFFFF));
    }
    return {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7]};
  }

  void TimeZone() {
    const IniSection* s = ini_.Find("timezone");
    if (!s) return;
    TimeZoneInformation zone;  // a described zone starts from zeros
    auto& regional = machine_.regional;
    regional.timeZoneId = kTimeZoneIdUnknown;
    for (const auto& e : s->entries) {
      const char* key = e.key.c_str();
      if (!strcasecmp(key, "Bias")) zone.bias = static_cast<std::int32_t>(Integer(e, -1440, 1440));
      else if (!strcasecmp(key, "StandardBias")) zone.standardBias = static_cast<std::int32_t>(Integer(e, -1440, 1440));
      else if (!strcasecmp(key, "DaylightBias")) zone.daylightBias = static_cast<std::int32_t>(Integer(e, -1440, 1440));
      else if (!strcasecmp(key, "StandardName")) zone.standardName = Utf8ToUtf16(e.value);
      else if (!strcasecmp(key, "DaylightName")) zone.daylightName = Utf8ToUtf16(e.value);
      else if (!strcasecmp(key, "StandardDate")) zone.standardDate = Rule(e);
      else if (!strcasecmp(key, "DaylightDate")) zone.daylightDate = Rule(e);
      else if (!strcasecmp(key, "Id")) regional.timeZoneId = static_cast<std::uint32_t>(Integer(e, 0, 0xFFFFFFFFLL));
      else throw ProfileError(ini_.fileName, e.line, "unknown key \"" + e.key + "\" in [timezone]");
    }
    regional.timeZone = zone;
    if (regional.timeZoneId == kTimeZoneIdInvalid) regional.timeZone.reset();
  }

  void Clock() {
    const IniSection* s = ini_.Find("clock");
    if (!s) return;
    const IniEntry* e = s->Find("LocalTime");
    if (!e) return;
    int y, mo, d, h = 0, mi = 0, sec = 0;
    char tail = 0;
    int n = std::sscanf(e->value.c_str(), "%d-%d-%d %d:%d:%d%c", &y, &mo, &d, &h, &mi, &sec, &tail);
    TDateTime date = 0;
    try {
      if (n != 3 && n != 6) throw std::invalid_argument("form");
      date = EncodeDate(y, mo, d);
      EncodeTime(h, mi, sec, 0);
    } catch (const std::exception&) {
      Fail(*e, "a date and time YYYY-MM-DD hh:mm:ss");
    }
    machine_.regional.localTime = {static_cast<std::uint16_t>(y),  static_cast<std::uint16_t>(mo),
                                   static_cast<std::uint16_t>(DayOfWeek(date) - 1), static_cast<std::uint16_t>(d),
                                   static_cast<std::uint16_t>(h),  static_cast<std::uint16_t>(mi),
                                   static_cast<std::uint16_t>(sec), 0};
  }

  std::uint32_t LocaleItem(const IniEntry& e) const {
    for (const auto& row : kLocaleItemNames)
      if (!strcasecmp(row.name, e.key.c_str())) return row.item;
    IniEntry number{e.key, e.key, e.line};
    try {
      return static_cast<std::uint32_t>(Integer(number, 1, 0xFFFF));
    } catch (const ProfileError&) {
      throw ProfileError(ini_.fileName, e.line, "unknown locale item \"" + e.key + "\"");
    }
  }

  void Locales() {
    auto& regional = machine_.regional;
    if (const IniSection* s = ini_.Find("locale")) {
      if (auto* e = s->Find("System")) regional.systemLocale = static_cast<std::uint32_t>(Integer(*e, 1, 0xFFFF));
      if (auto* e = s->Find("User")) regional.userLocale = static_cast<std::uint32_t>(Integer(*e, 1, 0xFFFF));
    }
    for (const auto& section : ini_.sections) {
      if (strncasecmp(section.name.c_str(), "locale ", 7) != 0) continue;
      IniEntry id{"[" + section.name + "]", section.name.substr(7), section.entries.empty() ? 0 : section.entries[0].line - 1};
      auto lcid = static_cast<std::uint32_t>(Integer(id, 1, 0xFFFF));
      // Items not listed answer as English (United States) does.
      SimLocaleItems items = EnglishUSLocaleItems();
      for (const auto& e : section.entries) items[LocaleItem(e)] = Ansi(e.value);
      regional.locales[lcid] = std::move(items);
    }
  }

  void Existing() {
    const IniSection* s = ini_.Find("existing");
    if (!s) return;
    for (const auto& e : s->entries) {
      if (strcasecmp(e.key.c_str(), "file") != 0)
        throw ProfileError(ini_.fileName, e.line, "expected file=PATH in [existing]");
      machine_.internet.existingFiles.insert(Ansi(e.value));
    }
  }

  void Ras() {
    const IniSection* s = ini_.Find("ras");
    if (!s) return;
    auto& ras = machine_.internet.ras;
    if (auto* e = s->Find("Library"); e && Integer(*e, 0, 1) == 0) {
      ras.reset();
      return;
    }
    RasEnumResult answer;
    if (auto* e = s->Find("Status")) answer.status = static_cast<long>(Integer(*e, 0, 0xFFFFFFFFLL));
    if (auto* e = s->Find("Connections")) answer.connections = static_cast<std::uint32_t>(Integer(*e, 0, 0xFFFF));
    ras = answer;
  }

  const IniFile& ini_;
  SimMachine& machine_;
};

}  // namespace

void LoadOSProfile(const IniFile& ini, const std::string& /*dir*/, SimMachine& machine) {
  OSProfileLoader(ini, machine).Run();
}

}  // namespace nsx::sim
