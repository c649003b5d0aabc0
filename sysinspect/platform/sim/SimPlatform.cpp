#include "SimPlatform.h"

#include <algorithm>
#include <cctype>

#include "CodePage.h"
#include "../VersionQuery.h"

namespace nsx::sim {
namespace {

std::string Upper(std::string text) {
  for (auto& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

void SimMachine::AddNtdllEntries() {
  for (const char* entry : {"ZwOpenSection", "ZwClose", "ZwQuerySystemInformation"})
    moduleEntries.insert(std::string("NTDLL.DLL!") + entry);
}

SimPlatform::SimPlatform(SimMachine machine)
    : machine_(std::move(machine)), registryApi_(std::make_unique<SimRegistryApi>(machine_.registry)) {
  // The temporary directory exists, as GetTempPathA names it.
  if (!machine_.tempDir.empty()) machine_.files.directories.insert(WithoutTrailingSlash(machine_.tempDir));
}

SimPlatform::~SimPlatform() = default;

platform::VersionInfo SimPlatform::GetVersion() {
  platform::VersionInfo info = platform::PreferNativeVersion(machine_.version, machine_.nativeVersion);
  if (info.csdVersion.size() > 127) info.csdVersion.resize(127);
  return info;
}

std::optional<std::string> SimPlatform::ComputerName() { return machine_.computerName; }
std::optional<std::string> SimPlatform::UserName() { return machine_.userName; }
std::string SimPlatform::WindowsDirectory() { return machine_.windowsDir; }
std::string SimPlatform::SystemDirectory() { return machine_.systemDir; }
std::string SimPlatform::TempPath() { return machine_.tempDir; }

platform::Bytes SimPlatform::GetEnvironmentBlock() {
  if (machine_.rawEnvironmentBlock) return *machine_.rawEnvironmentBlock;
  platform::Bytes block;
  for (const auto& entry : machine_.environment) {
    block.insert(block.end(), entry.begin(), entry.end());
    block.push_back(0);
  }
  block.push_back(0);
  if (machine_.environment.empty()) block.push_back(0);
  return block;
}

std::optional<std::string> SimPlatform::EnvironmentVariable(const std::string& name) {
  std::string wanted = Upper(name) + "=";
  for (const auto& entry : machine_.environment)
    if (Upper(entry.substr(0, wanted.size())) == wanted) return entry.substr(wanted.size());
  return std::nullopt;
}

std::optional<std::string> SimPlatform::ExpandEnvironment(const std::string& text) {
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    auto open = text.find('%', pos);
    if (open == std::string::npos) break;
    auto close = text.find('%', open + 1);
    if (close == std::string::npos) break;
    out += text.substr(pos, open - pos);
    auto value = EnvironmentVariable(text.substr(open + 1, close - open - 1));
    if (value) {
      out += *value;
      pos = close + 1;
    } else {
      // Unknown names stay as written; the closing % may open the next name.
      out += text.substr(open, close - open);
      pos = close;
    }
  }
  out += text.substr(pos);
  return out;
}

std::optional<std::string> SimPlatform::SpecialFolderPath(int csidl) {
  auto it = machine_.specialFolders.find(csidl);
  if (it == machine_.specialFolders.end()) return std::nullopt;
  return it->second;
}

std::uint16_t SimPlatform::GetSystemDefaultLangId() { return machine_.langId; }
std::uint32_t SimPlatform::GetAnsiCodePage() { return machine_.ansiCodePage; }

std::optional<platform::Bytes> SimPlatform::FileVersionInfo(const std::string& fileName) {
  auto it = machine_.versionResources.find(fileName);
  if (it == machine_.versionResources.end()) return std::nullopt;
  return it->second;
}

bool SimPlatform::HasLoadedModuleEntry(const std::string& module, const std::string& entry) {
  return machine_.moduleEntries.count(Upper(module) + "!" + entry) > 0;
}

std::string SimPlatform::WideToAnsi(const std::u16string& text) {
  return Utf16ToAnsi(text, machine_.ansiCodePage);
}

std::uint32_t SimPlatform::GetTickCount() { return machine_.tickCount; }

void SimPlatform::WriteConsoleLine(const std::string& line) {
  consoleLines.push_back(line);
  if (consoleSink) consoleSink(line);
}

void SimPlatform::ShowErrorBox(const std::string& text, const std::string& caption) {
  messageBoxes.push_back(caption + ": " + text);
}

}  // namespace nsx::sim
