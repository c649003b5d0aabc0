// Identification of the Windows release from the version query.
#include <gtest/gtest.h>

#include "TestMachine.h"
#include "core/Norvik_Native.h"
#include "core/Norvik_Routines.h"
#include "platform/sim/SimRegistry.h"

namespace nsx {
namespace {

using platform::VersionInfo;

TOSIdentification Identify(const VersionInfo& v, sim::SimRegistry registry = {}) {
  sim::SimRegistryApi api(registry);
  return DescribeOS(IdentifyOS(v, api));
}

VersionInfo Nine(std::uint32_t major, std::uint32_t minor, std::uint32_t build, const char* csd) {
  return {major, minor, (major << 24) | (minor << 16) | build, platform::kPlatformWin9x, csd};
}

VersionInfo NT(std::uint32_t major, std::uint32_t minor, std::uint32_t build, const char* csd) {
  return {major, minor, build, platform::kPlatformNT, csd};
}

struct Row {
  VersionInfo version;
  TOSKind kind;
  const char* family;
  const char* display;
};

TEST(IdentifyOS, EveryReleaseOfTheTable) {
  const Row rows[] = {
      {Nine(4, 0, 950, ""), osWin95, "Windows 95", "Windows 95"},
      {Nine(4, 0, 950, " A "), osWin95OSR1, "Windows 95", "Windows 95 OSR 1"},
      {Nine(4, 0, 1111, "B"), osWin95OSR2, "Windows 95", "Windows 95 OSR 2"},
      {Nine(4, 0, 1212, " C"), osWin95OSR25, "Windows 95", "Windows 95 OSR 2.5"},
      {Nine(4, 0, 950, "c"), osWin95, "Windows 95", "Windows 95"},  // case-sensitive
      {Nine(4, 10, 1998, ""), osWin98, "Windows 98", "Windows 98"},
      {Nine(4, 10, 2222, " A "), osWin98SE, "Windows 98", "Windows 98 Second Edition"},
      {Nine(4, 90, 3000, ""), osWinME, "Windows Millenium Edition", "Windows Millenium Edition"},
      {NT(3, 51, 1057, "Service Pack 5"), osNT3, "Windows NT", "Windows NT 3.x Service Pack 5"},
      {NT(4, 0, 1381, "Service Pack 6"), osNT4, "Windows NT", "Windows NT 4.x Service Pack 6"},
      {NT(5, 0, 2195, "Service Pack 4"), osWin2000, "Windows 2000", "Windows 2000 Service Pack 4"},
      {NT(5, 1, 2600, "Service Pack 3"), osWinXP, "Windows XP", "Windows XP Service Pack 3"},
      {NT(5, 2, 3790, "Service Pack 2"), osWin2003, "Windows .NET", "Windows Server 2003 Service Pack 2"},
      {NT(5, 3, 9999, ""), osWin2000, "Windows 2000", "Windows 2000 "},
      {NT(6, 0, 6000, ""), osUnknown, "", ""},
      {Nine(5, 0, 1, ""), osUnknown, "", ""},
  };
  for (const auto& row : rows) {
    auto id = Identify(row.version);
    EXPECT_EQ(id.OSKind, row.kind) << row.display;
    EXPECT_EQ(id.OSFamilyName, row.family) << row.display;
    EXPECT_EQ(id.OSDisplayName, row.display);
  }
}

TEST(IdentifyOS, FlagsFollowTheKind) {
  auto vista = Identify(NT(6, 0, 6000, ""));
  EXPECT_FALSE(vista.IsNT);  // outside the table, even on the NT platform
  EXPECT_EQ(vista.ClassKey, "SYSTEM\\CurrentControlSet\\Services\\Class");

  auto xp = Identify(NT(5, 1, 2600, "Service Pack 2"));
  EXPECT_TRUE(xp.IsNT && xp.IsNT5 && xp.IsXP);
  EXPECT_FALSE(xp.IsNT4 || xp.Is2000 || xp.Is98SE || xp.IsOSR2);
  EXPECT_EQ(xp.ClassKey, "SYSTEM\\CurrentControlSet\\Control\\Class");

  auto se = Identify(Nine(4, 10, 2222, ""));
  EXPECT_TRUE(se.Is98SE);
  EXPECT_FALSE(se.IsNT);
  // 98 SE keeps 4.10 in the high word of its build number; only the low word counts.
  EXPECT_EQ(se.OSBuildNumber, 2222u);
  EXPECT_TRUE(Identify(Nine(4, 0, 1111, "B")).IsOSR2);
  EXPECT_TRUE(Identify(NT(4, 0, 1381, "")).IsNT4);
}

TEST(IdentifyOS, ServicePack6aNeedsTheHotfixInstalled) {
  sim::SimRegistry fixed;
  fixed.SetDword("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009",
                 "Installed", 1);
  EXPECT_EQ(Identify(NT(4, 0, 1381, "Service Pack 6"), fixed).OSDisplayName, "Windows NT 4.x Service Pack 6a");

  sim::SimRegistry notInstalled;
  notInstalled.SetDword("HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009", "Installed", 0);
  EXPECT_EQ(Identify(NT(4, 0, 1381, "Service Pack 6"), notInstalled).OSCSD, "Service Pack 6");
  EXPECT_EQ(Identify(NT(4, 0, 1381, "Service Pack 6")).OSCSD, "Service Pack 6");
  // Only the exact text is upgraded.
  EXPECT_EQ(Identify(NT(4, 0, 1381, "Service Pack 5"), fixed).OSCSD, "Service Pack 5");
}

TEST(StartUp, MachineNameFromRegistryUpperCased) {
  sim::SimMachine m = test::WinXPSP3();
  m.computerName = "fromapi";
  m.registry.SetString("HKLM\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName", "ComputerName",
                       "Lab-Pc7");
  test::TestMachine machine(m);
  EXPECT_EQ(OSInfo().MachineName, "LAB-PC7");
  EXPECT_EQ(GetMachineName(), "Lab-Pc7");
}

TEST(StartUp, NativeEntriesOnlyOnNT) {
  {
    test::TestMachine machine(test::WinXPSP3());
    EXPECT_TRUE(NativeEntries().ZwOpenSection);
    EXPECT_TRUE(NativeEntries().ZwQuerySystemInformation);
  }
  sim::SimMachine nine = test::Win98SE();
  nine.AddNtdllEntries();  // even if a module answered, 9x binds nothing
  test::TestMachine machine(nine);
  EXPECT_FALSE(NativeEntries().ZwOpenSection);
  EXPECT_FALSE(NativeEntries().ZwClose);
}

}  // namespace
}  // namespace nsx
