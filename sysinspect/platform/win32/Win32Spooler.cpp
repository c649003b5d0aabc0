#include <windows.h>
#include <winspool.h>

#include <vector>

#include "Win32Software.h"

namespace nsx::win32 {
namespace {

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

class Win32Spooler : public platform::SpoolerApi {
 public:
  std::optional<std::vector<platform::PrinterInfo>> ListPrinters(bool withConnections) override {
    DWORD flags = PRINTER_ENUM_LOCAL | (withConnections ? PRINTER_ENUM_CONNECTIONS : 0);
    // Ask for the size, then fill; a printer added in between asks again.
    std::vector<BYTE> buffer;
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD needed = 0, count = 0;
      BYTE* data = buffer.empty() ? nullptr : buffer.data();
      if (EnumPrintersA(flags, nullptr, 2, data, static_cast<DWORD>(buffer.size()), &needed, &count)) {
        std::vector<platform::PrinterInfo> printers;
        auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(data);
        for (DWORD i = 0; data && i < count; ++i)
          printers.push_back({Text(info[i].pPrinterName), Text(info[i].pDriverName), Text(info[i].pPortName)});
        return printers;
      }
      if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) return std::nullopt;
      buffer.assign(needed, 0);
    }
    return std::nullopt;
  }

  bool SamePrinterName(const std::string& a, const std::string& b) override {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
  }
};

}  // namespace

std::unique_ptr<platform::SpoolerApi> CreateWin32Spooler() { return std::make_unique<Win32Spooler>(); }

}  // namespace nsx::win32
