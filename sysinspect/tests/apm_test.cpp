// The power topic: the status of the power fields and the time lines.
#include <gtest/gtest.h>

#include "TestMachine.h"
#include "core/Norvik_Datetime.h"
#include "hardware/NSX_APM.h"

namespace nsx {
namespace {

sim::SimMachine WithPower(std::uint8_t ac, std::uint8_t flag, std::uint8_t percent, std::uint32_t life,
                          std::uint32_t full) {
  auto m = test::WinXPSP3();
  m.memory.power = platform::PowerStatus{ac, flag, percent, 0, life, full};
  return m;
}

TEST(TAPM, StatusNames) {
  EXPECT_EQ(GetPowerStatusStr(psUnknown), "Unknown");
  EXPECT_EQ(GetPowerStatusStr(psOffline), "Offline");
  EXPECT_EQ(GetPowerStatusStr(psOnline), "Online");
  EXPECT_EQ(GetBatteryStatusStr(bsUnknown), "Unknown");
  EXPECT_EQ(GetBatteryStatusStr(bsHigh), "High");
  EXPECT_EQ(GetBatteryStatusStr(bsLow), "Low");
  EXPECT_EQ(GetBatteryStatusStr(bsCritical), "Critical");
  EXPECT_EQ(GetBatteryStatusStr(bsCharging), "Charging");
  EXPECT_EQ(GetBatteryStatusStr(bsNoBattery), "No Battery");
}

TEST(TAPM, FieldsDecodeByExactValue) {
  EXPECT_EQ(PowerStatusOf(0), psOffline);
  EXPECT_EQ(PowerStatusOf(1), psOnline);
  EXPECT_EQ(PowerStatusOf(2), psUnknown);
  EXPECT_EQ(PowerStatusOf(255), psUnknown);
  const std::pair<int, TBatteryStatus> flags[] = {{0, bsHigh},     {1, bsHigh},       {2, bsLow},
                                                  {4, bsCritical}, {8, bsCharging},   {128, bsNoBattery},
                                                  {9, bsUnknown},  {3, bsUnknown},    {255, bsUnknown},
                                                  {136, bsUnknown}};
  for (const auto& [flag, status] : flags) EXPECT_EQ(BatteryStatusOf(static_cast<std::uint8_t>(flag)), status) << flag;
}

TEST(TAPM, DesktopWithoutBatteryHasNoTimeLines) {
  test::TestMachine machine(WithPower(1, 128, 255, 0xFFFFFFFFu, 0xFFFFFFFFu));
  TAPM apm;
  EXPECT_TRUE(apm.GetInfo());
  TReportList list(1252);
  apm.Report(list, false);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{
                              "<APM classname=\"TAPM\">",
                              "<data name=\"ACPowerStatus\" type=\"string\">Online</data>",
                              "<data name=\"BatteryChargeStatus\" type=\"string\">No Battery</data>",
                              "</APM>",
                          }));
}

TEST(TAPM, ChargingLaptopHasUnknownStatusAndTimeLines) {
  test::TestMachine machine(WithPower(1, 9, 80, 3725, 90061));
  TAPM apm;
  ASSERT_TRUE(apm.GetInfo());
  EXPECT_EQ(apm.BatteryChargeStatus(), bsUnknown);
  EXPECT_EQ(apm.BatteryLifePercent(), 80);
  TReportList list(1252);
  apm.Report(list, false);
  ASSERT_EQ(list.Count(), 6u);
  EXPECT_EQ(list[3], "<data name=\"BatteryFullTime\" type=\"string\">1 Day, 1 Hour, 1 Minute, 1 Second.</data>");
  EXPECT_EQ(list[4], "<data name=\"BatteryLifeTime\" type=\"string\">1 Hour, 2 Minutes, 5 Seconds.</data>");
}

TEST(TAPM, UnknownRemainingTimeIsWrittenAsItsSecondsCount) {
  test::TestMachine machine(WithPower(0, 2, 50, 0xFFFFFFFFu, 7200));
  TAPM apm;
  ASSERT_TRUE(apm.GetInfo());
  EXPECT_EQ(apm.ACPowerStatus(), psOffline);
  EXPECT_EQ(apm.BatteryChargeStatus(), bsLow);
  EXPECT_EQ(apm.BatteryLifeTime(), 0xFFFFFFFFu);
  TReportList list(1252);
  apm.Report(list, false);
  ASSERT_EQ(list.Count(), 6u);
  EXPECT_EQ(list[4], "<data name=\"BatteryLifeTime\" type=\"string\">" + FormatDuration(4294967295ll) + "</data>");
  EXPECT_EQ(list[4].find(">1 Century, "), list[4].find('>'));  // taken as unsigned
  EXPECT_EQ(list[3], "<data name=\"BatteryFullTime\" type=\"string\">2 Hours, 0 Minutes, 0 Seconds.</data>");
}

TEST(TAPM, AFailingQueryResetsAndReturnsFalse) {
  test::TestMachine machine(WithPower(0, 4, 5, 600, 7200));
  TAPM apm;
  ASSERT_TRUE(apm.GetInfo());
  EXPECT_EQ(apm.BatteryChargeStatus(), bsCritical);
  machine.Data().memory.power.reset();
  EXPECT_FALSE(apm.GetInfo());
  EXPECT_EQ(apm.ACPowerStatus(), psUnknown);
  EXPECT_EQ(apm.BatteryChargeStatus(), bsUnknown);
  EXPECT_EQ(apm.BatteryLifePercent(), 0);
  EXPECT_EQ(apm.BatteryLifeTime(), 0u);
  EXPECT_EQ(apm.BatteryLifeFullTime(), 0u);
  TReportList list(1252);
  apm.Report(list, true);
  EXPECT_EQ(list.Count(), 2u + 6u + 1u);  // percent 0 still writes the time lines
  EXPECT_EQ(list[list.Count() - 1], "</classes>");
}

}  // namespace
}  // namespace nsx
