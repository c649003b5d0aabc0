// The plain "[section]" / "key=value" text of the profile's machine.ini.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace nsx::sim {

struct IniEntry {
  std::string key;
  std::string value;
  int line;
};

struct IniSection {
  std::string name;
  std::vector<IniEntry> entries;
  const IniEntry* Find(const std::string& key) const;
};

struct IniFile {
  std::string fileName;
  std::vector<IniSection> sections;
  const IniSection* Find(const std::string& name) const;
};

// A value as an unsigned number (decimal or 0x hexadecimal) up to `max`;
// throws ProfileError naming the file, line and key otherwise.
std::uint64_t IniUnsigned(const IniEntry& entry, const std::string& fileName, std::uint64_t max);

// Parses UTF-8 text; a value in double quotes keeps its blanks; blank lines and lines starting with ';' or '#' are
// skipped. Throws ProfileError naming the file and line of anything else
// that is neither a section header nor a key=value pair.
IniFile ParseIni(const std::string& text, const std::string& fileName);

}  // namespace nsx::sim
