// TNTSpecific: product type, suites and service-pack numbers.
#include "NSX_OS.h"

namespace nsx {
namespace {

using platform::RegKey;
using platform::RegRoot;

// wProductType of the extended version query.
struct ProductTypeRow {
  std::uint8_t versionProductType;
  TNtProductType type;
};
const ProductTypeRow kVersionProductTypes[] = {
    // wProductType            product type
    {1, ptWorkStation},     // workstation
    {2, ptAdvancedServer},  // domain controller
    {3, ptServer},          // server
};

// Suites that make the product type, applied in bit order.
struct SuiteProductRow {
  TNTSuite suite;
  TNtProductType type;
};
const SuiteProductRow kSuiteProductTypes[] = {
    // suite          product type
    {suEnterprise, ptAdvancedServer},
    {suDataCenter, ptDataCenter},
    {suBlade, ptWeb},
};

// ProductOptions' "ProductType".
struct ProductOptionRow {
  const char* value;
  TNtProductType type;
};
const ProductOptionRow kProductOptions[] = {
    // value       product type
    {"WinNT", ptWorkStation},
    {"ServerNT", ptServer},
    {"LanmanNT", ptAdvancedServer},
};

// Edition names by release; columns by product type (ptUnknown: "Unknown").
struct EditionRow {
  TOSKind kind;
  const char* names[5];  // workstation, server, advanced server, datacenter, web
};
const EditionRow kEditions[] = {
    // kind      workstation     server              advanced server       datacenter             web
    {osNT3, {"Workstation", "Server", "Enterprise Server", "Unknown", "Unknown"}},
    {osNT4, {"Workstation", "Server", "Enterprise Server", "Unknown", "Unknown"}},
    {osWin2000, {"Professional", "Server", "Advanced Server", "Datacenter Server", "Unknown"}},
    {osWin2003, {"Unknown", "Standard Edition", "Enterprise Edition", "Datacenter Edition", "Web Edition"}},
    // The releases after 2003 name their editions elsewhere; the kind of
    // system is what the product type tells.
    {osWinVista, {"Workstation", "Server", "Enterprise Server", "Datacenter Server", "Web Server"}},
    {osWin7, {"Workstation", "Server", "Enterprise Server", "Datacenter Server", "Web Server"}},
    {osWin8, {"Workstation", "Server", "Enterprise Server", "Datacenter Server", "Web Server"}},
    {osWin81, {"Workstation", "Server", "Enterprise Server", "Datacenter Server", "Web Server"}},
    {osWin10, {"Workstation", "Server", "Enterprise Server", "Datacenter Server", "Web Server"}},
};

// The suites of the report and of the overview's list, by bit.
struct SuiteNameRow {
  TNTSuite suite;
  const char* reportName;
  const char* listName;
};
const SuiteNameRow kSuiteNames[] = {
    // suite                     report name                                          list name
    {suSmallBusiness, "MSSmallBusinessServer", "Microsoft Small Business Server"},
    {suEnterprise, "Windows2000AdvancedServer", "Windows 2000 Advanced Server"},
    {suBackOffice, "MSBackOfficeComponents", "Microsoft BackOffice Components"},
    {suCommunications, "Communications", "Communications"},
    {suTerminal, "TerminalServices", "Terminal Services"},
    {suSmallBusinessRestricted, "MSSmallBusinessServerWithRestrictiveClientLicenseInForce",
     "Microsoft Small Business Server with the restrictive client license in force"},
    {suEmbeddedNT, "EmbeddedNT", "Embedded NT"},
    {suDataCenter, "Windows2000DatacenterServer", "Windows 2000 Datacenter Server"},
};
// The overview's list names the restricted Small Business Server before
// Terminal Services.
const TNTSuite kSuiteListOrder[] = {suSmallBusiness, suEnterprise,    suBackOffice, suCommunications,
                                    suSmallBusinessRestricted, suTerminal, suEmbeddedNT, suDataCenter};

const SuiteNameRow& SuiteName(TNTSuite suite) {
  for (const auto& row : kSuiteNames)
    if (row.suite == suite) return row;
  return kSuiteNames[0];
}

constexpr TNTSuites kKnownSuites = 0x0FFF;  // bits 0 to 11

}  // namespace

TNTProduct ProductFromVersionQuery(const platform::VersionInfo& version, TNTProduct product) {
  for (const auto& row : kVersionProductTypes)
    if (row.versionProductType == version.productType) product.ProductType = row.type;
  product.InstalledSuites = version.suiteMask & kKnownSuites;
  for (const auto& row : kSuiteProductTypes)
    if (HasSuite(product.InstalledSuites, row.suite)) product.ProductType = row.type;
  return product;
}

TNtProductType ProductTypeFromOptions(const std::string& productType) {
  for (const auto& row : kProductOptions)
    if (productType == row.value) return row.type;
  return ptUnknown;
}

std::string ProductTypeName(TOSKind kind, TNtProductType type, TNTSuites suites) {
  if (kind == osWinXP) return HasSuite(suites, suPersonal) ? "Home Edition" : "Professional";
  if (type == ptUnknown) return "Unknown";
  for (const auto& row : kEditions)
    if (row.kind == kind) return row.names[type - ptWorkStation];
  return "Unknown";
}

void TNTSpecific::GetInfo() {
  product_ = TNTProduct();
  servicePackMajor_ = servicePackMinor_ = 0;
  platform::VersionInfo version = Sys().GetVersion();
  // The extended answer from Windows 2000 on; the releases after 2003 give it too.
  if (version.platformId == platform::kPlatformNT && version.majorVersion >= 5 && version.hasExtended) {
    product_ = ProductFromVersionQuery(version, product_);
    servicePackMajor_ = version.servicePackMajor;
    servicePackMinor_ = version.servicePackMinor;
  }
  if (product_.ProductType == ptUnknown) {
    RegKey options =
        RegKey::Open(Reg(), RegRoot::LocalMachine, "\\System\\CurrentControlSet\\Control\\ProductOptions");
    if (auto value = options.String("ProductType")) product_.ProductType = ProductTypeFromOptions(*value);
  }
}

std::string TNTSpecific::GetProductTypeStr(TNtProductType type) const {
  return ProductTypeName(OSInfo().OSKind, type, product_.InstalledSuites);
}

void TNTSpecific::GetSuiteList(TStringList& list) const {
  for (TNTSuite suite : kSuiteListOrder)
    list.push_back(std::string(SuiteName(suite).listName) + "=" +
                   (HasSuite(product_.InstalledSuites, suite) ? "1" : "0"));
}

void TNTSpecific::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "NTSpecific", ClassName());
  WriteString(list, "ProductType", GetProductTypeStr(product_.ProductType));
  for (const auto& row : kSuiteNames) WriteBoolean(list, row.reportName, HasSuite(product_.InstalledSuites, row.suite));
  WriteInteger(list, "ServicePack_MajorVersion", servicePackMajor_);
  WriteInteger(list, "ServicePack_MinorVersion", servicePackMinor_);
  WriteElementEnd(list, "NTSpecific");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
