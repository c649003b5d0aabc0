// The profile's printers, files with shell links and initialisation files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/sim/Profile.h"
#include "platform/sim/ProfileError.h"
#include "platform/sim/SimPlatform.h"

namespace nsx::sim {
namespace {

class SoftwareProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/software-profile-XXXXXX";
    dir_ = mkdtemp(name);
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }
  SimMachine Load(const std::string& ini) {
    std::ofstream(dir_ + "/machine.ini") << "[machine]\nCodePage=1252\nWindowsDir=C:\\WIN\n" << ini;
    return LoadProfile(dir_);
  }
  std::string dir_;
};

TEST_F(SoftwareProfileTest, PrintersLinksAndInitialisationFiles) {
  mkdir((dir_ + "/ini").c_str(), 0755);
  std::ofstream(dir_ + "/ini/WIN.INI") << "; comment\r\n[windows]\r\nrun=  C:\\Program Files\\x.exe  \r\ndevice=\"HP,winspool,LPT1:\"\r\n";
  SimPlatform platform(Load(
      "[printer HP LaserJet]\nDriver=HP LaserJet 4\nPort=LPT1:\n"
      "[printer \\\\srv\\Caf\xC3\xA9]\nDriver=PS\nPort=Ne01:\nConnection=1\n"
      "[file C:\\Startup\\Tool.lnk]\nTarget=C:\\Tool Box\\tool.exe\nArguments=\"\"C:\\a b.txt\"\"\nTargetExists=0\n"
      "[file C:\\Startup\\Note.lnk]\nLink=0\nAttributes=0x22\n"));
  auto all = platform.Spooler().ListPrinters(true);
  ASSERT_TRUE(all);
  ASSERT_EQ(all->size(), 2u);
  EXPECT_EQ((*all)[1].name, "\\\\srv\\Caf\xE9");
  EXPECT_EQ((*all)[1].port, "Ne01:");
  EXPECT_EQ(platform.Spooler().ListPrinters(false)->size(), 1u);

  auto& shell = platform.Shell();
  auto found = shell.FindFiles("c:\\startup\\*.LNK");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].name, "Note.lnk");
  EXPECT_EQ(found[0].attributes, 0x22u);
  EXPECT_EQ(shell.ReadShellLink("C:\\Startup\\Note.lnk").result, platform::kHResultFail);
  auto link = shell.ReadShellLink("C:\\Startup\\Tool.lnk");
  EXPECT_EQ(link.result, platform::kHResultOk);
  EXPECT_EQ(link.path, "C:\\Tool Box\\tool.exe");
  EXPECT_EQ(link.arguments, "\"C:\\a b.txt\"");
  EXPECT_EQ(shell.ReadShellLink("C:\\Startup\\None.lnk").result, platform::kHResultFileNotFound);

  EXPECT_EQ(shell.ReadIniSection("win.ini", "WINDOWS"),
            (std::vector<std::string>{"run=  C:\\Program Files\\x.exe", "device=\"HP,winspool,LPT1:\""}));
  EXPECT_EQ(shell.ReadIniString("C:\\WIN\\win.ini", "windows", "RUN", "-"), "C:\\Program Files\\x.exe");
  EXPECT_EQ(shell.ReadIniString("WIN.INI", "windows", "device", "-"), "HP,winspool,LPT1:");
  EXPECT_EQ(shell.ReadIniString("WIN.INI", "windows", "load", "-"), "-");
  EXPECT_TRUE(shell.ReadIniSection("SYSTEM.INI", "boot").empty());
}

TEST_F(SoftwareProfileTest, MistakesNameTheirLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"[printer P]\nColour=1\n", ":5:"},
      {"[printer P]\nConnection=yes\n", ":5:"},
      {"[file C:\\a.lnk]\nAttributes=x\n", ":5:"},
      {"[spooler]\nFails=2\n", ":5:"},
  };
  for (const auto& [ini, line] : cases) {
    try {
      Load(ini);
      ADD_FAILURE() << "accepted: " << ini;
    } catch (const ProfileError& e) {
      EXPECT_NE(std::string(e.what()).find(line), std::string::npos) << e.what();
    }
  }
}

TEST(SimShell, Wildcards) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"Tool.lnk", "*.lnk", true},   {"TOOL.LNK", "*.lnk", true},  {"Tool.lnk.txt", "*.lnk", false},
      {"a.lnk", "?.lnk", true},      {"ab.lnk", "?.lnk", false},   {"x", "*", true},
      {"abcabd", "*abd", true},      {"", "*", true},              {"a", "", false},
  };
  for (const auto& [name, pattern, match] : cases) EXPECT_EQ(MatchesWildcard(name, pattern), match) << name << " " << pattern;
}

}  // namespace
}  // namespace nsx::sim
