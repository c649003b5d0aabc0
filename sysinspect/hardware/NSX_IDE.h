// The IDE topic: the four classic positions (primary master and slave,
// secondary master and slave), each identified by the first access method
// that yields a model number.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "../core/NSX_Common.h"

namespace nsx {

enum TAccessMethod { amPhysical, amSCSI, amInt21h, amSMART, amASPI, amRegistry };

// "Physical", "SCSI", "Int21", "SMART", "ASPI", "Registry".
std::string AccessMethodName(TAccessMethod method);

// The text of a reader's result: the system's message for a system error
// code (and for 0), "Status 0xNN" for a status of a layer of its own (an
// ASPI status byte is no system error code).
std::string AccessErrorText(std::uint32_t code, bool systemCode);

class TDeviceInfo {
 public:
  TAccessMethod AccessMethod = amPhysical;
  std::string SerialNumber;
  std::string ModelNumber;
  std::string RevisionNumber;
  std::uint32_t Cylinders = 0;
  std::uint32_t Heads = 0;
  std::uint32_t SectorsPerTrack = 0;
  std::int64_t Capacity = 0;  // bytes
  std::string ErrorMessage;
  std::uint32_t ErrorCode = 0;
};

class TIDE : public TTopic {
 public:
  TIDE();
  ~TIDE() override;
  TIDE(const TIDE&) = delete;
  TIDE& operator=(const TIDE&) = delete;

  // Tries the access methods in order for every position whose model is
  // still blank.
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TIDE"; }

  TDeviceInfo& PrimaryMaster() { return *positions_[0]; }
  TDeviceInfo& PrimarySlave() { return *positions_[1]; }
  TDeviceInfo& SecondaryMaster() { return *positions_[2]; }
  TDeviceInfo& SecondarySlave() { return *positions_[3]; }
  // Position 0 to 3 in that order.
  TDeviceInfo& Position(int index) { return *positions_[static_cast<size_t>(index)]; }

 private:
  std::array<std::unique_ptr<TDeviceInfo>, 4> positions_;
};

}  // namespace nsx
