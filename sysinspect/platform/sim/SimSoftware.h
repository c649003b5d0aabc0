// The simulated machine's printers, files with their shell links, and
// initialisation files (the data behind SpoolerApi and ShellApi).
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "../Shell.h"
#include "../Spooler.h"
#include "SimRegistry.h"

namespace nsx::sim {

struct SimPrinter {
  platform::PrinterInfo info;
  bool connection = false;  // a connection to another machine's printer (listed on request only)
};

struct SimSpooler {
  bool fails = false;  // EnumPrintersA fails
  std::vector<SimPrinter> printers;  // in the spooler's order
};

// What a shell link file stores.
struct SimShellLink {
  std::string target;
  std::string arguments;
  bool targetExists = true;  // false: Resolve fails, the stored texts remain
};

struct SimFile {
  std::uint32_t attributes = platform::kFileAttributeArchive;
  std::optional<SimShellLink> link;  // nullopt: the file holds no shell link
};

// An initialisation file: its sections in file order, each with its lines.
struct SimIniSection {
  std::string name;
  std::vector<std::string> lines;
};
using SimIniFile = std::vector<SimIniSection>;

struct SimFiles {
  std::map<std::string, SimFile, NoCaseLess> files;        // full path -> file
  std::map<std::string, SimIniFile, NoCaseLess> iniFiles;  // full path -> content
};

// Splits initialisation-file text into sections and lines (blank lines
// dropped, the lines before the first section ignored, as the system does).
SimIniFile ParseSimIniFile(const std::string& text);

}  // namespace nsx::sim
