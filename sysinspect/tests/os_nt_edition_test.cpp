// NT specifics: product type and suites from the extended version query or
// ProductOptions, the edition names per release, and the report element.
#include <gtest/gtest.h>

#include "OSTestMachines.h"
#include "software/NSX_OS.h"

namespace nsx {
namespace {

const char kProductOptions[] = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\ProductOptions";

TEST(ProductFromVersionQuery, TheHighestSuiteBitWins) {
  platform::VersionInfo v;
  v.productType = 3;  // server
  v.suiteMask = 0x0002 | 0x0080;  // enterprise and datacenter
  EXPECT_EQ(ProductFromVersionQuery(v, {}).ProductType, ptDataCenter);
  v.suiteMask = 0x0002 | 0x0400;  // enterprise and blade
  EXPECT_EQ(ProductFromVersionQuery(v, {}).ProductType, ptWeb);
  v.suiteMask = 0x0002;
  EXPECT_EQ(ProductFromVersionQuery(v, {}).ProductType, ptAdvancedServer);
  v.suiteMask = 0xF010;  // bits beyond 11 are no suites
  EXPECT_EQ(ProductFromVersionQuery(v, {}).InstalledSuites, 0x0010);
  EXPECT_EQ(ProductFromVersionQuery(v, {}).ProductType, ptServer);
  v.productType = 2;  // domain controller
  EXPECT_EQ(ProductFromVersionQuery(v, {}).ProductType, ptAdvancedServer);
  v.productType = 9;  // unknown kinds leave the type as it was
  EXPECT_EQ(ProductFromVersionQuery(v, {ptWorkStation, 0}).ProductType, ptWorkStation);
}

TEST(ProductTypeName, EditionsPerRelease) {
  struct Row {
    TOSKind kind;
    TNtProductType type;
    TNTSuites suites;
    const char* name;
  };
  const Row rows[] = {
      {osNT4, ptWorkStation, 0, "Workstation"},        {osNT4, ptAdvancedServer, 0, "Enterprise Server"},
      {osNT3, ptServer, 0, "Server"},                  {osNT4, ptDataCenter, 0, "Unknown"},
      {osWin2000, ptWorkStation, 0, "Professional"},   {osWin2000, ptDataCenter, 0, "Datacenter Server"},
      {osWin2000, ptWeb, 0, "Unknown"},                {osWinXP, ptUnknown, 0x0200, "Home Edition"},
      {osWinXP, ptServer, 0, "Professional"},          {osWinXP, ptUnknown, 0, "Professional"},
      {osWin2003, ptWorkStation, 0, "Unknown"},        {osWin2003, ptServer, 0, "Standard Edition"},
      {osWin2003, ptAdvancedServer, 0, "Enterprise Edition"}, {osWin2003, ptDataCenter, 0, "Datacenter Edition"},
      {osWin2003, ptWeb, 0, "Web Edition"},            {osWin2003, ptUnknown, 0, "Unknown"},
      {osWin98SE, ptWorkStation, 0, "Unknown"},        {osUnknown, ptServer, 0, "Unknown"},
      {osWin7, ptWorkStation, 0, "Workstation"},       {osWin10, ptAdvancedServer, 0, "Enterprise Server"},
      {osWinVista, ptUnknown, 0, "Unknown"},           {osWin81, ptWeb, 0, "Web Server"},
  };
  for (const auto& r : rows) EXPECT_EQ(ProductTypeName(r.kind, r.type, r.suites), r.name) << r.kind << "/" << r.type;
}

TEST(TNTSpecific, NT4TakesTheProductTypeFromProductOptions) {
  for (auto [value, type, name] : std::vector<std::tuple<const char*, TNtProductType, const char*>>{
           {"WinNT", ptWorkStation, "Workstation"},
           {"ServerNT", ptServer, "Server"},
           {"LanmanNT", ptAdvancedServer, "Enterprise Server"},
           {"winnt", ptUnknown, "Unknown"}}) {
    sim::SimMachine m = test::NT4("Service Pack 6");
    m.version.servicePackMajor = 6;  // not asked on NT 4
    m.version.suiteMask = 0x0010;
    m.registry.SetString(kProductOptions, "ProductType", value);
    test::TestMachine machine(m);
    TNTSpecific nt;
    nt.GetInfo();
    EXPECT_EQ(nt.ProductType(), type) << value;
    EXPECT_EQ(nt.GetProductTypeStr(nt.ProductType()), name) << value;
    EXPECT_EQ(nt.InstalledSuites(), 0) << value;
    EXPECT_EQ(nt.ServicePackMajorVersion(), 0) << value;
  }
}

TEST(TNTSpecific, Windows2000ServerWithSuites) {
  sim::SimMachine m = test::Win2000Server(0x0002 | 0x0080 | 0x0010);  // enterprise, datacenter, terminal
  m.registry.SetString(kProductOptions, "ProductType", "WinNT");     // not read: the query answered
  test::TestMachine machine(m);
  TNTSpecific nt;
  nt.GetInfo();
  EXPECT_EQ(nt.ProductType(), ptDataCenter);
  EXPECT_EQ(nt.GetProductTypeStr(nt.ProductType()), "Datacenter Server");
  EXPECT_EQ(nt.ServicePackMajorVersion(), 4);
  TStringList suites;
  nt.GetSuiteList(suites);
  EXPECT_EQ(suites, (TStringList{"Microsoft Small Business Server=0", "Windows 2000 Advanced Server=1",
                                 "Microsoft BackOffice Components=0", "Communications=0",
                                 "Microsoft Small Business Server with the restrictive client license in force=0",
                                 "Terminal Services=1", "Embedded NT=0", "Windows 2000 Datacenter Server=1"}));
  TReportList list;
  nt.Report(list, false);
  EXPECT_EQ(test::ElementLines(list, "NTSpecific"),
            (std::vector<std::string>{
                "<NTSpecific classname=\"TNTSpecific\">",
                "<data name=\"ProductType\" type=\"string\">Datacenter Server</data>",
                "<data name=\"MSSmallBusinessServer\" type=\"boolean\">0</data>",
                "<data name=\"Windows2000AdvancedServer\" type=\"boolean\">1</data>",
                "<data name=\"MSBackOfficeComponents\" type=\"boolean\">0</data>",
                "<data name=\"Communications\" type=\"boolean\">0</data>",
                "<data name=\"TerminalServices\" type=\"boolean\">1</data>",
                "<data name=\"MSSmallBusinessServerWithRestrictiveClientLicenseInForce\" type=\"boolean\">0</data>",
                "<data name=\"EmbeddedNT\" type=\"boolean\">0</data>",
                "<data name=\"Windows2000DatacenterServer\" type=\"boolean\">1</data>",
                "<data name=\"ServicePack_MajorVersion\" type=\"integer\">4</data>",
                "<data name=\"ServicePack_MinorVersion\" type=\"integer\">0</data>",
                "</NTSpecific>"}));
}

TEST(TNTSpecific, XPHomeAndProfessional) {
  {
    test::TestMachine machine(test::WinXP(0x0200 | 0x0100));  // personal, single-user terminal services
    TNTSpecific nt;
    nt.GetInfo();
    EXPECT_EQ(nt.GetProductTypeStr(nt.ProductType()), "Home Edition");
    EXPECT_TRUE(HasSuite(nt.InstalledSuites(), suPersonal));
  }
  {
    test::TestMachine machine(test::WinXP(0x0100));
    TNTSpecific nt;
    nt.GetInfo();
    EXPECT_EQ(nt.ProductType(), ptWorkStation);
    EXPECT_EQ(nt.GetProductTypeStr(nt.ProductType()), "Professional");
    EXPECT_EQ(nt.ServicePackMajorVersion(), 2);
  }
}

TEST(TNTSpecific, Server2003Editions) {
  struct Row {
    std::uint16_t suites;
    std::uint8_t productType;
    const char* name;
  };
  const Row rows[] = {{0x0000, 3, "Standard Edition"},
                      {0x0002, 3, "Enterprise Edition"},
                      {0x0082, 3, "Datacenter Edition"},
                      {0x0400, 3, "Web Edition"},
                      {0x0000, 2, "Enterprise Edition"}};
  for (const auto& r : rows) {
    test::TestMachine machine(test::Win2003(r.suites, r.productType));
    TNTSpecific nt;
    nt.GetInfo();
    EXPECT_EQ(nt.GetProductTypeStr(nt.ProductType()), r.name) << r.suites;
  }
}

TEST(TNTSpecific, ReleasesAfter2003AnswerTheExtendedQuery) {
  sim::SimMachine m = test::detail::NTMachine(6, 1, 7601, "Service Pack 1", true, 0x0100, 1);
  m.version.servicePackMajor = 1;
  test::TestMachine machine(m);
  TNTSpecific nt;
  nt.GetInfo();
  EXPECT_EQ(nt.ProductType(), ptWorkStation);
  EXPECT_EQ(nt.GetProductTypeStr(nt.ProductType()), "Workstation");
  EXPECT_EQ(nt.ServicePackMajorVersion(), 1);
  EXPECT_EQ(nt.InstalledSuites(), 0x0100);
}

TEST(TNTSpecific, WithoutTheExtendedQueryOrWithoutProductOptions) {
  sim::SimMachine m = test::Win2000Server(0x0002);
  m.version.hasExtended = false;
  m.registry.SetString(kProductOptions, "ProductType", "ServerNT");
  {
    test::TestMachine machine(m);
    TNTSpecific nt;
    nt.GetInfo();
    EXPECT_EQ(nt.ProductType(), ptServer);
    EXPECT_EQ(nt.InstalledSuites(), 0);
    EXPECT_EQ(nt.ServicePackMajorVersion(), 0);
  }
  sim::SimMachine bare = test::NT4("Service Pack 3");
  test::TestMachine machine(bare);
  TNTSpecific nt;
  nt.GetInfo();
  EXPECT_EQ(nt.ProductType(), ptUnknown);
  EXPECT_EQ(nt.GetProductTypeStr(nt.ProductType()), "Unknown");
  EXPECT_EQ(machine.Platform().RegistryApi().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace nsx
