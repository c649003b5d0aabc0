// The engines topic: the DirectX version and drivers, the BDE and ODBC
// libraries' versions, DAO and ADO through their automation objects (made
// in process only, COM paired and objects released), and the three
// elements of its report.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestMachine.h"
#include "software/NSX_Engines.h"

namespace nsx {
namespace {

const char kDirectX[] = "HKLM\\SOFTWARE\\Microsoft\\DirectX";

TEST(DirectXInstalledVersion, MajorAndMinorStoredHighByteFirst) {
  struct Case {
    platform::Bytes value;
    const char* version;
  } cases[] = {
      {{0, 0, 0, 9, 0, 0, 0, 0}, "9.0"},
      {{0, 0, 0, 8, 0, 0, 0, 1}, "8.1"},
      {{0, 0, 0, 8, 0, 0, 0, 1, 0xFF, 0xFF}, "8.1"},
      {{0, 0, 0, 7}, "7"},
      {{0, 0, 0, 0, 0, 0, 0, 5}, ""},  // no major number: no version, never "0.5" or "0.0"
      {{4, 9}, ""},
      {{}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DirectXInstalledVersion(c.value), c.version);
}

TEST(TDirectX, VersionAndDrivers) {
  auto m = test::WinXPSP3();
  m.registry.SetString(kDirectX, "Version", "4.09.00.0904");
  m.registry.SetBinary(kDirectX, "InstalledVersion", {0, 0, 0, 9, 0, 0, 0, 0});
  m.registry.SetString("HKLM\\SOFTWARE\\Microsoft\\Direct3D\\Drivers\\Direct3D HAL", "Description", "Hardware <HAL>");
  m.registry.SetString("HKLM\\SOFTWARE\\Microsoft\\Direct3D\\Drivers\\Ramp Emulation", "Description", "Ramp");
  m.registry.CreateKey("HKLM\\SOFTWARE\\Microsoft\\Direct3D\\Drivers\\No Description");
  m.registry.SetString("HKLM\\SOFTWARE\\Microsoft\\DirectMusic\\SoftwareSynths\\{58C2B4D0}", "Description",
                       "Microsoft Synthesizer");
  test::TestMachine running(m);
  TDirectX directX;
  directX.GetInfo();
  EXPECT_EQ(directX.Version(), "4.09.00.0904");
  EXPECT_EQ(directX.Direct3D(), (TStringList{"Hardware <HAL>", "Ramp"}));
  EXPECT_TRUE(directX.DirectPlay().empty());
  TReportList list(1252);
  directX.Report(list, false);
  const std::vector<std::string> expected = {
      "<DirectX classname=\"TDirectX\">",
      "<data name=\"Version\" type=\"string\">4.09.00.0904</data>",
      "<section name=\"Direct3D\">",
      "<data name=\"Count\" type=\"integer\">2</data>",
      "<data name=\"Device[0]\" type=\"string\">Hardware &lt;HAL&gt;</data>",
      "<data name=\"Device[1]\" type=\"string\">Ramp</data>",
      "</section>",
      "<section name=\"DirectPlay\">",
      "<data name=\"Count\" type=\"integer\">0</data>",
      "</section>",
      "<section name=\"DirectMusic\">",
      "<data name=\"Count\" type=\"integer\">1</data>",
      "<data name=\"Device[0]\" type=\"string\">Microsoft Synthesizer</data>",
      "</section>",
      "</DirectX>",
  };
  EXPECT_EQ(list.Lines(), expected);
}

TEST(TDirectX, WithoutVersionValuesTheElementIsEmpty) {
  struct Case {
    const char* name;
    bool key;
    platform::Bytes installed;
    const char* version;
  } cases[] = {
      {"no key", false, {}, ""},
      {"key without values", true, {}, ""},
      {"installed version only", true, {0, 0, 0, 8, 0, 0, 0, 1}, "8.1"},
  };
  for (const auto& c : cases) {
    auto m = test::WinXPSP3();
    if (c.key) m.registry.CreateKey(kDirectX);
    if (!c.installed.empty()) m.registry.SetBinary(kDirectX, "InstalledVersion", c.installed);
    test::TestMachine running(m);
    TDirectX directX;
    directX.GetInfo();
    EXPECT_EQ(directX.Version(), c.version) << c.name;
    TReportList list(1252);
    directX.Report(list, false);
    EXPECT_EQ(list.Count(), *c.version ? 12u : 2u) << c.name;
  }
}

platform::Bytes Version(std::uint32_t ms, std::uint32_t ls) {
  return test::BuildVersionResource(ms, ls, 0x0409, 0x04B0, {});
}

const char kBde[] = "HKLM\\SOFTWARE\\Borland\\Database Engine";
const char kOdbcFileList[] = "HKLM\\SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList";

TEST(TEngines, LibraryVersions) {
  struct Case {
    const char* name;
    const char* dllPath;         // nullptr: no DLLPATH value
    const char* odbcListed;      // nullptr: no file list key
    const char* currentDir;
    const char* bde;
    const char* odbc;
  } cases[] = {
      {"BDE and the listed ODBC", "C:\\Program Files\\Common Files\\Borland Shared\\BDE",
       "C:\\WINDOWS\\system32\\ODBC32.DLL", "C:\\", "5.2.0.2", "3.520.7713.0"},
      {"DLLPATH ending in a backslash", "C:\\Program Files\\Common Files\\Borland Shared\\BDE\\", nullptr, "C:\\",
       "5.2.0.2", "3.520.7713.0"},
      {"DLLPATH listing two directories", "C:\\IDAPI;C:\\Program Files\\Common Files\\Borland Shared\\BDE", nullptr,
       "C:\\", "5.2.0.2", "3.520.7713.0"},
      {"ODBC in the current directory first", nullptr, nullptr, "D:\\App", "", "3.510.3002.13"},
      {"file list without the value", nullptr, "", "D:\\App", "", ""},
      {"no BDE library there", "C:\\NOWHERE", nullptr, "C:\\", "", "3.520.7713.0"},
  };
  for (const auto& c : cases) {
    auto m = test::WinXPSP3();
    m.currentDirectory = c.currentDir;
    m.versionResources["C:\\Program Files\\Common Files\\Borland Shared\\BDE\\IDAPI32.DLL"] = Version(0x00050002, 2);
    m.versionResources["C:\\WINDOWS\\system32\\ODBC32.DLL"] = Version(0x00030208, 0x1E210000);
    m.versionResources["D:\\App\\ODBC32.DLL"] = Version(0x000301FE, 0x0BBA000D);
    if (c.dllPath) m.registry.SetString(kBde, "DLLPATH", c.dllPath);
    if (c.odbcListed) {
      m.registry.CreateKey(kOdbcFileList);
      if (*c.odbcListed) m.registry.SetString(kOdbcFileList, "ODBC32.DLL", c.odbcListed);
    }
    test::TestMachine running(m);
    TEngines engines;
    engines.GetInfo();
    EXPECT_EQ(engines.BDE(), c.bde) << c.name;
    EXPECT_EQ(engines.ODBC(), c.odbc) << c.name;
  }
}

TEST(TEngines, OdbcLibraryWithoutVersionInformationGivesNoLine) {
  auto m = test::WinXPSP3();
  m.registry.SetString(kBde, "DLLPATH", "C:\\BDE");
  m.versionResources["C:\\BDE\\IDAPI32.DLL"] = Version(0x00050002, 2);
  m.internet.existingFiles.insert("C:\\WINDOWS\\system32\\ODBC32.DLL");  // there, but without a version resource
  test::TestMachine running(m);
  TEngines engines;
  engines.GetInfo();
  EXPECT_EQ(engines.ODBC(), "");
  TReportList list(1252);
  engines.Report(list, false);
  EXPECT_EQ(list[0], "<Engines classname=\"TEngines\">");
  EXPECT_EQ(list[1], "<data name=\"BDE\" type=\"string\">5.2.0.2</data>");
  EXPECT_EQ(list[2], "</Engines>");
  EXPECT_EQ(list[3], "<DirectX classname=\"TDirectX\">");
  EXPECT_EQ(list[5], "<ASPI32 classname=\"TASPI32\">");
  EXPECT_EQ(list.Count(), 7u);
}

TEST(TEngines, AutomationVersionsInProcessOnly) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, sim::SimComClass>> classes;
    long initializeResult;
    const char* dao;
    const char* ado;
  } cases[] = {
      {"none registered", {}, 0, "", ""},
      {"DAO 3.5 when 3.6 is missing, ADO",
       {{"DAO.DBEngine.35", {"3.5", true, false}}, {"DAO.DBEngine", {"3.0", true, false}},
        {"ADODB.Connection", {"2.81", true, false}}},
       0, "3.5", "2.81"},
      {"a local server is not started", {{"DAO.DBEngine.36", {"3.6", false, false}}}, 0, "", ""},
      {"its running instance is asked", {{"DAO.DBEngine.36", {"3.6", false, true}}}, 0, "3.6", ""},
      {"a version that cannot be read", {{"adodb.connection", {std::nullopt, true, false}}}, 0, "", ""},
      {"COM already set up another way", {{"adodb.connection", {"6.0 & up", true, false}}},
       static_cast<long>(static_cast<std::int32_t>(0x80010106u)), "", "6.0 & up"},
  };
  for (const auto& c : cases) {
    auto m = test::WinXPSP3();
    for (const auto& [progId, cls] : c.classes) m.com.classes[progId] = cls;
    m.com.initializeResult = c.initializeResult;
    test::TestMachine running(m);
    TEngines engines;
    engines.GetInfo();
    EXPECT_EQ(engines.DAO(), c.dao) << c.name;
    EXPECT_EQ(engines.ADO(), c.ado) << c.name;
    const sim::SimCom& com = running.Data().com;
    EXPECT_EQ(com.liveObjects, 0) << c.name;
    EXPECT_EQ(com.releasedAfterUninitialize, 0) << c.name;
    EXPECT_TRUE(com.serversStarted.empty()) << c.name;
    EXPECT_EQ(com.uninitializations, c.initializeResult == 0 ? com.initializations : 0) << c.name;
    EXPECT_GT(com.initializations, 0) << c.name;
  }
}

TEST(TEngines, TextsFromObjectsAreEscapedAndEveryGatheringReplacesThem) {
  auto m = test::WinXPSP3();
  m.com.classes["adodb.connection"] = {"2.8 <\"beta\">", true, false};
  test::TestMachine running(m);
  TEngines engines;
  engines.GetInfo();
  TReportList list(1252);
  engines.Report(list, false);
  EXPECT_EQ(list[1], "<data name=\"ADO\" type=\"string\">2.8 &lt;&quot;beta&quot;&gt;</data>");
  running.Data().com.classes.clear();  // ADO removed
  engines.GetInfo();
  EXPECT_EQ(engines.ADO(), "");
}

}  // namespace
}  // namespace nsx
