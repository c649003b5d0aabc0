// The operating-system object: version and service pack per release,
// registration data, folders, environment, language id, the guarded
// gathering of its sub-objects, its report and its place in the aggregate.
#include <gtest/gtest.h>

#include "OSTestMachines.h"
#include "core/NSX_GUI.h"
#include "software/NSX_OS.h"

namespace nsx {
namespace {

const char kNTCurrent[] = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char k9xCurrent[] = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kQ246009[] = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";

std::vector<std::string> Names(const TStringList& lines) {
  std::vector<std::string> names;
  for (const auto& line : lines) names.push_back(line.substr(0, line.find('=')));
  return names;
}

std::string Folder(const TStringList& folders, const std::string& name) {
  for (const auto& line : folders)
    if (line.rfind(name + "=", 0) == 0) return line.substr(name.size() + 1);
  return "<none>";
}

// The start tags of the topic elements, in order.
std::vector<std::string> Elements(const TReportList& list) {
  std::vector<std::string> tags;
  for (const auto& line : list.Lines())
    if (line.find(" classname=\"") != std::string::npos) tags.push_back(line.substr(1, line.find(' ') - 1));
  return tags;
}

TEST(TOperatingSystem, NT4ServicePack6WithAndWithoutTheQ246009Fix) {
  struct Case {
    std::optional<std::uint32_t> installed;
    const char* csd;
  };
  for (const Case& c : {Case{1, "Service Pack 6a"}, Case{0, "Service Pack 6"}, Case{std::nullopt, "Service Pack 6"}}) {
    sim::SimMachine m = test::NT4("Service Pack 6");
    m.registry.SetString(kNTCurrent, "CurrentType", "Uniprocessor Free");
    if (c.installed) m.registry.SetDword(kQ246009, "Installed", *c.installed);
    test::TestMachine machine(m);
    TOperatingSystem os;
    os.GetInfo();
    EXPECT_EQ(os.CSD(), c.csd);
    EXPECT_EQ(os.CSDEx(), "Service Pack 6");
    EXPECT_EQ(os.Platform(), opWinNT);
    EXPECT_EQ(os.Version(), "Uniprocessor Free");
    EXPECT_EQ(os.MajorVersion(), 4u);
    EXPECT_EQ(os.BuildNumber(), 1381u);
    TReportList list;
    os.Report(list, false);
    EXPECT_EQ(test::ReportValue(list, "OperatingSystem", "CSD"), c.csd);
    EXPECT_EQ(test::ReportValue(list, "OperatingSystem", "Platform"), "Windows NT");
    EXPECT_EQ(machine.Platform().RegistryApi().OpenHandleCount(), 0u);
  }
}

TEST(TOperatingSystem, CSDExOfThe9xReleases) {
  struct Case {
    sim::SimMachine machine;
    const char* csdEx;
  };
  std::vector<Case> cases;
  cases.push_back({test::Win95("B"), "OSR 2"});
  cases.push_back({test::Win95(" C"), ""});
  cases.push_back({test::Win95("A"), ""});
  cases.push_back({test::Win98SE(), "Second Edition"});
  for (auto& c : cases) {
    std::string csd = c.machine.version.csdVersion;
    c.machine.registry.SetString(k9xCurrent, "Version", "Windows 95");
    test::TestMachine machine(c.machine);
    TOperatingSystem os;
    os.GetInfo();
    EXPECT_EQ(os.CSDEx(), c.csdEx) << csd;
    EXPECT_EQ(os.CSD(), csd);
    EXPECT_EQ(os.Platform(), opWin9x);
  }
}

TEST(TOperatingSystem, Windows98ReportsNoNTSpecificsButTheOtherSubObjects) {
  test::TestMachine machine(test::Win98SE());
  TOperatingSystem os;
  os.GetInfo();
  TReportList list;
  os.Report(list, true);
  EXPECT_EQ(Elements(list), (std::vector<std::string>{"OperatingSystem", "TimeZone", "Internet", "LocaleInfo"}));
  EXPECT_EQ(test::ReportValue(list, "OperatingSystem", "Build"), "2222");
  EXPECT_EQ(test::ReportValue(list, "OperatingSystem", "Platform"), "Windows 9x");
  EXPECT_EQ(list.Lines().back(), "</classes>");
}

TEST(TOperatingSystem, NTReportsItsSubObjectsAfterItsElement) {
  test::TestMachine machine(test::WinXP(0));
  TOperatingSystem os;
  os.GetInfo();
  TReportList list;
  os.Report(list, false);
  EXPECT_EQ(Elements(list),
            (std::vector<std::string>{"OperatingSystem", "NTSpecific", "TimeZone", "Internet", "LocaleInfo"}));
  EXPECT_EQ(list[0], "<OperatingSystem classname=\"TOperatingSystem\">");
}

TEST(TOperatingSystem, RegistrationDataFoldersAndTheReportLines) {
  sim::SimMachine m = test::Win98SE();
  m.registry.SetString(k9xCurrent, "Version", "Windows 98");
  m.registry.SetString(k9xCurrent, "RegisteredOwner", "Zo\xEB & Co");
  m.registry.SetString(k9xCurrent, "RegisteredOrganization", "<Org>");
  m.registry.SetString(k9xCurrent, "ProductID", "12345-OEM-0012345-67890");
  m.registry.SetString(k9xCurrent, "ProductKey", "ABCDE-FGHIJ");
  m.registry.SetBinary(k9xCurrent, "DVD_Region", {'2', 0});
  m.registry.SetString(k9xCurrent, "ProgramFilesDir", "C:\\Program Files");
  m.registry.SetString(k9xCurrent, "DevicePath", "%windir%\\inf", platform::kRegExpandSz);
  m.registry.SetString(k9xCurrent, "WallPaperDir", "C:\\WINDOWS\\Web\\Wallpaper");
  m.specialFolders = {{0, "C:\\WINDOWS\\Profiles\\Zoe\\Desktop"}, {5, "C:\\My Documents"}, {20, "C:\\WINDOWS\\FONTS"}};
  m.environment = {"PATH=C:\\WINDOWS", "BROKEN", "=C:=C:\\"};
  m.langId = 0x0407;
  test::TestMachine machine(m);
  TOperatingSystem os;
  os.GetInfo();
  EXPECT_EQ(os.Version(), "Windows 98");
  EXPECT_EQ(os.DVDRegion(), "2");
  EXPECT_EQ(os.LanguageID(), "$0407");
  EXPECT_EQ(Names(os.Folders()),
            (std::vector<std::string>{"CommonFiles", "ProgramFiles", "Device", "OtherDevice", "Media", "Config",
                                      "Wallpaper", "Windows", "System", "Temp", "AppData", "CommonDesktopDir",
                                      "CommonAltStartUp", "RecycleBin", "CommonPrograms", "CommonStartMenu",
                                      "CommonStartup", "CommonFavorites", "Cookies", "Controls", "Desktop",
                                      "DesktopDir", "Favorites", "Drives", "Fonts", "History", "Internet",
                                      "InternetCache", "NetWork", "NetHood", "MyDocuments", "PrintHood", "Printers",
                                      "Programs", "Recent", "SendTo", "StartMenu", "StartUp", "Templates",
                                      "Profile"}));
  EXPECT_EQ(Folder(os.Folders(), "ProgramFiles"), "C:\\Program Files");
  EXPECT_EQ(Folder(os.Folders(), "Device"), "%windir%\\inf");
  EXPECT_EQ(Folder(os.Folders(), "System"), "C:\\WINDOWS\\SYSTEM");
  EXPECT_EQ(Folder(os.Folders(), "Fonts"), "C:\\WINDOWS\\FONTS");
  EXPECT_EQ(Folder(os.Folders(), "MyDocuments"), "C:\\My Documents");
  EXPECT_EQ(Folder(os.Folders(), "Cookies"), "");
  EXPECT_EQ(Folder(os.Folders(), "Profile"), "C:\\WINDOWS\\Profiles\\Zoe");

  TReportList list(1252);
  os.Report(list, false);
  std::vector<std::string> head(list.Lines().begin(), list.Lines().begin() + 16);
  EXPECT_EQ(head, (std::vector<std::string>{
                      "<OperatingSystem classname=\"TOperatingSystem\">",
                      "<data name=\"Platform\" type=\"string\">Windows 9x</data>",
                      "<data name=\"VersionName\" type=\"string\">Windows 98</data>",
                      "<data name=\"MajorVersion\" type=\"integer\">4</data>",
                      "<data name=\"MinorVersion\" type=\"integer\">10</data>",
                      "<data name=\"Build\" type=\"integer\">2222</data>",
                      "<data name=\"CSD\" type=\"string\"> A </data>",
                      "<data name=\"ProductID\" type=\"string\">12345-OEM-0012345-67890</data>",
                      "<data name=\"ProductKey\" type=\"string\">ABCDE-FGHIJ</data>",
                      "<data name=\"RegisteredUser\" type=\"string\">Zo\xEB &amp; Co</data>",
                      "<data name=\"RegisteredOrganisation\" type=\"string\">&lt;Org&gt;</data>",
                      "<data name=\"DVDRegion\" type=\"string\">2</data>",
                      "<section name=\"Environment\">",
                      "<data name=\"PATH\" type=\"string\">C:\\WINDOWS</data>",
                      "<data name=\"BROKEN\" type=\"string\"></data>",
                      "<data name=\"\" type=\"string\">C:=C:\\</data>",
                  }));
  EXPECT_EQ(list[16], "</section>");
  EXPECT_EQ(list[17], "<section name=\"Folders\">");
  EXPECT_EQ(list[18], "<data name=\"CommonFiles\" type=\"string\"></data>");
  EXPECT_EQ(test::ReportValue(list, "OperatingSystem", "Profile"), "C:\\WINDOWS\\Profiles\\Zoe");
}

TEST(TOperatingSystem, WithoutTheCurrentVersionKey) {
  sim::SimMachine m = test::Win95("B");
  test::TestMachine machine(m);
  TOperatingSystem os;
  os.GetInfo();
  EXPECT_EQ(os.Folders().front(), "Windows=C:\\WINDOWS");
  EXPECT_EQ(os.Folders().size(), 3u + 29u + 1u);
  EXPECT_EQ(os.CSDEx(), "");  // decided only with the key
  EXPECT_EQ(os.Version(), "");
}

TEST(TOperatingSystem, ARegatheringKeepsNoValueThatIsGone) {
  sim::SimMachine m = test::WinXP(0);
  m.registry.SetString(kNTCurrent, "ProductKey", "KEY");
  m.registry.SetDword(kNTCurrent, "DVD_Region", 2);
  test::TestMachine machine(m);
  TOperatingSystem os;
  os.GetInfo();
  EXPECT_EQ(os.ProductKey(), "KEY");
  EXPECT_EQ(os.DVDRegion(), "2");
  machine.Data().registry = sim::SimRegistry();
  machine.Data().registry.SetString(kNTCurrent, "CurrentType", "Multiprocessor Free");
  os.GetInfo();
  EXPECT_EQ(os.ProductKey(), "");
  EXPECT_EQ(os.DVDRegion(), "");
  EXPECT_EQ(os.Folders().size(), 7u + 3u + 29u + 1u);
}

TEST(ProfileFolder, ThePathBeforeTheLastBackslash) {
  EXPECT_EQ(ProfileFolder("C:\\Documents and Settings\\Zoe\\Desktop"), "C:\\Documents and Settings\\Zoe");
  EXPECT_EQ(ProfileFolder("Desktop"), "Desktop");
  EXPECT_EQ(ProfileFolder(""), "");
  std::string deep = "C:\\" + std::string(300, 'd');
  EXPECT_EQ(ProfileFolder(deep + "\\Desktop"), deep.substr(deep.size() - 255));
}

sim::SimMachine MachineWithBrokenLocale() {
  sim::SimMachine m = test::WinXP(0);
  m.regional.locales[0x0409][platform::kLocaleIMeasure] = "";
  m.regional.timeZone.reset();
  return m;
}

TEST(TOperatingSystem, ASubObjectsErrorIsHandledByTheObjectsMode) {
  {
    test::TestMachine machine(MachineWithBrokenLocale());
    TOperatingSystem os;
    EXPECT_EQ(os.ExceptionMode(), emMessage);
    os.GetInfo();
    EXPECT_EQ(machine.Platform().consoleLines,
              (std::vector<std::string>{"TLocaleInfo.GetInfo: '' is not a valid integer value"}));
    EXPECT_EQ(os.MajorVersion(), 5u);  // gathering went on
    EXPECT_EQ(os.LocaleInfo().ListSeparator, ",");
  }
  {
    test::TestMachine machine(MachineWithBrokenLocale());
    TOperatingSystem os;
    os.SetExceptionMode(emRaise);
    try {
      os.GetInfo();
      FAIL() << "nothing raised";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "TLocaleInfo.GetInfo: '' is not a valid integer value");
    }
    EXPECT_EQ(os.MajorVersion(), 0u);
  }
  {
    test::TestMachine machine(MachineWithBrokenLocale());
    TOperatingSystem os;
    os.SetExceptionMode(emSilent);
    os.GetInfo();
    EXPECT_TRUE(machine.Platform().consoleLines.empty());
    EXPECT_EQ(os.MajorVersion(), 5u);
  }
}

TEST(TNSystemInfo, GathersAndReportsTheOperatingSystemInItsPlace) {
  sim::SimMachine m = test::Win2003(0x0002);
  m.registry.SetString(kNTCurrent, "CurrentType", "Multiprocessor Free");
  m.regional.locales[0x0409][platform::kLocaleIMeasure] = "";
  test::TestMachine machine(m);
  TNSystemInfo info;
  info.SetExceptionMode(emSilent);
  EXPECT_EQ(info.OS().ExceptionMode(), emSilent);
  info.Refresh();
  EXPECT_TRUE(machine.Platform().consoleLines.empty());  // the OS object's own mode was written
  TReportList list;
  info.Report(list);
  std::vector<std::string> elements = Elements(list);
  std::vector<std::string> os = {"OperatingSystem", "NTSpecific", "TimeZone", "Internet", "LocaleInfo"};
  auto at = std::search(elements.begin(), elements.end(), os.begin(), os.end());
  ASSERT_NE(at, elements.end());
  EXPECT_EQ(test::ReportValue(list, "OperatingSystem", "VersionName"), "Multiprocessor Free");
  EXPECT_EQ(test::ReportValue(list, "NTSpecific", "ProductType"), "Enterprise Edition");
  EXPECT_EQ(list.Lines().back(), "</classes>");
}

}  // namespace
}  // namespace nsx
