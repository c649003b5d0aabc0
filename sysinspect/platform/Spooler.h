// The printing spooler (winspool): the installed printers.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace nsx::platform {

// One printer as PRINTER_INFO_2A names it.
struct PrinterInfo {
  std::string name;    // pPrinterName: the device name (\\server\printer for a connection)
  std::string driver;  // pDriverName
  std::string port;    // pPortName: the port, or ports separated by commas
};

class SpoolerApi {
 public:
  virtual ~SpoolerApi() = default;
  // EnumPrintersA at level 2 with PRINTER_ENUM_LOCAL, and with
  // PRINTER_ENUM_CONNECTIONS when `withConnections` (the NT family; the 9x
  // family lists network printers among its local ones and refuses the
  // flag): the printers in the spooler's order, texts as long as they are.
  // nullopt when the call fails.
  virtual std::optional<std::vector<PrinterInfo>> ListPrinters(bool withConnections) = 0;
  // Printer names compare as the system compares text without regard to
  // case (lstrcmpiA: the letters of the ANSI code page, not only A to Z).
  virtual bool SamePrinterName(const std::string& a, const std::string& b) = 0;
};

}  // namespace nsx::platform
