// The power topic: mains and battery state as the system power status gives
// them.
#pragma once
#include <cstdint>
#include <string>

#include "../core/NSX_Common.h"

namespace nsx {

enum TPowerStatus { psUnknown, psOffline, psOnline };
enum TBatteryStatus { bsUnknown, bsHigh, bsLow, bsCritical, bsCharging, bsNoBattery };

std::string GetPowerStatusStr(TPowerStatus status);
std::string GetBatteryStatusStr(TBatteryStatus status);

// The status of the raw fields of SYSTEM_POWER_STATUS.
TPowerStatus PowerStatusOf(std::uint8_t acLineStatus);
TBatteryStatus BatteryStatusOf(std::uint8_t batteryFlag);

class TAPM : public TTopic {
 public:
  // False when the system gives no power status (the values stay reset).
  bool GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TAPM"; }

  TPowerStatus ACPowerStatus() const { return acPowerStatus_; }
  TBatteryStatus BatteryChargeStatus() const { return batteryChargeStatus_; }
  std::uint8_t BatteryLifePercent() const { return batteryLifePercent_; }
  std::uint32_t BatteryLifeTime() const { return batteryLifeTime_; }
  std::uint32_t BatteryLifeFullTime() const { return batteryLifeFullTime_; }

 private:
  TPowerStatus acPowerStatus_ = psUnknown;
  TBatteryStatus batteryChargeStatus_ = bsUnknown;
  std::uint8_t batteryLifePercent_ = 0;
  std::uint32_t batteryLifeTime_ = 0, batteryLifeFullTime_ = 0;
};

}  // namespace nsx
