// Identification of the Windows release from the version query.
#include <gtest/gtest.h>

#include <optional>

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
      {Nine(5, 0, 1, ""), osUnknown, "", ""},
  };
  for (const auto& row : rows) {
    auto id = Identify(row.version);
    EXPECT_EQ(id.OSKind, row.kind) << row.display;
    EXPECT_EQ(id.OSFamilyName, row.family) << row.display;
    EXPECT_EQ(id.OSDisplayName, row.display);
  }
}

VersionInfo Extended(std::uint32_t major, std::uint32_t minor, std::uint32_t build, const char* csd,
                     std::uint8_t productType) {
  return {major, minor, build, platform::kPlatformNT, csd, true, 0, 0, 0, productType, 0};
}

// The releases after 2003: the kind by number, the name by product type
// (1 workstation, 2 domain controller, 3 server) and build.
TEST(IdentifyOS, ReleasesAfter2003AreOfTheNTFamily) {
  const Row rows[] = {
      {Extended(6, 0, 6002, "Service Pack 2", 1), osWinVista, "Windows Vista", "Windows Vista Service Pack 2"},
      {Extended(6, 0, 6001, "Service Pack 1", 3), osWinVista, "Windows Server 2008", "Windows Server 2008 Service Pack 1"},
      {Extended(6, 1, 7601, "Service Pack 1", 1), osWin7, "Windows 7", "Windows 7 Service Pack 1"},
      {Extended(6, 1, 7600, "", 2), osWin7, "Windows Server 2008 R2", "Windows Server 2008 R2"},
      {Extended(6, 2, 9200, "", 1), osWin8, "Windows 8", "Windows 8"},
      {Extended(6, 2, 9200, "", 3), osWin8, "Windows Server 2012", "Windows Server 2012"},
      {Extended(6, 3, 9600, "", 1), osWin81, "Windows 8.1", "Windows 8.1"},
      {Extended(6, 3, 9600, "", 3), osWin81, "Windows Server 2012 R2", "Windows Server 2012 R2"},
      {Extended(10, 0, 19045, "", 1), osWin10, "Windows 10", "Windows 10"},
      {Extended(10, 0, 21999, "", 1), osWin10, "Windows 10", "Windows 10"},
      {Extended(10, 0, 22000, "", 1), osWin10, "Windows 11", "Windows 11"},
      {Extended(10, 0, 26100, "", 1), osWin10, "Windows 11", "Windows 11"},
      {Extended(10, 0, 14393, "", 3), osWin10, "Windows Server 2016", "Windows Server 2016"},
      {Extended(10, 0, 17763, "", 2), osWin10, "Windows Server 2019", "Windows Server 2019"},
      {Extended(10, 0, 20348, "", 3), osWin10, "Windows Server 2022", "Windows Server 2022"},
      {Extended(10, 0, 26100, "", 3), osWin10, "Windows Server 2025", "Windows Server 2025"},
      {NT(6, 1, 7601, "Service Pack 1"), osWin7, "Windows 7", "Windows 7 Service Pack 1"},  // plain form: workstation
      {Extended(6, 4, 9841, "", 1), osUnknown, "", ""},
      {Extended(11, 0, 30000, "", 1), osUnknown, "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.version.majorVersion) + "." + std::to_string(row.version.minorVersion) + "." +
                 std::to_string(row.version.buildNumber));
    auto id = Identify(row.version);
    EXPECT_EQ(id.OSKind, row.kind);
    EXPECT_EQ(id.OSFamilyName, row.family);
    EXPECT_EQ(id.OSDisplayName, row.display);
    // Every NT release, a later one outside the table too, takes the NT paths.
    EXPECT_TRUE(id.IsNT);
    EXPECT_EQ(id.ClassKey, "SYSTEM\\CurrentControlSet\\Control\\Class");
    EXPECT_FALSE(id.IsNT4 || id.IsNT5 || id.Is2000 || id.IsXP || id.Is98SE || id.IsOSR2);
  }
}

// Windows 8.1 and later answer 6.2 to a program their manifest does not
// name; ntdll's own query tells the release then, and only then.
TEST(StartUp, NativeVersionReplacesWindows8Only) {
  struct Case {
    VersionInfo reported;
    std::optional<VersionInfo> native;
    const char* os;
  };
  const Case cases[] = {
      {Extended(6, 2, 9200, "", 1), Extended(10, 0, 19045, "", 1), "Windows 10 (10.0.19045)"},
      {Extended(6, 2, 9200, "", 3), Extended(6, 3, 9600, "", 3), "Windows Server 2012 R2 (6.3.9600)"},
      {Extended(6, 2, 9200, "", 1), std::nullopt, "Windows 8 (6.2.9200)"},
      {Extended(6, 1, 7601, "Service Pack 1", 1), Extended(10, 0, 19045, "", 1), "Windows 7 Service Pack 1 (6.1.7601)"},
      {Nine(4, 10, 2222, " A "), Extended(6, 2, 9200, "", 1), "Windows 98 Second Edition (4.10.2222)"},
  };
  for (const auto& c : cases) {
    sim::SimMachine m = test::WinXPSP3();
    m.version = c.reported;
    m.nativeVersion = c.native;
    test::TestMachine machine(m);
    const auto& os = OSInfo();
    EXPECT_EQ(os.OSDisplayName + " (" + std::to_string(os.OSMajorVersion) + "." + std::to_string(os.OSMinorVersion) +
                  "." + std::to_string(os.OSBuildNumber) + ")",
              c.os);
    // Every topic asks the same corrected query.
    EXPECT_EQ(Sys().GetVersion().majorVersion, os.OSMajorVersion);
  }
}

TEST(IdentifyOS, FlagsFollowTheKind) {
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
