#include "SimFirmwareApi.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "DosProgram.h"

namespace nsx::sim {
namespace {

std::string Upper(std::string text) {
  for (auto& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

std::string Range(std::uint32_t address, std::uint32_t length) { return Hex(address) + "+" + std::to_string(length); }

// Splits a command line at blanks; double quotes group and are dropped,
// as the command interpreter reads it.
std::vector<std::string> CommandWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, inWord = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (c == ' ' && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

const std::uintptr_t kSectionHandle = 0x5EC7;

}  // namespace

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

std::string ParentDirectory(const std::string& path) {
  auto slash = WithoutTrailingSlash(path).find_last_of('\\');
  return slash == std::string::npos ? std::string() : WithoutTrailingSlash(path.substr(0, slash + 1));
}

bool SimFirmwareApi::CopyLinearMemory(std::uint32_t address, std::uint32_t length, std::uint8_t* destination) {
  data_.events.push_back("copy " + Range(address, length));
  if (!data_.linearMemoryReadable) return false;
  // The plain view ends with the first megabyte and its high-memory area.
  if (std::uint64_t(address) + length > kLowMemorySize + 0x10000) return false;
  for (std::uint32_t i = 0; i < length; ++i) {
    std::uint64_t at = std::uint64_t(address) + i;
    destination[i] = at < data_.lowMemory.size() ? data_.lowMemory[at] : 0;
  }
  return true;
}

std::uint32_t SimFirmwareApi::OpenPhysicalMemory(std::uintptr_t* section) {
  data_.events.push_back("open section");
  if (data_.sectionStatus != platform::kStatusSuccess) return data_.sectionStatus;
  ++openSections_;
  *section = kSectionHandle;
  return platform::kStatusSuccess;
}

bool SimFirmwareApi::ReadView(std::uintptr_t section, std::uint32_t offset, std::uint32_t length,
                              platform::Bytes* bytes) {
  data_.events.push_back("view " + Range(offset, length));
  if (section != kSectionHandle || openSections_ == 0 || !data_.sectionMaps) return false;
  // Physical memory beyond the machine's RAM has no view; the first
  // megabyte always has one.
  if (std::uint64_t(offset) + length > kLowMemorySize) return false;
  bytes->assign(length, 0);
  for (std::uint32_t i = 0; i < length; ++i)
    if (offset + i < data_.lowMemory.size()) (*bytes)[i] = data_.lowMemory[offset + i];
  return true;
}

void SimFirmwareApi::CloseSection(std::uintptr_t section) {
  data_.events.push_back("close section");
  if (section == kSectionHandle && openSections_ > 0) --openSections_;
}

std::optional<platform::Bytes> SimFirmwareApi::SystemFirmwareTable(std::uint32_t provider, std::uint32_t tableId) {
  data_.events.push_back("firmware " + std::string{static_cast<char>(provider >> 24), static_cast<char>(provider >> 16),
                                                   static_cast<char>(provider >> 8), static_cast<char>(provider)});
  if (provider != platform::kFirmwareProviderRSMB || tableId != 0) return std::nullopt;
  return data_.smbiosFirmwareTable;
}

bool SimProcessApi::DirectoryExists(const std::string& path) {
  return files_.directories.count(WithoutTrailingSlash(path)) > 0;
}

bool SimProcessApi::MakeDirectory(const std::string& path) {
  files_.events.push_back("mkdir " + path);
  std::string dir = WithoutTrailingSlash(path);
  if (files_.directories.count(dir) || files_.files.count(dir)) return false;
  if (!files_.directories.count(ParentDirectory(dir))) return false;
  files_.directories.insert(dir);
  return true;
}

bool SimProcessApi::RemoveEmptyDirectory(const std::string& path) {
  files_.events.push_back("rmdir " + path);
  std::string dir = WithoutTrailingSlash(path);
  if (!files_.directories.count(dir)) return false;
  std::string prefix = Upper(dir + "\\");
  auto inside = [&](const std::string& name) { return Upper(name).compare(0, prefix.size(), prefix) == 0; };
  for (const auto& [name, bytes] : files_.files)
    if (inside(name)) return false;
  for (const auto& name : files_.directories)
    if (inside(name)) return false;
  files_.directories.erase(dir);
  return true;
}

bool SimProcessApi::RemoveFile(const std::string& path) {
  files_.events.push_back("delete " + path);
  return files_.files.erase(path) > 0;
}

std::optional<std::uint32_t> SimProcessApi::WriteNewFile(const std::string& path, const platform::Bytes& bytes) {
  files_.events.push_back("write " + path);
  if (!files_.directories.count(ParentDirectory(path)) || files_.directories.count(path)) return std::nullopt;
  files_.files[path] = bytes;
  return static_cast<std::uint32_t>(bytes.size());
}

std::optional<platform::Bytes> SimProcessApi::ReadExistingFile(const std::string& path, std::uint32_t count) {
  files_.events.push_back("read " + path);
  auto it = files_.files.find(path);
  if (it == files_.files.end()) return std::nullopt;
  platform::Bytes bytes = it->second;
  if (bytes.size() > count) bytes.resize(count);
  return bytes;
}

platform::ChildOutcome SimProcessApi::RunHidden(const std::string& commandLine, std::uint32_t timeoutMilliseconds) {
  files_.events.push_back("run " + commandLine);
  platform::ChildOutcome outcome;
  std::string comSpec;
  for (const auto& entry : machine_.environment)
    if (Upper(entry.substr(0, 8)) == "COMSPEC=") comSpec = entry.substr(8);
  // CreateProcessA takes the first word (quotes group) as the program.
  std::vector<std::string> words = CommandWords(commandLine);
  if (files_.child == SimChild::DoesNotStart || words.empty() || comSpec.empty() ||
      Upper(words[0]) != Upper(comSpec))
    return outcome;
  files_.events.push_back("wait " + std::to_string(timeoutMilliseconds));
  outcome.end = platform::ChildEnd::Ended;
  outcome.exitCode = 1;  // "is not recognized as an internal or external command"
  auto slashC = Upper(commandLine).find(" /C ");
  if (slashC == std::string::npos) return outcome;
  // The interpreter's /C rule: a command that starts with a quote loses
  // that quote and the last one of the line (unless it is exactly one
  // quoted program name, which this machine's child never is).
  std::string command = commandLine.substr(slashC + 4);
  command.erase(0, command.find_first_not_of(' '));
  if (!command.empty() && command[0] == '"') {
    command.erase(0, 1);
    auto last = command.find_last_of('"');
    if (last != std::string::npos) command.erase(last, 1);
  }
  // "PROGRAM > OUTPUT": the interpreter opens the output first.
  std::vector<std::string> parts = CommandWords(command);
  if (parts.size() != 3 || parts[1] != ">" || !files_.directories.count(ParentDirectory(parts[2]))) return outcome;
  files_.files[parts[2]] = {};
  if (files_.child == SimChild::Hangs) {
    files_.events.push_back("terminate");
    outcome.end = platform::ChildEnd::TimedOut;
    return outcome;
  }
  auto program = files_.files.find(parts[0]);
  if (program == files_.files.end()) return outcome;
  DosRun run = RunDosProgram(program->second, machine_.firmware.lowMemory);
  files_.files[parts[2]] = run.standardOutput;
  outcome.exitCode = run.ended ? run.exitCode : 0xFFu;
  return outcome;
}

}  // namespace nsx::sim
