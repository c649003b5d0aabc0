#include "NSX_TimeZone.h"

#include "../core/DateTimeText.h"
#include "../core/Norvik_Routines.h"

namespace nsx {
namespace {

using platform::RegKey;
using platform::RegRoot;

constexpr size_t kTziSize = 44;
constexpr size_t kMaxZoneNameLength = 32;

std::int32_t Int32At(const platform::Bytes& d, size_t at) {
  return static_cast<std::int32_t>(std::uint32_t(d[at]) | (std::uint32_t(d[at + 1]) << 8) |
                                   (std::uint32_t(d[at + 2]) << 16) | (std::uint32_t(d[at + 3]) << 24));
}

std::uint16_t Word(const platform::Bytes& d, size_t at) {
  return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}

platform::SystemTime SystemTimeAt(const platform::Bytes& d, size_t at) {
  return {Word(d, at),      Word(d, at + 2),  Word(d, at + 4),  Word(d, at + 6),
          Word(d, at + 8),  Word(d, at + 10), Word(d, at + 12), Word(d, at + 14)};
}

std::string ZoneTableKey() {
  return OSInfo().IsNT ? "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones"
                       : "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Time Zones";
}

// The "Display" value of the first table entry describing `zone`; empty when
// none does.
std::string FindDisplayName(const TZoneDescription& zone) {
  std::string path = ZoneTableKey();
  std::vector<std::string> names;
  {
    RegKey table = RegKey::Open(Reg(), RegRoot::LocalMachine, path);
    names = table.SubKeyNames();
  }
  for (const auto& name : names) {
    RegKey entry = RegKey::Open(Reg(), RegRoot::LocalMachine, path + "\\" + name);
    auto tzi = entry.Value("TZI");
    if (!tzi) continue;
    auto rule = DecodeTZI(tzi->data);
    if (!rule) continue;
    TZoneDescription candidate{*rule, entry.String("Std").value_or("").substr(0, kMaxZoneNameLength),
                               entry.String("Dlt").value_or("").substr(0, kMaxZoneNameLength)};
    if (SameZone(candidate, zone)) return entry.String("Display").value_or("");
  }
  return {};
}

}  // namespace

std::optional<TZoneRule> DecodeTZI(const platform::Bytes& data) {
  if (data.size() != kTziSize) return std::nullopt;
  TZoneRule rule;
  rule.Bias = Int32At(data, 0);
  rule.StandardBias = Int32At(data, 4);
  rule.DaylightBias = Int32At(data, 8);
  rule.StandardDate = SystemTimeAt(data, 12);
  rule.DaylightDate = SystemTimeAt(data, 28);
  return rule;
}

bool SameZone(const TZoneDescription& a, const TZoneDescription& b) {
  return a.Rule.Bias == b.Rule.Bias && a.Rule.StandardBias == b.Rule.StandardBias &&
         a.Rule.DaylightBias == b.Rule.DaylightBias && a.Rule.StandardDate == b.Rule.StandardDate &&
         a.Rule.DaylightDate == b.Rule.DaylightDate && a.StandardName == b.StandardName &&
         a.DaylightName == b.DaylightName;
}

void TTimeZone::GetInfo() {
  // Every gathering starts afresh: nothing of an earlier zone stays.
  *this = TTimeZone();
  platform::TimeZoneInformation info;
  Machine().Regional().CurrentTimeZone(&info);

  TZoneDescription current;
  current.Rule = {info.bias, info.standardBias, info.daylightBias, info.standardDate, info.daylightDate};
  current.StandardName = Sys().WideToAnsi(info.standardName);
  current.DaylightName = Sys().WideToAnsi(info.daylightName);

  displayName_ = FindDisplayName(current);
  bias_ = info.bias;
  standardName_ = current.StandardName;
  daylightName_ = current.DaylightName;

  if (info.daylightDate.month == 0 || info.standardDate.month == 0) return;
  int year = Machine().Regional().LocalTime().year;
  try {
    daylightStart_ = TransitionToDateTime(info.daylightDate, year);
    standardStart_ = TransitionToDateTime(info.standardDate, year);
    daylightBias_ = info.bias + info.daylightBias;
    standardBias_ = info.bias + info.standardBias;
  } catch (const Exception&) {
    // A rule naming no valid date ends this step; what was set stays.
  }
}

void TTimeZone::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  TFormatSettings formats = LoadFormatSettings(Machine().Regional(), platform::kLocaleUserDefault);
  WriteElementStart(list, "TimeZone", ClassName());
  WriteString(list, "TimeZone", displayName_);
  // These two lines carry the transition dates under the names' labels.
  WriteString(list, "StandardName", DateTimeToText(standardStart_, formats));
  WriteInteger(list, "StandardBias", standardBias_, "", "min");
  WriteString(list, "DaylightName", DateTimeToText(daylightStart_, formats));
  WriteInteger(list, "DaylightBias", daylightBias_, "", "min");
  WriteElementEnd(list, "TimeZone");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
