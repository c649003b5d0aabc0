// The Printers page's row icons and the rows of the Startup page's tabs.
#include <gtest/gtest.h>

#include "TestMachine.h"
#include "ui/logic/SoftwarePageRows.h"

namespace nsx::ui {
namespace {

TEST(SoftwarePageRows, PrinterIcons) {
  const std::tuple<const char*, bool, int> cases[] = {
      {"LPT1:", false, 35},         {"LPT1:", true, 36},  {"\\\\srv\\hp", false, 37},
      {"IP_10.0.0.5", true, 36},    {"\\\\srv\\hp", true, 38}, {"", false, 35},
      {"\\srv", false, 35},  // one backslash is no network path
  };
  for (const auto& [port, isDefault, image] : cases) EXPECT_EQ(PrinterImage(port, isDefault), image) << port;
}

TEST(SoftwarePageRows, EachTabListsItsLocationsInOrder) {
  auto m = test::WinXPSP3();
  const std::string cu = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\";
  const std::string lm = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\";
  m.registry.SetString(lm + "Run", "Machine", "m.exe");
  m.registry.SetString(cu + "Run", "User", "u.exe");
  m.registry.SetString("HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "Load", "l.exe");
  m.registry.SetString("HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Shell", "Explorer.exe");
  m.specialFolders[7] = "C:\\U";
  m.specialFolders[24] = "C:\\C";
  m.shellFiles.files["C:\\C\\Common.lnk"].link = sim::SimShellLink{"c.exe", ""};
  m.shellFiles.files["C:\\U\\Mine.lnk"].link = sim::SimShellLink{"u.exe", "-a"};
  m.shellFiles.iniFiles["C:\\WINDOWS\\SYSTEM.INI"] = sim::ParseSimIniFile("[boot]\nshell=progman.exe\n");
  m.shellFiles.iniFiles["C:\\WINDOWS\\WIN.INI"] = sim::ParseSimIniFile("[windows]\nrun=r.exe\n");
  test::TestMachine machine(m);
  TStartup startup;
  startup.GetInfo();
  auto text = [](const std::vector<TStartupRow>& rows) {
    std::vector<std::string> lines;
    for (const auto& r : rows) lines.push_back(r.name + "|" + r.location + "|" + r.command);
    return lines;
  };
  EXPECT_EQ(text(StartupRows(startup, stFolders, "C:\\U", "C:\\C")),
            (std::vector<std::string>{"Mine|C:\\U|u.exe -a", "Common|C:\\C|c.exe "}));
  EXPECT_EQ(text(StartupRows(startup, stRegistry, "", "")),
            (std::vector<std::string>{
                "User|HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run|u.exe",
                "Load|HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows|l.exe",
                "Machine|HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run|m.exe",
                "Shell|HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon|Explorer.exe"}));
  EXPECT_EQ(text(StartupRows(startup, stIniFiles, "", "")),
            (std::vector<std::string>{"run|WIN.INI|r.exe", "shell|SYSTEM.INI|progman.exe"}));
  EXPECT_TRUE(StartupRows(startup, 3, "", "").empty());
}

}  // namespace
}  // namespace nsx::ui
