#include "IniFile.h"

#include <strings.h>

#include <stdexcept>

#include "ProfileError.h"

namespace nsx::sim {
namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

}  // namespace

std::uint64_t IniUnsigned(const IniEntry& entry, const std::string& fileName, std::uint64_t max) {
  try {
    size_t used = 0;
    unsigned long long value = std::stoull(entry.value, &used, 0);
    if (used != entry.value.size() || value > max || entry.value[0] == '-') throw std::invalid_argument("range");
    return value;
  } catch (const std::exception&) {
    throw ProfileError(fileName, entry.line, "\"" + entry.key + "\" needs a number up to " + std::to_string(max) +
                                                 ", not \"" + entry.value + "\"");
  }
}

const IniEntry* IniSection::Find(const std::string& key) const {
  for (const auto& entry : entries)
    if (strcasecmp(entry.key.c_str(), key.c_str()) == 0) return &entry;
  return nullptr;
}

const IniSection* IniFile::Find(const std::string& name) const {
  for (const auto& section : sections)
    if (strcasecmp(section.name.c_str(), name.c_str()) == 0) return &section;
  return nullptr;
}

IniFile ParseIni(const std::string& text, const std::string& fileName) {
  IniFile ini;
  ini.fileName = fileName;
  size_t start = 0;
  int number = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = Trim(text.substr(start, end - start));
    ++number;
    start = end + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      if (line.back() != ']') throw ProfileError(fileName, number, "section header without ']'");
      ini.sections.push_back({Trim(line.substr(1, line.size() - 2)), {}});
      continue;
    }
    auto eq = line.find('=');
    if (eq == std::string::npos) throw ProfileError(fileName, number, "expected key=value");
    if (ini.sections.empty()) throw ProfileError(fileName, number, "key=value before the first [section]");
    std::string value = Trim(line.substr(eq + 1));
    // Quotes keep leading and trailing blanks: CSD=" A ".
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    ini.sections.back().entries.push_back({Trim(line.substr(0, eq)), value, number});
  }
  return ini;
}

}  // namespace nsx::sim
