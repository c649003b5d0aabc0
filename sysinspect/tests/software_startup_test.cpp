// The startup topic: every location on simulated machines, values of odd
// types, shell links that resolve, dangle or are no links, folders the
// system lacks, and the initialisation files.
#include <gtest/gtest.h>

#include "TestMachine.h"
#include "software/NSX_Startup.h"

namespace nsx {
namespace {

const char kCU[] = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\";
const char kLM[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\";
const char kUserStartup[] = "C:\\Documents and Settings\\Zo\xEB\\Start Menu\\Programs\\Startup";
const char kCommonStartup[] = "C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Startup";

sim::SimFile Link(const std::string& target, const std::string& arguments, bool exists = true) {
  sim::SimFile file;
  file.link = sim::SimShellLink{target, arguments, exists};
  return file;
}

sim::SimFile Plain(std::uint32_t attributes) {
  sim::SimFile file;
  file.attributes = attributes;
  return file;
}

void SetIni(sim::SimMachine& m, const std::string& name, const std::string& text) {
  m.shellFiles.iniFiles[m.windowsDir + "\\" + name] = sim::ParseSimIniFile(text);
}

// An XP machine with something in every location.
sim::SimMachine EveryLocation() {
  auto m = test::WinXPSP3();
  auto& r = m.registry;
  r.SetString(std::string(kCU) + "Run", "ctfmon.exe", "C:\\WINDOWS\\system32\\ctfmon.exe");
  r.SetDword(std::string(kCU) + "Run", "Odd", 42);  // a DWORD where a command belongs
  r.SetString(std::string(kCU) + "Run", "After", "C:\\Program Files\\After\\after.exe /q");
  r.SetString(std::string(kLM) + "Run", "SoundMan", "SOUNDMAN.EXE");
  r.SetString(std::string(kLM) + "RunOnce", "Setup", "setup.exe /continue");
  r.SetString(std::string(kCU) + "RunOnce", "Mail", "\"C:\\Program Files\\Mail\\mail.exe\" -first", platform::kRegExpandSz);
  r.SetString(std::string(kLM) + "RunOnceEx\\0001", "Reg", "||C:\\WINDOWS\\system32\\mshtml.dll|DllRegisterServer");
  r.SetString(std::string(kLM) + "RunOnceEx\\DEPEND", "X", "skipped");
  r.SetString(std::string(kCU) + "RunOnceEx\\0002", "Plain", "cleanup.exe");
  r.SetString(std::string(kLM) + "RunServices", "Svc", "svc.exe");
  r.SetString(std::string(kLM) + "RunServicesOnce", "SvcOnce", "svconce.exe");
  r.SetString(std::string(kCU) + "RunServices", "USvc", "usvc.exe");
  r.SetString(std::string(kCU) + "RunServicesOnce", "USvcOnce", "usvconce.exe");
  r.SetMultiString("HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager", "BootExecute",
                   {"autocheck autochk *", "second"});
  r.SetString("HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "UserInit",
              "C:\\WINDOWS\\system32\\userinit.exe,");
  r.SetString("HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Shell", "Explorer.exe");
  r.SetString("HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "Load", "loader.exe");
  m.specialFolders[7] = std::string(kUserStartup) + "\\";
  m.specialFolders[24] = kCommonStartup;
  auto& files = m.shellFiles.files;
  files[std::string(kUserStartup) + "\\Tool.lnk"] =
      Link("C:\\Program Files\\Tool Box\\tool.exe", "\"C:\\My Files\\start list.txt\" /min");
  files[std::string(kUserStartup) + "\\Gone.LNK"] = Link("D:\\Removed\\gone.exe", "-x", false);
  files[std::string(kUserStartup) + "\\Broken.lnk"] = Plain(platform::kFileAttributeArchive);
  files[std::string(kUserStartup) + "\\Hidden.lnk"] = Plain(platform::kFileAttributeHidden);
  files[std::string(kUserStartup) + "\\System.lnk"] = Plain(platform::kFileAttributeSystem);
  files[std::string(kUserStartup) + "\\Folder.lnk"] = Plain(platform::kFileAttributeDirectory);
  files[std::string(kUserStartup) + "\\desktop.ini"] = Plain(platform::kFileAttributeArchive);
  files[std::string(kCommonStartup) + "\\Long.lnk"] = Link("C:\\long.exe", std::string(300, 'a'));
  SetIni(m, "WIN.INI", "[windows]\nload=\nRun= C:\\Program Files\\Tray\\tray.exe  \ndevice=HP,winspool,LPT1:\n");
  SetIni(m, "SYSTEM.INI", "[boot]\nshell=Explorer.exe\nsystem.drv=system.drv\n[386Enh]\nrun=other.exe\n");
  return m;
}

struct Expected {
  TRunKind kind;
  std::vector<std::pair<std::string, std::string>> entries;
};

TEST(TStartup, EveryLocation) {
  test::TestMachine machine(EveryLocation());
  TStartup startup;
  startup.GetInfo();
  const Expected expected[] = {
      {rkHKCU_Run, {{"ctfmon.exe", "C:\\WINDOWS\\system32\\ctfmon.exe"}, {"Odd", "42"},
                    {"After", "C:\\Program Files\\After\\after.exe /q"}}},
      {rkHKLM_Run, {{"SoundMan", "SOUNDMAN.EXE"}}},
      {rkHKLM_Once, {{"Setup", "setup.exe /continue"}}},
      {rkHKCU_Once, {{"Mail", "\"C:\\Program Files\\Mail\\mail.exe\" -first"}}},
      {rkHKLM_OnceEx, {{"Reg", "C:\\WINDOWS\\system32\\mshtml.dll DllRegisterServer"}}},
      {rkHKCU_OnceEx, {{"Plain", "cleanup.exe"}}},
      {rkHKLM_Services, {{"Svc", "svc.exe"}}},
      {rkHKLM_ServicesOnce, {{"SvcOnce", "svconce.exe"}}},
      {rkHKCU_Services, {{"USvc", "usvc.exe"}}},
      {rkHKCU_ServicesOnce, {{"USvcOnce", "usvconce.exe"}}},
      {rkHKLM_SessionManager, {{"BootExecute", "autocheck autochk *"}}},
      {rkHKLM_WinLogon, {{"UserInit", "C:\\WINDOWS\\system32\\userinit.exe,"}, {"Shell", "Explorer.exe"}}},
      {rkHKCU_Load, {{"Load", "loader.exe"}}},
      {rkUserStartup, {{"Broken", " "}, {"Gone", "D:\\Removed\\gone.exe -x"},
                       {"Tool", "C:\\Program Files\\Tool Box\\tool.exe \"C:\\My Files\\start list.txt\" /min"}}},
      {rkCommonStartup, {{"Long", "C:\\long.exe " + std::string(300, 'a')}}},
      {rkWIN_INI, {{"Run", "C:\\Program Files\\Tray\\tray.exe"}}},
      {rkSYSTEM_INI, {{"shell", "Explorer.exe"}}},
  };
  int total = 0;
  for (const auto& e : expected) {
    ASSERT_EQ(startup.GetRunCount(e.kind), static_cast<int>(e.entries.size())) << RunKindSection(e.kind);
    for (size_t i = 0; i < e.entries.size(); ++i) {
      EXPECT_EQ(startup.GetRunName(e.kind, static_cast<int>(i)), e.entries[i].first) << RunKindSection(e.kind);
      EXPECT_EQ(startup.GetRunCommand(e.kind, static_cast<int>(i)), e.entries[i].second) << RunKindSection(e.kind);
    }
    total += static_cast<int>(e.entries.size());
  }
  EXPECT_EQ(startup.RunsCount(), total);

  // Sections in report order, each with its count; the counts add up.
  TReportList list(1252);
  startup.Report(list, false);
  std::vector<std::string> sections;
  int counted = 0;
  for (size_t i = 0; i < list.Count(); ++i) {
    const std::string& line = list[i];
    if (line.rfind("<section name=\"", 0) == 0) sections.push_back(line.substr(15, line.find('"', 15) - 15));
    if (line.rfind("<data name=\"Count\" type=\"integer\">", 0) == 0) counted += std::stoi(line.substr(34));
  }
  EXPECT_EQ(sections, (std::vector<std::string>{"UserStartup", "CommonStartup", "HKLM_Run", "HKLM_Once",
                                                "HKLM_OnceEx", "HKLM_Services", "HKLM_ServicesOnce",
                                                "HKLM_SessionManager", "HKLM_WinLogon", "HKCU_Run", "HKCU_Once",
                                                "HKCU_OnceEx", "HKCU_Services", "HKCU_ServicesOnce", "HKCU_Load",
                                                "WIN_INI", "SYSTEM_INI"}));
  EXPECT_EQ(counted, startup.RunsCount());
  EXPECT_EQ(list[0], "<Startup classname=\"TStartup\">");
  EXPECT_EQ(list[5], "<data name=\"Tool\" type=\"string\">C:\\Program Files\\Tool Box\\tool.exe "
                     "&quot;C:\\My Files\\start list.txt&quot; /min</data>");

  // A second gathering replaces the first.
  startup.GetInfo();
  EXPECT_EQ(startup.RunsCount(), total);
}

TEST(TStartup, OutOfRangeKindsAndIndexesGiveNothing) {
  test::TestMachine machine(EveryLocation());
  TStartup startup;
  startup.GetInfo();
  for (auto [kind, index] : {std::pair{-1, 0}, {17, 0}, {rkHKCU_Run, -1}, {rkHKCU_Run, 3}, {rkWIN_INI, 1}}) {
    EXPECT_EQ(startup.GetRunName(kind, index), "") << kind << "," << index;
    EXPECT_EQ(startup.GetRunCommand(kind, index), "") << kind << "," << index;
  }
  EXPECT_EQ(startup.GetRunCount(-1), 0);
  EXPECT_EQ(startup.GetRunCount(kRunKindCount), 0);
  EXPECT_EQ(RunKindSection(kRunKindCount), "");
}

TEST(TStartup, Windows95WithoutACommonStartupFolder) {
  auto m = test::Win98SE();
  m.version = {4, 0, 950, platform::kPlatformWin9x, "", false, 0, 0, 0, 0, 0};
  m.specialFolders[7] = "C:\\WINDOWS\\Start Menu\\Programs\\StartUp";
  // The root of the current drive holds a shortcut: it belongs to no startup folder.
  m.shellFiles.files["\\Stray.lnk"] = Link("C:\\stray.exe", "");
  m.shellFiles.files["C:\\Stray.lnk"] = Link("C:\\stray.exe", "");
  m.shellFiles.files["C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\Clock.lnk"] = Link("C:\\WINDOWS\\clock.exe", "");
  SetIni(m, "WIN.INI", "[windows]\nload=   \nrun=\n");
  SetIni(m, "SYSTEM.INI", "[boot]\nshell=Explorer.exe\n");
  test::TestMachine machine(m);
  TStartup startup;
  startup.GetInfo();
  EXPECT_EQ(startup.GetRunCount(rkCommonStartup), 0);
  ASSERT_EQ(startup.GetRunCount(rkUserStartup), 1);
  EXPECT_EQ(startup.GetRunCommand(rkUserStartup, 0), "C:\\WINDOWS\\clock.exe ");
  EXPECT_EQ(startup.GetRunCount(rkWIN_INI), 0);  // empty values add nothing
  EXPECT_EQ(startup.RunsCount(), 2);
}

TEST(TStartup, BootExecuteOfEachType) {
  const char kKey[] = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager";
  struct Case {
    std::uint32_t type;
    platform::Bytes data;
    std::string command;  // "" adds nothing
  };
  const Case cases[] = {
      {platform::kRegSz, {'a', 'u', 't', 'o', 0}, "auto"},
      {platform::kRegMultiSz, {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0}, "one"},
      {platform::kRegMultiSz, {'c', 'u', 't'}, "cut"},  // no NUL: bounded by the value's size
      {platform::kRegBinary, {' ', 0, 'x'}, ""},
      {platform::kRegDword, {7, 0, 0, 0}, "7"},
  };
  for (const auto& c : cases) {
    auto m = test::WinXPSP3();
    m.registry.SetBinary(kKey, "BootExecute", c.data, c.type);
    test::TestMachine machine(m);
    TStartup startup;
    startup.GetInfo();
    EXPECT_EQ(startup.GetRunCount(rkHKLM_SessionManager), c.command.empty() ? 0 : 1) << c.command;
    EXPECT_EQ(startup.GetRunCommand(rkHKLM_SessionManager, 0), c.command);
  }
}

TEST(TStartup, RunOnceExCommandsAndShortcutNames) {
  const std::pair<const char*, const char*> commands[] = {
      {"||C:\\x.dll|Install", "C:\\x.dll Install"},
      {"C:\\x.dll|Install|More", "C:\\x.dll Install|More"},
      {"a||b||c", "ab |c"},
      {"plain.exe", "plain.exe"},
      {"", ""},
  };
  for (const auto& [value, command] : commands) EXPECT_EQ(RunOnceExCommand(value), command) << value;
  EXPECT_EQ(ShortcutEntryName("Tool.lnk"), "Tool");
  EXPECT_EQ(ShortcutEntryName("TOOL.LNK"), "TOOL");
  EXPECT_EQ(ShortcutEntryName("Tool.lnkx"), "Tool.lnkx");
  EXPECT_EQ(ShortcutEntryName(".lnk"), "");
}

}  // namespace
}  // namespace nsx
