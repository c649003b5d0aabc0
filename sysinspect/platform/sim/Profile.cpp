#include "Profile.h"

#include <sstream>
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "CodePage.h"
#include "DiskProfile.h"
#include "EnginesProfile.h"
#include "FirmwareProfile.h"
#include "HardwareProfile.h"
#include "IniFile.h"
#include "NetworkProfile.h"
#include "OSProfile.h"
#include "PeResources.h"
#include "ProfileError.h"
#include "ProfileFile.h"
#include "RegFile.h"
#include "SoftwareProfile.h"

namespace nsx::sim {
namespace {

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::uint32_t Number(const IniEntry& entry, const std::string& file) {
  try {
    size_t used = 0;
    unsigned long value = std::stoul(entry.value, &used, 0);
    if (used != entry.value.size() || value > 0xFFFFFFFFul) throw std::invalid_argument("range");
    return static_cast<std::uint32_t>(value);
  } catch (const std::exception&) {
    throw ProfileError(file, entry.line, "\"" + entry.key + "\" needs a number, not \"" + entry.value + "\"");
  }
}

class Loader {
 public:
  explicit Loader(std::string directory) : dir_(std::move(directory)) {}

  SimMachine Run() {
    if (!IsDirectory(dir_)) throw ProfileError(dir_, 0, "no such profile directory");
    std::string text;
    std::string iniPath = dir_ + "/machine.ini";
    if (!ReadProfileFile(iniPath, &text)) throw ProfileError(iniPath, 0, "cannot read the machine description");
    ini_ = ParseIni(text, iniPath);
    Machine();
    Version();
    Native();
    Folders();
    Files();
    Environment();
    Registry();
    LoadHardwareProfile(ini_, dir_, machine_);
    LoadFirmwareProfile(ini_, dir_, machine_);
    LoadOSProfile(ini_, dir_, machine_);
    LoadDiskProfile(ini_, dir_, machine_);
    LoadSoftwareProfile(ini_, dir_, machine_);
    LoadDisplayProfile(ini_, machine_);
    LoadNetworkProfile(ini_, machine_);
    LoadEnginesProfile(ini_, dir_, machine_);
    return std::move(machine_);
  }

 private:
  std::string Ansi(const std::string& utf8) const { return Utf8ToAnsi(utf8, machine_.ansiCodePage); }

  void Machine() {
    const IniSection* s = ini_.Find("machine");
    if (!s) return;
    // The code page first: every text after it is converted to it.
    if (auto* e = s->Find("CodePage")) machine_.ansiCodePage = Number(*e, ini_.fileName);
    try {
      Utf8ToAnsi("", machine_.ansiCodePage);
    } catch (const std::exception&) {
      throw ProfileError(ini_.fileName, s->Find("CodePage")->line, "unknown code page");
    }
    if (auto* e = s->Find("LangId")) machine_.langId = static_cast<std::uint16_t>(Number(*e, ini_.fileName));
    if (auto* e = s->Find("ComputerName")) machine_.computerName = Ansi(e->value);
    if (auto* e = s->Find("UserName")) machine_.userName = Ansi(e->value);
    if (auto* e = s->Find("WindowsDir")) machine_.windowsDir = Ansi(e->value);
    if (auto* e = s->Find("SystemDir")) machine_.systemDir = Ansi(e->value);
    if (auto* e = s->Find("TempDir")) machine_.tempDir = Ansi(e->value);
    if (auto* e = s->Find("TickCount")) machine_.tickCount = Number(*e, ini_.fileName);
  }

  void Version() {
    if (const IniSection* s = ini_.Find("version")) {
      machine_.version.hasExtended = false;  // the plain form unless Extended says otherwise
      ReadVersion(*s, machine_.version);
    }
    if (const IniSection* s = ini_.Find("nativeversion")) {
      machine_.nativeVersion = platform::VersionInfo{};
      machine_.nativeVersion->hasExtended = true;  // RtlGetVersion always fills the extended form
      ReadVersion(*s, *machine_.nativeVersion);
    }
  }

  // The fields of a [version] or [nativeversion] section.
  void ReadVersion(const IniSection& section, platform::VersionInfo& v) {
    const IniSection* s = &section;
    if (auto* e = s->Find("PlatformId")) v.platformId = Number(*e, ini_.fileName);
    if (auto* e = s->Find("Major")) v.majorVersion = Number(*e, ini_.fileName);
    if (auto* e = s->Find("Minor")) v.minorVersion = Number(*e, ini_.fileName);
    if (auto* e = s->Find("Build")) v.buildNumber = Number(*e, ini_.fileName);
    if (auto* e = s->Find("CSD")) v.csdVersion = Ansi(e->value);
    if (auto* e = s->Find("Extended")) v.hasExtended = Number(*e, ini_.fileName) != 0;
    if (auto* e = s->Find("ServicePackMajor")) v.servicePackMajor = static_cast<std::uint16_t>(Number(*e, ini_.fileName));
    if (auto* e = s->Find("ServicePackMinor")) v.servicePackMinor = static_cast<std::uint16_t>(Number(*e, ini_.fileName));
    if (auto* e = s->Find("SuiteMask")) v.suiteMask = static_cast<std::uint16_t>(Number(*e, ini_.fileName));
    if (auto* e = s->Find("ProductType")) v.productType = static_cast<std::uint8_t>(Number(*e, ini_.fileName));
  }

  // [native] MODULE=Entry,Entry,...; without the section an NT machine has
  // ntdll's entry points and a 9x machine none.
  void Native() {
    const IniSection* s = ini_.Find("native");
    if (!s) {
      if (machine_.version.platformId == platform::kPlatformNT) machine_.AddNtdllEntries();
      return;
    }
    for (const auto& entry : s->entries) {
      std::string module = entry.key;
      for (auto& c : module) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      std::stringstream list(entry.value);
      std::string name;
      while (std::getline(list, name, ',')) {
        auto b = name.find_first_not_of(' ');
        auto e = name.find_last_not_of(' ');
        if (b != std::string::npos) machine_.moduleEntries.insert(module + "!" + name.substr(b, e - b + 1));
      }
    }
  }

  void Folders() {
    const IniSection* s = ini_.Find("folders");
    if (!s) return;
    for (const auto& entry : s->entries)
      machine_.specialFolders[static_cast<int>(Number({entry.key, entry.key, entry.line}, ini_.fileName))] =
          Ansi(entry.value);
  }

  // [files] Windows path = profile file: a PE image (its version resource is
  // used) or a raw VS_VERSIONINFO block.
  void Files() {
    const IniSection* s = ini_.Find("files");
    if (!s) return;
    for (const auto& entry : s->entries) {
      std::string path = dir_ + "/" + entry.value;
      std::string content;
      if (!ReadProfileFile(path, &content)) throw ProfileError(ini_.fileName, entry.line, "cannot read " + path);
      platform::Bytes bytes(content.begin(), content.end());
      if (content.compare(0, 2, "MZ") == 0) {
        auto version = ExtractVersionResource(bytes);
        if (!version) continue;  // a file without a version resource
        bytes = *version;
      }
      machine_.versionResources[Ansi(entry.key)] = std::move(bytes);
    }
  }

  void Environment() {
    std::string path = dir_ + "/environment.txt";
    std::string text;
    if (!ReadProfileFile(path, &text)) return;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    std::stringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      if (line.find('=', 1) == std::string::npos) throw ProfileError(path, number, "expected NAME=value");
      machine_.environment.push_back(Ansi(line));
    }
  }

  // registry.reg, then every registry.d/*.reg in name order (regedit exports
  // one key per file).
  void Registry() {
    std::vector<std::string> files = {dir_ + "/registry.reg"};
    std::string partsDir = dir_ + "/registry.d";
    if (DIR* dir = opendir(partsDir.c_str())) {
      std::vector<std::string> parts;
      while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".reg") == 0) parts.push_back(partsDir + "/" + name);
      }
      closedir(dir);
      std::sort(parts.begin(), parts.end());
      files.insert(files.end(), parts.begin(), parts.end());
    }
    for (const auto& path : files) {
      std::string content;
      if (ReadProfileFile(path, &content)) LoadRegFile(content, machine_.ansiCodePage, path, machine_.registry);
    }
  }

  std::string dir_;
  IniFile ini_;
  SimMachine machine_;
};

}  // namespace

SimMachine LoadProfile(const std::string& directory) { return Loader(directory).Run(); }

}  // namespace nsx::sim
