// The printers topic on simulated spoolers, and the installed software of a
// real XP machine's uninstall table.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TestMachine.h"
#include "platform/sim/RegFile.h"
#include "software/NSX_Printers.h"
#include "software/NSX_Software.h"

namespace nsx {
namespace {

const char kPrintersKey[] = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers\\";

sim::SimMachine WithPrinters(sim::SimMachine m, std::vector<sim::SimPrinter> printers, const std::string& device) {
  m.spooler.printers = std::move(printers);
  if (!device.empty()) m.shellFiles.iniFiles[m.windowsDir + "\\WIN.INI"] = sim::ParseSimIniFile("[windows]\ndevice=" + device);
  return m;
}

struct PrinterCase {
  const char* name;
  sim::SimMachine machine;
  std::vector<std::string> names, ports;
  std::int32_t defaultIndex;
};

TEST(TPrinters, NamesPortsAndTheDefault) {
  const std::string longPorts = [] {
    std::string ports;
    for (int i = 1; i <= 40; ++i) ports += (i > 1 ? "," : "") + std::string("IP_192.168.10.") + std::to_string(i);
    return ports;
  }();
  const std::string longName = std::string(300, 'P') + " Laser";
  sim::SimMachine nt = test::WinXPSP3();
  nt.registry.SetString(std::string(kPrintersKey) + "HP LaserJet 4", "Port", "LPT1:");
  nt.registry.SetString(std::string(kPrintersKey) + "Empty Port", "Port", "");
  const sim::SimPrinter local{{"HP LaserJet 4", "HP LaserJet 4", "spooler port"}};
  const sim::SimPrinter connection{{"\\\\server\\Laser", "HP LaserJet 5", "\\\\server\\Laser"}, true};
  const PrinterCase cases[] = {
      {"default in other case, connection port from the spooler",
       WithPrinters(nt, {local, connection}, "hp laserjet 4,winspool,LPT1:"),
       {"HP LaserJet 4", "\\\\server\\Laser"}, {"LPT1:", "\\\\server\\Laser"}, 0},
      {"a connection as default", WithPrinters(nt, {local, connection}, "\\\\SERVER\\laser,winspool,Ne01:"),
       {"HP LaserJet 4", "\\\\server\\Laser"}, {"LPT1:", "\\\\server\\Laser"}, 1},
      {"no default entry: no default, not the last printer", WithPrinters(nt, {local, connection}, ""),
       {"HP LaserJet 4", "\\\\server\\Laser"}, {"LPT1:", "\\\\server\\Laser"}, -1},
      {"a default that is not installed", WithPrinters(nt, {local}, "Gone Printer,winspool,LPT2:"),
       {"HP LaserJet 4"}, {"LPT1:"}, -1},
      {"an empty registry port leaves the spooler's",
       WithPrinters(nt, {{{"Empty Port", "Generic", "FILE:"}}}, "Empty Port"), {"Empty Port"}, {"FILE:"}, 0},
      {"long names and port lists are not cut", WithPrinters(nt, {{{longName, "PS", longPorts}}}, longName + ",winspool"),
       {longName}, {longPorts}, 0},
      {"9x: connections are not asked for, ports from the spooler",
       WithPrinters(test::Win98SE(), {local, connection, {{"Net", "PS", "\\\\srv\\ps"}}}, "Net,PSCRIPT,\\\\srv\\ps"),
       {"HP LaserJet 4", "Net"}, {"spooler port", "\\\\srv\\ps"}, 1},
      {"letters of the code page compare without case",
       WithPrinters(nt, {{{"Caf\xE9 \xC0 la carte", "PS", "FILE:"}}}, "CAF\xC9 \xE0 LA CARTE,winspool"),
       {"Caf\xE9 \xC0 la carte"}, {"FILE:"}, 0},
      {"no printers", WithPrinters(nt, {}, "HP LaserJet 4,winspool,LPT1:"), {}, {}, -1},
  };
  for (const auto& c : cases) {
    test::TestMachine machine(c.machine);
    TPrinters printers;
    printers.GetInfo();
    EXPECT_EQ(printers.Names(), c.names) << c.name;
    EXPECT_EQ(printers.Ports(), c.ports) << c.name;
    EXPECT_EQ(printers.DefaultIndex(), c.defaultIndex) << c.name;
    EXPECT_EQ(printers.Drivers().size(), c.names.size()) << c.name;
  }
}

TEST(TPrinters, ReportMarksTheDefaultAndEscapes) {
  test::TestMachine machine(WithPrinters(test::WinXPSP3(),
                                         {{{"Tom & Jerry", "PS", "FILE:"}}, {{"\\\\srv\\<hp>", "HP", "\\\\srv\\<hp>"}, true}},
                                         "TOM & JERRY,winspool,FILE:"));
  TPrinters printers;
  printers.GetInfo();
  TReportList list(1252);
  printers.Report(list, false);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{
                              "<Printers classname=\"TPrinters\">",
                              "<data name=\"Count\" type=\"integer\">2</data>",
                              "<data name=\"Tom &amp; Jerry (Default)\" type=\"string\">FILE:</data>",
                              "<data name=\"\\\\srv\\&lt;hp&gt;\" type=\"string\">\\\\srv\\&lt;hp&gt;</data>",
                              "</Printers>",
                          }));
  EXPECT_EQ(PrinterKeyName("\\\\srv\\<hp>"), ",,srv,<hp>");
}

TEST(TPrinters, AFailingSpoolerGivesCountZero) {
  auto m = WithPrinters(test::WinXPSP3(), {{{"HP", "HP", "LPT1:"}}}, "HP,winspool,LPT1:");
  m.spooler.fails = true;
  test::TestMachine machine(m);
  TPrinters printers;
  printers.GetInfo();
  EXPECT_TRUE(printers.Names().empty());
  EXPECT_EQ(printers.DefaultIndex(), -1);
  TReportList list(1252);
  printers.Report(list, true);
  EXPECT_EQ(list[3], "<data name=\"Count\" type=\"integer\">0</data>");
}

TEST(TSoftware, RealXPUninstallTable) {
  std::ifstream in(std::string(SYSINSPECT_SHARED_DATA) + "/registry/xp-Uninstall.reg", std::ios::binary);
  ASSERT_TRUE(in);
  std::stringstream bytes;
  bytes << in.rdbuf();
  auto m = test::WinXPSP3();
  sim::LoadRegFile(bytes.str(), 1252, "xp-Uninstall.reg", m.registry);
  test::TestMachine machine(m);
  TSoftware software;
  software.GetInfo();
  const auto& products = software.Products();
  const auto& uninstall = software.UninstallStrings();
  // 534 subkeys, 419 with a display name, in the order of their key names.
  ASSERT_EQ(products.size(), 419u);
  ASSERT_EQ(uninstall.size(), 419u);
  EXPECT_EQ((std::vector<std::string>(products.begin(), products.begin() + 4)),
            (std::vector<std::string>{"Adobe Shockwave Player 11", "CCleaner (remove only)", "FF&TB 1.5 + Plugins1",
                                      "FusionInventory Agent"}));
  EXPECT_EQ(products.back(), "User Profile Hive Cleanup Service");
  EXPECT_EQ(uninstall[1], "\"C:\\Program Files\\CCleaner\\uninst.exe\"");
  // Two entries of the same name, the second with an expandable string as stored.
  EXPECT_EQ(products[269], "Microsoft .NET Framework 1.1");
  EXPECT_EQ(uninstall[269], "msiexec.exe /X {CB2F7EDD-9D1F-43C1-90FC-4F52EAE172A1}");
  EXPECT_EQ(products[406], "Microsoft .NET Framework 1.1");
  EXPECT_EQ(uninstall[406], "MsiExec.exe /X{CB2F7EDD-9D1F-43C1-90FC-4F52EAE172A1}");
  EXPECT_EQ(uninstall[284], "C:\\windows\\Installer\\{F72C6003-60EF-448D-AC89-0B69C97678DC}\\setup.exe /X");
  auto kb = std::find(products.begin(), products.end(), "Security Update for Windows Media Player (KB911564)");
  ASSERT_NE(kb, products.end());
  EXPECT_EQ(uninstall[kb - products.begin()], "");  // no uninstall command

  TReportList list(1252);
  software.Report(list, false);
  ASSERT_EQ(list.Count(), 421u);  // no count line
  EXPECT_EQ(list[0], "<Software classname=\"TSoftware\">");
  EXPECT_EQ(list[3], "<data name=\"FF&amp;TB 1.5 + Plugins1\" type=\"string\">C:\\DOCUME~1\\ALLUSE~1\\APPLIC~1\\Symantec\\"
                     "Ghost\\AUTOIN~1\\INSTAL~1\\~0000.exe cfg=&quot;C:\\DOCUME~1\\ALLUSE~1\\APPLIC~1\\Symantec\\Ghost\\"
                     "AUTOIN~1\\INSTAL~1\\{54650~1\\UNINST~1.CFG&quot; /all</data>");
}

TEST(TSoftware, OddValueTypesAreShownAsTextAndAMissingTableIsEmpty) {
  auto m = test::WinXPSP3();
  const std::string table = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  m.registry.SetBinary(table + "A", "DisplayName", {'B', 'i', 'n', 0});
  m.registry.SetDword(table + "A", "UninstallString", 7);
  m.registry.SetString(table + "B", "DisplayName", "Plain");
  m.registry.SetString(table + "C", "Comments", "no display name");
  test::TestMachine machine(m);
  TSoftware software;
  software.GetInfo();
  EXPECT_EQ(software.Products(), (TStringList{"Bin", "Plain"}));
  EXPECT_EQ(software.UninstallStrings(), (TStringList{"7", ""}));
  machine.Data().registry = sim::SimRegistry();
  software.GetInfo();
  EXPECT_TRUE(software.Products().empty());
  TReportList list(1252);
  software.Report(list, false);
  EXPECT_EQ(list.Count(), 2u);
}

}  // namespace
}  // namespace nsx
