// SpoolerApi and ShellApi answered from a SimMachine.
#pragma once
#include "../Shell.h"
#include "../Spooler.h"
#include "SimMachine.h"

namespace nsx::sim {

class SimSpoolerApi : public platform::SpoolerApi {
 public:
  explicit SimSpoolerApi(SimMachine& machine) : machine_(machine) {}
  std::optional<std::vector<platform::PrinterInfo>> ListPrinters(bool withConnections) override;
  bool SamePrinterName(const std::string& a, const std::string& b) override;

 private:
  SimMachine& machine_;
};

class SimShellApi : public platform::ShellApi {
 public:
  explicit SimShellApi(SimMachine& machine) : machine_(machine) {}
  std::vector<platform::FoundFile> FindFiles(const std::string& pattern) override;
  platform::ShellLinkInfo ReadShellLink(const std::string& file) override;
  std::vector<std::string> ReadIniSection(const std::string& file, const std::string& section) override;
  std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback) override;

 private:
  const SimIniSection* FindIniSection(const std::string& file, const std::string& section) const;
  SimMachine& machine_;
};

// Wildcard match of a file name as FindFirstFile does it for long names:
// '*' any run of characters, '?' one character, letters without regard to case.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

}  // namespace nsx::sim
