// The machine topic: TMachine (network name, user, boot time and up-time,
// lock keys, the computer type) with the two objects it owns, TSMBIOS and
// TBIOS (four BIOS texts from the registry on NT, from the BIOS area of
// memory on Windows 9x).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "../core/NSX_Common.h"
#include "../core/Norvik_Datetime.h"
#include "NSX_SMBIOS.h"

namespace nsx {

class TBIOS : public TTopic {
 public:
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TBIOS"; }

  const std::string& Copyright() const { return copyright_; }
  const std::string& Date() const { return date_; }
  const std::string& ExtendedInfo() const { return extendedInfo_; }
  const std::string& Name() const { return name_; }

 private:
  std::string copyright_, date_, extendedInfo_, name_;
};

// A text of the BIOS area on the 9x family, starting at `offset` of the
// bytes: up to the first byte that is not printable ASCII (a zero ends
// it), and never past the bytes.
std::string BiosAreaText(const platform::Bytes& area, std::size_t offset);

class TMachine : public TTopic {
 public:
  TMachine();
  ~TMachine() override;
  TMachine(const TMachine&) = delete;
  TMachine& operator=(const TMachine&) = delete;

  // Mode 1 includes the SMBIOS step.
  void GetInfo(std::int32_t mode);
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TMachine"; }

  TExceptionMode ExceptionMode() const { return exceptionMode_; }
  void SetExceptionMode(TExceptionMode mode) { exceptionMode_ = mode; }

  const std::string& Name() const { return name_; }
  const std::string& User() const { return user_; }
  double SystemUpTime() const { return systemUpTime_; }  // seconds
  TDateTime LastBoot() const { return lastBoot_; }
  bool CapsLock() const { return capsLock_; }
  bool NumLock() const { return numLock_; }
  bool ScrollLock() const { return scrollLock_; }
  const std::string& Computer() const { return computer_; }
  TSMBIOS& SMBIOS() { return *smbios_; }
  const TSMBIOS& SMBIOS() const { return *smbios_; }
  TBIOS& BIOS() { return *bios_; }
  const TBIOS& BIOS() const { return *bios_; }

  // Seconds since Windows started: the 64-bit tick count where the system
  // has one, else the 32-bit count, which wraps after 49.7 days.
  static double CurrentUpTime();
  // The up-time in whole seconds (halves to even), as shown and reported.
  static std::int64_t WholeSeconds(double seconds);

 private:
  // The title of the first computer-class device of a private device list.
  void FindComputer();

  TExceptionMode exceptionMode_ = emMessage;
  std::unique_ptr<TSMBIOS> smbios_;
  std::unique_ptr<TBIOS> bios_;
  std::string name_, user_, computer_;
  double systemUpTime_ = 0.0;
  TDateTime lastBoot_ = 0.0;
  bool capsLock_ = false, numLock_ = false, scrollLock_ = false;
};

}  // namespace nsx
