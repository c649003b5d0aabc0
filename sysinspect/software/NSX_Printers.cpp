#include "NSX_Printers.h"

#include "../core/Runtime.h"

namespace nsx {

using platform::RegKey;
using platform::RegRoot;

std::string PrinterKeyName(const std::string& name) {
  std::string key = name;
  for (auto& c : key)
    if (c == '\\') c = ',';
  return key;
}

std::string DefaultPrinterName(const std::string& deviceEntry) {
  return Trim(deviceEntry.substr(0, deviceEntry.find(',')));
}

std::int32_t PrinterIndex(const TStringList& names, const std::string& name) {
  if (IsBlank(name)) return -1;
  auto& spooler = Machine().Spooler();
  for (size_t i = 0; i < names.size(); ++i)
    if (spooler.SamePrinterName(names[i], name)) return static_cast<std::int32_t>(i);
  return -1;
}

void TPrinters::GetInfo() {
  names_.clear();
  drivers_.clear();
  ports_.clear();
  defaultIndex_ = -1;
  const bool isNT = OSInfo().IsNT;
  auto printers = Machine().Spooler().ListPrinters(isNT);
  if (printers) {
    for (const auto& printer : *printers) {
      names_.push_back(printer.name);
      drivers_.push_back(printer.driver);
      std::string port = printer.port;
      if (isNT) {
        // The printer's own key names its port; a connection has no key
        // here, and then the spooler's answer stands.
        RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine,
                                  "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers\\" +
                                      PrinterKeyName(printer.name));
        auto registered = key.String("Port");
        if (registered && !registered->empty()) port = *registered;
      }
      ports_.push_back(port);
    }
  }
  // Only a default the system names marks a printer.
  std::string device = Machine().Shell().ReadIniString("WIN.INI", "windows", "device", "");
  defaultIndex_ = PrinterIndex(names_, DefaultPrinterName(device));
}

void TPrinters::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "Printers", ClassName());
  WriteInteger(list, "Count", static_cast<std::int64_t>(names_.size()));
  for (size_t i = 0; i < names_.size(); ++i) {
    std::string name = static_cast<std::int32_t>(i) == defaultIndex_ ? names_[i] + " (Default)" : names_[i];
    WriteString(list, name, i < ports_.size() ? ports_[i] : std::string());
  }
  WriteElementEnd(list, "Printers");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
