#include "SoftwareProfile.h"

#include <dirent.h>
#include <strings.h>

#include <algorithm>
#include <cstring>

#include "CodePage.h"
#include "ProfileError.h"
#include "ProfileFile.h"

namespace nsx::sim {
namespace {

// "[printer NAME]" -> NAME when the section is of that kind.
bool SectionOf(const IniSection& section, const char* kind, std::string* rest) {
  size_t n = std::strlen(kind);
  if (section.name.size() <= n + 1 || strncasecmp(section.name.c_str(), kind, n) != 0 || section.name[n] != ' ')
    return false;
  *rest = section.name.substr(n + 1);
  return true;
}

class SoftwareLoader {
 public:
  SoftwareLoader(const IniFile& ini, SimMachine& machine) : ini_(ini), m_(machine) {}

  void Run(const std::string& dir) {
    if (const IniSection* s = ini_.Find("spooler")) {
      Allow(*s, {"Fails"});
      if (auto* e = s->Find("Fails")) m_.spooler.fails = Flag(*e);
    }
    for (const auto& section : ini_.sections) {
      std::string name;
      if (SectionOf(section, "printer", &name)) Printer(section, name);
      if (SectionOf(section, "file", &name)) File(section, name);
    }
    IniFiles(dir + "/ini");
  }

 private:
  std::string Ansi(const std::string& utf8) const { return Utf8ToAnsi(utf8, m_.ansiCodePage); }

  std::uint32_t Number(const IniEntry& e) const {
    try {
      size_t used = 0;
      unsigned long value = std::stoul(e.value, &used, 0);
      if (used == e.value.size() && e.value[0] != '-' && value <= 0xFFFFFFFFul) return static_cast<std::uint32_t>(value);
    } catch (const std::exception&) {
    }
    throw ProfileError(ini_.fileName, e.line, "\"" + e.key + "\" needs a number, not \"" + e.value + "\"");
  }

  // Keys a section may hold; anything else is a mistake in the profile.
  void Allow(const IniSection& s, std::initializer_list<const char*> keys) const {
    for (const auto& e : s.entries) {
      bool known = false;
      for (const char* key : keys) known = known || strcasecmp(e.key.c_str(), key) == 0;
      if (!known) throw ProfileError(ini_.fileName, e.line, "unknown key \"" + e.key + "\" in [" + s.name + "]");
    }
  }

  bool Flag(const IniEntry& e) const {
    if (e.value == "0" || e.value == "1") return e.value == "1";
    throw ProfileError(ini_.fileName, e.line, "\"" + e.key + "\" needs 0 or 1, not \"" + e.value + "\"");
  }

  void Printer(const IniSection& s, const std::string& name) {
    Allow(s, {"Driver", "Port", "Connection"});
    SimPrinter printer;
    printer.info.name = Ansi(name);
    if (auto* e = s.Find("Driver")) printer.info.driver = Ansi(e->value);
    if (auto* e = s.Find("Port")) printer.info.port = Ansi(e->value);
    if (auto* e = s.Find("Connection")) printer.connection = Flag(*e);
    m_.spooler.printers.push_back(printer);
  }

  void File(const IniSection& s, const std::string& path) {
    Allow(s, {"Attributes", "Link", "Target", "Arguments", "TargetExists"});
    SimFile file;
    if (auto* e = s.Find("Attributes")) file.attributes = Number(*e);
    bool isLink = true;
    if (auto* e = s.Find("Link")) isLink = Flag(*e);
    if (isLink) {
      SimShellLink link;
      if (auto* e = s.Find("Target")) link.target = Ansi(e->value);
      if (auto* e = s.Find("Arguments")) link.arguments = Ansi(e->value);
      if (auto* e = s.Find("TargetExists")) link.targetExists = Flag(*e);
      file.link = link;
    }
    m_.shellFiles.files[Ansi(path)] = file;
  }

  // Every file of ini/ is an initialisation file of the Windows directory.
  void IniFiles(const std::string& iniDir) {
    DIR* dir = opendir(iniDir.c_str());
    if (!dir) return;
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir))
      if (entry->d_name[0] != '.') names.push_back(entry->d_name);
    closedir(dir);
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
      std::string content;
      if (!ReadProfileFile(iniDir + "/" + name, &content))
        throw ProfileError(iniDir + "/" + name, 0, "cannot read the initialisation file");
      if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) content.erase(0, 3);
      m_.shellFiles.iniFiles[m_.windowsDir + "\\" + Ansi(name)] = ParseSimIniFile(Ansi(content));
    }
  }

  const IniFile& ini_;
  SimMachine& m_;
};

}  // namespace

void LoadSoftwareProfile(const IniFile& ini, const std::string& dir, SimMachine& machine) {
  SoftwareLoader(ini, machine).Run(dir);
}

}  // namespace nsx::sim
