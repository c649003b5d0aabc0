#include "SimSoftwareApi.h"

#include <locale.h>
#include <strings.h>
#include <wctype.h>

#include "CodePage.h"

namespace nsx::sim {
namespace {

std::string TrimBlanks(const std::string& text) {
  size_t b = text.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  size_t e = text.find_last_not_of(" \t\r\n");
  return text.substr(b, e - b + 1);
}

bool SameText(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

char Lower(char c) { return static_cast<char>(tolower(static_cast<unsigned char>(c))); }

}  // namespace

SimIniFile ParseSimIniFile(const std::string& text) {
  SimIniFile file;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = TrimBlanks(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    auto close = line.find(']');
    if (line[0] == '[' && close != std::string::npos) {
      file.push_back({TrimBlanks(line.substr(1, close - 1)), {}});
      continue;
    }
    if (!file.empty()) file.back().lines.push_back(line);
  }
  return file;
}

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
  // Iterative matching with one backtrack point for the last '*'.
  size_t n = 0, p = 0, starAt = std::string::npos, resumeAt = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++n, ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = n;
    } else if (starAt != std::string::npos) {
      p = starAt + 1;
      n = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::optional<std::vector<platform::PrinterInfo>> SimSpoolerApi::ListPrinters(bool withConnections) {
  const SimSpooler& spooler = machine_.spooler;
  if (spooler.fails) return std::nullopt;
  std::vector<platform::PrinterInfo> printers;
  for (const auto& printer : spooler.printers)
    if (!printer.connection || withConnections) printers.push_back(printer.info);
  return printers;
}

bool SimSpoolerApi::SamePrinterName(const std::string& a, const std::string& b) {
  // Upper case of the characters the code page stands for, as Unicode has it.
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  auto fold = [&](const std::string& text) {
    std::u16string wide = AnsiToUtf16(text, machine_.ansiCodePage);
    for (auto& c : wide)
      c = static_cast<char16_t>(unicode ? towupper_l(c, unicode) : (c < 128 ? towupper(c) : c));
    return wide;
  };
  return fold(a) == fold(b);
}

std::vector<platform::FoundFile> SimShellApi::FindFiles(const std::string& pattern) {
  std::vector<platform::FoundFile> found;
  auto slash = pattern.rfind('\\');
  std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash);
  std::string wildcard = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  for (const auto& [path, file] : machine_.shellFiles.files) {
    auto cut = path.rfind('\\');
    std::string parent = cut == std::string::npos ? std::string() : path.substr(0, cut);
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    if (SameText(parent, folder) && MatchesWildcard(name, wildcard)) found.push_back({name, file.attributes});
  }
  return found;
}

platform::ShellLinkInfo SimShellApi::ReadShellLink(const std::string& fileName) {
  platform::ShellLinkInfo info;
  auto it = machine_.shellFiles.files.find(fileName);
  if (it == machine_.shellFiles.files.end()) {
    info.result = platform::kHResultFileNotFound;
    return info;
  }
  if (!it->second.link) return info;  // loading fails: the file holds no link
  const SimShellLink& link = *it->second.link;
  info.path = link.target.substr(0, platform::kShellLinkPathSize - 1);
  info.arguments = link.arguments.substr(0, platform::kShellLinkArgumentsSize - 1);
  info.result = platform::kHResultOk;
  return info;
}

const SimIniSection* SimShellApi::FindIniSection(const std::string& file, const std::string& section) const {
  // A name without a folder is a file of the Windows directory.
  std::string path = file.find_first_of("\\:") == std::string::npos ? machine_.windowsDir + "\\" + file : file;
  auto it = machine_.shellFiles.iniFiles.find(path);
  if (it == machine_.shellFiles.iniFiles.end()) return nullptr;
  for (const auto& s : it->second)
    if (SameText(s.name, section)) return &s;
  return nullptr;
}

std::vector<std::string> SimShellApi::ReadIniSection(const std::string& file, const std::string& section) {
  const SimIniSection* s = FindIniSection(file, section);
  return s ? s->lines : std::vector<std::string>();
}

std::string SimShellApi::ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                                       const std::string& fallback) {
  const SimIniSection* s = FindIniSection(file, section);
  if (!s) return fallback;
  for (const auto& line : s->lines) {
    auto eq = line.find('=');
    if (eq == std::string::npos || !SameText(TrimBlanks(line.substr(0, eq)), key)) continue;
    std::string value = TrimBlanks(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return value;
  }
  return fallback;
}

}  // namespace nsx::sim
