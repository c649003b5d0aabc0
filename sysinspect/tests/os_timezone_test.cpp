// The time zone: the zone table's display name, the names, this year's
// transitions and the total biases, and its report element.
#include <gtest/gtest.h>

#include "OSTestMachines.h"
#include "core/Norvik_Datetime.h"
#include "software/NSX_TimeZone.h"

namespace nsx {
namespace {

using platform::Bytes;
using platform::SystemTime;
using platform::TimeZoneInformation;

const char kNTZones[] = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\";
const char k9xZones[] = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Time Zones\\";

void Put32(Bytes& b, std::int32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
}
void PutTime(Bytes& b, const SystemTime& t) {
  for (std::uint16_t w : {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds}) {
    b.push_back(static_cast<std::uint8_t>(w));
    b.push_back(static_cast<std::uint8_t>(w >> 8));
  }
}
Bytes Tzi(const TimeZoneInformation& z) {
  Bytes b;
  Put32(b, z.bias);
  Put32(b, z.standardBias);
  Put32(b, z.daylightBias);
  PutTime(b, z.standardDate);
  PutTime(b, z.daylightDate);
  return b;
}

void AddZone(sim::SimMachine& m, const std::string& table, const std::string& key, const TimeZoneInformation& z,
             const std::string& display, const std::string& std, const std::string& dlt) {
  m.registry.SetString(table + key, "Display", display);
  m.registry.SetString(table + key, "Std", std);
  m.registry.SetString(table + key, "Dlt", dlt);
  m.registry.SetBinary(table + key, "TZI", Tzi(z));
}

TimeZoneInformation Tokyo() {
  TimeZoneInformation z;
  z.bias = -540;
  z.standardName = u"Tokyo Standard Time";
  z.daylightName = u"Tokyo Daylight Time";
  z.daylightBias = -60;
  return z;
}

TEST(DecodeTZI, ExactlyFortyFourBytes) {
  TimeZoneInformation pacific = sim::PacificTimeZone();
  auto rule = DecodeTZI(Tzi(pacific));
  ASSERT_TRUE(rule);
  EXPECT_EQ(rule->Bias, 480);
  EXPECT_EQ(rule->StandardBias, 0);
  EXPECT_EQ(rule->DaylightBias, -60);
  EXPECT_EQ(rule->StandardDate, pacific.standardDate);
  EXPECT_EQ(rule->DaylightDate, pacific.daylightDate);
  Bytes shorter = Tzi(pacific);
  shorter.pop_back();
  EXPECT_FALSE(DecodeTZI(shorter));
  Bytes longer = Tzi(pacific);
  longer.push_back(0);
  EXPECT_FALSE(DecodeTZI(longer));
  EXPECT_FALSE(DecodeTZI({}));
}

TEST(TTimeZone, ZoneWithDaylightSaving) {
  sim::SimMachine m = test::WinXPSP3();
  TimeZoneInformation pacific = sim::PacificTimeZone();
  TimeZoneInformation other = pacific;
  other.bias = 420;  // Mountain time's rule with Pacific's names: no match
  AddZone(m, kNTZones, "A Mountain", other, "(GMT-07:00) Wrong", "Pacific Standard Time", "Pacific Daylight Time");
  Bytes cut = Tzi(pacific);
  cut.resize(40);  // a broken entry is skipped
  m.registry.SetString(std::string(kNTZones) + "B Broken", "Display", "(GMT-08:00) Broken");
  m.registry.SetString(std::string(kNTZones) + "B Broken", "Std", "Pacific Standard Time");
  m.registry.SetString(std::string(kNTZones) + "B Broken", "Dlt", "Pacific Daylight Time");
  m.registry.SetBinary(std::string(kNTZones) + "B Broken", "TZI", cut);
  AddZone(m, kNTZones, "C Pacific lower case", pacific, "(GMT-08:00) lower case", "pacific standard time",
          "Pacific Daylight Time");
  AddZone(m, kNTZones, "D Pacific", pacific, "(GMT-08:00) Pacific Time (US & Canada); Tijuana",
          "Pacific Standard Time", "Pacific Daylight Time");
  AddZone(m, kNTZones, "E Pacific again", pacific, "(GMT-08:00) Second match", "Pacific Standard Time",
          "Pacific Daylight Time");
  m.regional.localTime = {2006, 6, 4, 15, 12, 0, 0, 0};
  test::TestMachine machine(m);

  TTimeZone zone;
  zone.GetInfo();
  EXPECT_EQ(zone.DisplayName(), "(GMT-08:00) Pacific Time (US & Canada); Tijuana");
  EXPECT_EQ(zone.StandardName(), "Pacific Standard Time");
  EXPECT_EQ(zone.DaylightName(), "Pacific Daylight Time");
  EXPECT_EQ(zone.Bias(), 480);
  EXPECT_EQ(zone.DaylightBias(), 420);
  EXPECT_EQ(zone.StandardBias(), 480);
  EXPECT_EQ(zone.DaylightStart(), EncodeDate(2006, 4, 2) + EncodeTime(2, 0, 0, 0));
  EXPECT_EQ(zone.StandardStart(), EncodeDate(2006, 10, 29) + EncodeTime(2, 0, 0, 0));
  EXPECT_EQ(machine.Platform().RegistryApi().OpenHandleCount(), 0u);

  TReportList list;
  zone.Report(list, false);
  EXPECT_EQ(test::ElementLines(list, "TimeZone"),
            (std::vector<std::string>{
                "<TimeZone classname=\"TTimeZone\">",
                "<data name=\"TimeZone\" type=\"string\">(GMT-08:00) Pacific Time (US &amp; Canada); Tijuana</data>",
                "<data name=\"StandardName\" type=\"string\">10/29/2006 2:00:00 AM</data>",
                "<data name=\"StandardBias\" type=\"integer\" unit=\"min\">480</data>",
                "<data name=\"DaylightName\" type=\"string\">4/2/2006 2:00:00 AM</data>",
                "<data name=\"DaylightBias\" type=\"integer\" unit=\"min\">420</data>",
                "</TimeZone>"}));
}

TEST(TTimeZone, ZoneWithoutDaylightSavingLeavesTransitionsAtZero) {
  sim::SimMachine m = test::WinXPSP3();
  m.regional.timeZone = Tokyo();
  AddZone(m, kNTZones, "Tokyo Standard Time", Tokyo(), "(GMT+09:00) Osaka, Sapporo, Tokyo", "Tokyo Standard Time",
          "Tokyo Daylight Time");
  test::TestMachine machine(m);
  TTimeZone zone;
  zone.GetInfo();
  EXPECT_EQ(zone.DisplayName(), "(GMT+09:00) Osaka, Sapporo, Tokyo");
  EXPECT_EQ(zone.Bias(), -540);
  EXPECT_EQ(zone.DaylightStart(), 0);
  EXPECT_EQ(zone.StandardStart(), 0);
  EXPECT_EQ(zone.DaylightBias(), 0);
  EXPECT_EQ(zone.StandardBias(), 0);
  TReportList list;
  zone.Report(list, true);
  EXPECT_EQ(test::ReportValue(list, "TimeZone", "StandardName"), "12/30/1899");
  EXPECT_EQ(test::ReportValue(list, "TimeZone", "DaylightName"), "12/30/1899");
  EXPECT_EQ(test::ReportValue(list, "TimeZone", "StandardBias"), "0");
  EXPECT_EQ(test::ReportValue(list, "TimeZone", "DaylightBias"), "0");
  EXPECT_EQ(list.Lines().back(), "</classes>");
}

TEST(TTimeZone, NoMatchingEntryLeavesTheDisplayNameEmpty) {
  sim::SimMachine m = test::WinXPSP3();
  // The current zone differs from the table's in one transition field.
  TimeZoneInformation table = sim::PacificTimeZone();
  table.daylightDate.milliseconds = 1;
  AddZone(m, kNTZones, "Pacific Standard Time", table, "(GMT-08:00) Pacific", "Pacific Standard Time",
          "Pacific Daylight Time");
  // The 9x table is not read on NT.
  AddZone(m, k9xZones, "Pacific Standard Time", sim::PacificTimeZone(), "(GMT-08:00) 9x", "Pacific Standard Time",
          "Pacific Daylight Time");
  test::TestMachine machine(m);
  TTimeZone zone;
  zone.GetInfo();
  EXPECT_EQ(zone.DisplayName(), "");
  EXPECT_EQ(zone.StandardName(), "Pacific Standard Time");
  TReportList list;
  zone.Report(list, false);
  EXPECT_EQ(test::ReportValue(list, "TimeZone", "TimeZone"), "");
}

TEST(TTimeZone, The9xFamilyReadsItsOwnTable) {
  sim::SimMachine m = test::Win98SE();
  AddZone(m, k9xZones, "Pacific", sim::PacificTimeZone(), "(GMT-08:00) Pacific Time (US & Canada); Tijuana",
          "Pacific Standard Time", "Pacific Daylight Time");
  test::TestMachine machine(m);
  TTimeZone zone;
  zone.GetInfo();
  EXPECT_EQ(zone.DisplayName(), "(GMT-08:00) Pacific Time (US & Canada); Tijuana");
}

TEST(TTimeZone, ARuleNamingNoDateStopsTheTransitionsWhereItFails) {
  sim::SimMachine m = test::WinXPSP3();
  m.regional.timeZone->standardDate.month = 14;  // the daylight date is computed first
  test::TestMachine machine(m);
  TTimeZone zone;
  zone.GetInfo();
  EXPECT_EQ(zone.DaylightStart(), EncodeDate(2006, 4, 2) + EncodeTime(2, 0, 0, 0));
  EXPECT_EQ(zone.StandardStart(), 0);
  EXPECT_EQ(zone.DaylightBias(), 0);
  EXPECT_EQ(zone.StandardBias(), 0);
  EXPECT_EQ(zone.StandardName(), "Pacific Standard Time");
}

TEST(TTimeZone, ARegatheringKeepsNothingOfTheEarlierZone) {
  sim::SimMachine m = test::WinXPSP3();
  AddZone(m, kNTZones, "Pacific", sim::PacificTimeZone(), "(GMT-08:00) Pacific", "Pacific Standard Time",
          "Pacific Daylight Time");
  test::TestMachine machine(m);
  TTimeZone zone;
  zone.GetInfo();
  ASSERT_NE(zone.DaylightStart(), 0);
  machine.Data().regional.timeZone = Tokyo();
  zone.GetInfo();
  EXPECT_EQ(zone.DisplayName(), "");
  EXPECT_EQ(zone.DaylightStart(), 0);
  EXPECT_EQ(zone.StandardBias(), 0);
  EXPECT_EQ(zone.Bias(), -540);
}

TEST(TTimeZone, TheTransitionYearIsTodaysAndTheDatesFollowTheUsersFormat) {
  sim::SimMachine m = test::WinXPSP3();
  m.regional.localTime = {2008, 1, 2, 1, 0, 0, 0, 0};
  m.regional.timeZone = sim::PacificTimeZone();
  m.regional.timeZone->daylightDate = {0, 3, 0, 5, 2, 0, 0, 0};  // last Sunday of March
  m.regional.locales[0x0407] = {{platform::kLocaleSShortDate, "dd.MM.yyyy"}, {platform::kLocaleSTimeFormat, "HH:mm:ss"}};
  m.regional.userLocale = 0x0407;
  test::TestMachine machine(m);
  TTimeZone zone;
  zone.GetInfo();
  TReportList list;
  zone.Report(list, false);
  EXPECT_EQ(test::ReportValue(list, "TimeZone", "DaylightName"), "30.03.2008 02:00:00");
  EXPECT_EQ(test::ReportValue(list, "TimeZone", "StandardName"), "26.10.2008 02:00:00");
}

}  // namespace
}  // namespace nsx
