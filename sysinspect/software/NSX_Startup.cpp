#include "NSX_Startup.h"

#include "../core/RegistryText.h"
#include "../core/Runtime.h"
#include "../core/ShellLink.h"
#include "../core/TextCompare.h"

namespace nsx {

using platform::RegKey;
using platform::RegRoot;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kRunOnceExKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx";
const char kRunServicesKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
const char kRunServicesOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce";
const char kSessionManagerKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char kUserWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

const int kCsidlStartup = 7;
const int kCsidlCommonStartup = 24;

const char* const kSections[kRunKindCount] = {
    // by kind
    "HKCU_Run",      "HKLM_Run",          "HKLM_Once",           "HKCU_Once",     "HKLM_OnceEx",
    "HKCU_OnceEx",   "HKLM_Services",     "HKLM_ServicesOnce",   "HKCU_Services", "HKCU_ServicesOnce",
    "HKLM_SessionManager", "HKLM_WinLogon", "HKCU_Load",       "UserStartup",   "CommonStartup",
    "WIN_INI",       "SYSTEM_INI",
};

// The order of the report's sections.
const TRunKind kReportOrder[] = {
    rkUserStartup,   rkCommonStartup,     rkHKLM_Run,        rkHKLM_Once,          rkHKLM_OnceEx, rkHKLM_Services,
    rkHKLM_ServicesOnce, rkHKLM_SessionManager, rkHKLM_WinLogon, rkHKCU_Run,       rkHKCU_Once,   rkHKCU_OnceEx,
    rkHKCU_Services, rkHKCU_ServicesOnce, rkHKCU_Load,       rkWIN_INI,            rkSYSTEM_INI,
};

std::string WithoutTrailingBackslash(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

}  // namespace

std::string RunKindSection(int kind) { return kind >= 0 && kind < kRunKindCount ? kSections[kind] : ""; }

std::string RunOnceExCommand(const std::string& value) {
  std::string command = value;
  auto pipes = command.find("||");
  if (pipes != std::string::npos) command.erase(pipes, 2);
  auto pipe = command.find('|');
  if (pipe != std::string::npos) command[pipe] = ' ';
  return command;
}

std::string ShortcutEntryName(const std::string& fileName) {
  const size_t n = fileName.size();
  if (n >= 4 && SameText(fileName.substr(n - 4), ".lnk")) return fileName.substr(0, n - 4);
  return fileName;
}

void TStartup::Add(TRunKind kind, const std::string& name, const std::string& command) {
  runs_[kind].push_back({name, command});
}

void TStartup::ReadValueList(TRunKind kind, RegRoot root, const std::string& path) {
  RegKey key = RegKey::Open(Reg(), root, path);
  for (const auto& name : key.ValueNames())
    if (auto text = ReadValueAsText(key, name)) Add(kind, name, *text);
}

void TStartup::ReadRunOnceEx(TRunKind kind, RegRoot root) {
  RegKey key = RegKey::Open(Reg(), root, kRunOnceExKey);
  for (const auto& subKey : key.SubKeyNames()) {
    if (SameText(subKey, "Depend")) continue;
    RegKey step = key.OpenSub(subKey);
    for (const auto& name : step.ValueNames())
      if (auto text = ReadValueAsText(step, name)) Add(kind, name, RunOnceExCommand(*text));
  }
}

void TStartup::ReadBootExecute() {
  RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine, kSessionManagerKey);
  auto value = key.Value("BootExecute");
  if (!value) return;
  std::string text;
  switch (value->type) {
    case platform::kRegSz:
    case platform::kRegExpandSz:
    case platform::kRegDword:
    case platform::kRegDwordBigEndian:
      text = RenderRegistryValue(value->type, value->data, true, {});
      break;
    default:
      // A multi-string (or anything else): its first string, within the
      // value's bytes even when no NUL ends it.
      for (auto byte : value->data) {
        if (byte == 0) break;
        text += static_cast<char>(byte);
      }
  }
  if (!IsBlank(text)) Add(rkHKLM_SessionManager, "BootExecute", text);
}

void TStartup::ReadLogon() {
  RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine, kWinlogonKey);
  if (auto text = ReadValueAsText(key, "UserInit")) Add(rkHKLM_WinLogon, "UserInit", *text);
  if (auto text = ReadValueAsText(key, "Shell")) Add(rkHKLM_WinLogon, "Shell", *text);
}

void TStartup::ReadLoad() {
  RegKey key = RegKey::Open(Reg(), RegRoot::CurrentUser, kUserWindowsKey);
  auto text = ReadValueAsText(key, "Load");
  if (text && !IsBlank(*text)) Add(rkHKCU_Load, "Load", *text);
}

void TStartup::ReadStartupFolder(TRunKind kind, int csidl) {
  // A folder the system does not have is no folder at all (not the root of
  // the current drive).
  std::string folder = WithoutTrailingBackslash(GetSpecialFolder(0, csidl));
  if (IsBlank(folder)) return;
  const std::uint32_t skipped =
      platform::kFileAttributeDirectory | platform::kFileAttributeHidden | platform::kFileAttributeSystem;
  for (const auto& file : Machine().Shell().FindFiles(folder + "\\*.lnk")) {
    if (file.attributes & skipped) continue;
    std::string path, arguments;
    ResolveShortcut(folder + "\\" + file.name, &path, &arguments);
    Add(kind, ShortcutEntryName(file.name), path + " " + arguments);
  }
}

void TStartup::ReadIniEntries(TRunKind kind, const std::string& file, const std::string& section,
                              const std::vector<std::string>& keys) {
  auto& shell = Machine().Shell();
  for (const auto& line : shell.ReadIniSection(file, section)) {
    std::string key = Trim(line.substr(0, line.find('=')));
    bool wanted = false;
    for (const auto& k : keys) wanted = wanted || SameText(key, k);
    if (!wanted) continue;
    // Commands keep their inner blanks: "C:\Program Files\x.exe" stays one path.
    std::string command = Trim(shell.ReadIniString(file, section, key, ""));
    if (!IsBlank(command)) Add(kind, key, command);
  }
}

void TStartup::GetInfo() {
  for (auto& entries : runs_) entries.clear();
  ReadValueList(rkHKCU_Run, RegRoot::CurrentUser, kRunKey);
  ReadValueList(rkHKLM_Run, RegRoot::LocalMachine, kRunKey);
  ReadValueList(rkHKCU_Once, RegRoot::CurrentUser, kRunOnceKey);
  ReadValueList(rkHKLM_Once, RegRoot::LocalMachine, kRunOnceKey);
  ReadRunOnceEx(rkHKCU_OnceEx, RegRoot::CurrentUser);
  ReadRunOnceEx(rkHKLM_OnceEx, RegRoot::LocalMachine);
  ReadValueList(rkHKLM_Services, RegRoot::LocalMachine, kRunServicesKey);
  ReadValueList(rkHKLM_ServicesOnce, RegRoot::LocalMachine, kRunServicesOnceKey);
  ReadValueList(rkHKCU_Services, RegRoot::CurrentUser, kRunServicesKey);
  ReadValueList(rkHKCU_ServicesOnce, RegRoot::CurrentUser, kRunServicesOnceKey);
  ReadBootExecute();
  ReadLogon();
  ReadLoad();
  ReadStartupFolder(rkCommonStartup, kCsidlCommonStartup);
  ReadStartupFolder(rkUserStartup, kCsidlStartup);
  ReadIniEntries(rkWIN_INI, "WIN.INI", "windows", {"run", "load"});
  ReadIniEntries(rkSYSTEM_INI, "SYSTEM.INI", "boot", {"run", "load", "shell"});
}

std::int32_t TStartup::RunsCount() const {
  size_t count = 0;
  for (const auto& entries : runs_) count += entries.size();
  return static_cast<std::int32_t>(count);
}

const TStartup::TRunEntry* TStartup::Entry(int kind, int index) const {
  if (kind < 0 || kind >= kRunKindCount || index < 0) return nullptr;
  const auto& entries = runs_[kind];
  return static_cast<size_t>(index) < entries.size() ? &entries[index] : nullptr;
}

int TStartup::GetRunCount(int kind) const {
  return kind >= 0 && kind < kRunKindCount ? static_cast<int>(runs_[kind].size()) : 0;
}

std::string TStartup::GetRunName(int kind, int index) const {
  const TRunEntry* entry = Entry(kind, index);
  return entry ? entry->name : std::string();
}

std::string TStartup::GetRunCommand(int kind, int index) const {
  const TRunEntry* entry = Entry(kind, index);
  return entry ? entry->command : std::string();
}

void TStartup::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "Startup", ClassName());
  for (TRunKind kind : kReportOrder) {
    WriteSectionStart(list, kSections[kind]);
    WriteInteger(list, "Count", static_cast<std::int64_t>(runs_[kind].size()));
    for (const auto& entry : runs_[kind]) WriteString(list, entry.name, entry.command);
    WriteSectionEnd(list);
  }
  WriteElementEnd(list, "Startup");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
