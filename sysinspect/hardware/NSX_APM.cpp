#include "NSX_APM.h"

#include "../core/Norvik_Datetime.h"
#include "../core/Runtime.h"

namespace nsx {
namespace {

struct PowerName {
  TPowerStatus status;
  const char* name;
};
const PowerName kPowerNames[] = {
    // status  name
    {psUnknown, "Unknown"},
    {psOffline, "Offline"},
    {psOnline, "Online"},
};

struct BatteryName {
  TBatteryStatus status;
  const char* name;
};
const BatteryName kBatteryNames[] = {
    // status  name
    {bsUnknown, "Unknown"}, {bsHigh, "High"},         {bsLow, "Low"},
    {bsCritical, "Critical"}, {bsCharging, "Charging"}, {bsNoBattery, "No Battery"},
};

struct BatteryFlagRow {
  std::uint8_t flag;
  TBatteryStatus status;
};
// A flag not listed (a combination of bits, or 255) is not known.
const BatteryFlagRow kBatteryFlags[] = {
    // BatteryFlag  status
    {0, bsHigh}, {1, bsHigh}, {2, bsLow}, {4, bsCritical}, {8, bsCharging}, {128, bsNoBattery},
};

}  // namespace

std::string GetPowerStatusStr(TPowerStatus status) {
  for (const auto& row : kPowerNames)
    if (row.status == status) return row.name;
  return "";
}

std::string GetBatteryStatusStr(TBatteryStatus status) {
  for (const auto& row : kBatteryNames)
    if (row.status == status) return row.name;
  return "";
}

TPowerStatus PowerStatusOf(std::uint8_t acLineStatus) {
  return acLineStatus == 0 ? psOffline : acLineStatus == 1 ? psOnline : psUnknown;
}

TBatteryStatus BatteryStatusOf(std::uint8_t batteryFlag) {
  for (const auto& row : kBatteryFlags)
    if (row.flag == batteryFlag) return row.status;
  return bsUnknown;
}

bool TAPM::GetInfo() {
  acPowerStatus_ = psUnknown;
  batteryChargeStatus_ = bsUnknown;
  batteryLifePercent_ = 0;
  batteryLifeTime_ = 0;
  batteryLifeFullTime_ = 0;
  auto status = Machine().Memory().SystemPowerStatus();
  if (!status) return false;
  acPowerStatus_ = PowerStatusOf(status->acLineStatus);
  batteryChargeStatus_ = BatteryStatusOf(status->batteryFlag);
  batteryLifePercent_ = status->batteryLifePercent;
  batteryLifeTime_ = status->batteryLifeTime;
  batteryLifeFullTime_ = status->batteryFullLifeTime;
  return true;
}

void TAPM::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "APM", ClassName());
  WriteString(list, "ACPowerStatus", GetPowerStatusStr(acPowerStatus_));
  WriteString(list, "BatteryChargeStatus", GetBatteryStatusStr(batteryChargeStatus_));
  if (batteryLifePercent_ <= 100) {
    WriteString(list, "BatteryFullTime", FormatDuration(static_cast<std::int64_t>(batteryLifeFullTime_)));
    WriteString(list, "BatteryLifeTime", FormatDuration(static_cast<std::int64_t>(batteryLifeTime_)));
  }
  WriteElementEnd(list, "APM");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
