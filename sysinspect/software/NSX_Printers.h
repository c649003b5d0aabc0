// The printers topic: the spooler's printers (local ones and connections)
// with their drivers and ports, and the default printer.
#pragma once
#include <cstdint>
#include <string>

#include "../core/NSX_Common.h"

namespace nsx {

// A printer name as a registry key name: every backslash becomes a comma
// (\\server\printer is ,,server,printer).
std::string PrinterKeyName(const std::string& name);

// The device name of the "device" entry of WIN.INI's [windows] section
// ("name,driver,port"): the text before the first comma, trimmed.
std::string DefaultPrinterName(const std::string& deviceEntry);

// The index in `names` of `name`, compared without regard to case (as the
// system compares printer names); -1 when the name is blank or not listed.
std::int32_t PrinterIndex(const TStringList& names, const std::string& name);

class TPrinters : public TTopic {
 public:
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TPrinters"; }

  // Index of the default printer in Names; -1 when there is none or it
  // cannot be read.
  std::int32_t DefaultIndex() const { return defaultIndex_; }
  const TStringList& Names() const { return names_; }
  const TStringList& Drivers() const { return drivers_; }  // the driver of the printer with the same index
  const TStringList& Ports() const { return ports_; }      // its port; may be empty

 private:
  std::int32_t defaultIndex_ = -1;
  TStringList names_, drivers_, ports_;
};

}  // namespace nsx
