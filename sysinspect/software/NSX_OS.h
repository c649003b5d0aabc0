// TOperatingSystem: the running Windows (platform, version, service pack,
// registration data, product identifiers, environment, well-known folders),
// owning the time-zone, NT, internet and locale objects it gathers and
// reports with itself. TNTSpecific: product type, installed suites and
// service-pack numbers on the NT family.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "../core/NSX_Common.h"
#include "../core/Norvik_Routines.h"
#include "../platform/WinTypes.h"
#include "NSX_Internet.h"
#include "NSX_Locale.h"
#include "NSX_TimeZone.h"

namespace nsx {

enum TOSPlatform { opWin31 = 0, opWin9x = 1, opWinNT = 2 };

enum TNtProductType { ptUnknown = 0, ptWorkStation = 1, ptServer = 2, ptAdvancedServer = 3, ptDataCenter = 4, ptWeb = 5 };

enum TNTSuite {
  suSmallBusiness = 0,
  suEnterprise = 1,
  suBackOffice = 2,
  suCommunications = 3,
  suTerminal = 4,
  suSmallBusinessRestricted = 5,
  suEmbeddedNT = 6,
  suDataCenter = 7,
  suSingleUserTS = 8,
  suPersonal = 9,
  suBlade = 10,
  suEmbeddedRestricted = 11,
};
// Bit n set: suite n installed (the bits of the system's suite mask).
using TNTSuites = std::uint16_t;
inline bool HasSuite(TNTSuites suites, TNTSuite suite) { return (suites >> suite) & 1u; }

// What the extended version query tells of the product.
struct TNTProduct {
  TNtProductType ProductType = ptUnknown;
  TNTSuites InstalledSuites = 0;
};
// Product type and suites from wProductType and wSuiteMask, starting from
// `product`: the enterprise, datacenter and blade bits override the product
// type in bit order, so the highest of them wins.
TNTProduct ProductFromVersionQuery(const platform::VersionInfo& version, TNTProduct product);
// "WinNT", "ServerNT", "LanmanNT" of ProductOptions; ptUnknown otherwise.
TNtProductType ProductTypeFromOptions(const std::string& productType);
// The edition's name for a release, product type and suites.
std::string ProductTypeName(TOSKind kind, TNtProductType type, TNTSuites suites);

class TNTSpecific : public TTopic {
 public:
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TNTSpecific"; }

  // By the running release (default "Unknown").
  std::string GetProductTypeStr(TNtProductType type) const;
  // Appends the eight "Name=0/1" lines of the suites the overview shows.
  void GetSuiteList(TStringList& list) const;

  TNtProductType ProductType() const { return product_.ProductType; }
  TNTSuites InstalledSuites() const { return product_.InstalledSuites; }
  std::uint16_t ServicePackMajorVersion() const { return servicePackMajor_; }
  std::uint16_t ServicePackMinorVersion() const { return servicePackMinor_; }

 private:
  TNTProduct product_;
  std::uint16_t servicePackMajor_ = 0;
  std::uint16_t servicePackMinor_ = 0;
};

// A well-known folder: the line's name and its CSIDL.
struct TShellFolder {
  const char* Name;
  int CSIDL;
};
// The shell folders listed, in order.
const TShellFolder* ShellFolders(size_t* count);
// The folder holding the desktop folder: the path before its last
// backslash (at most 255 characters), or the whole path without one.
std::string ProfileFolder(const std::string& desktopPath);

class TOperatingSystem : public TTopic {
 public:
  TOperatingSystem();
  ~TOperatingSystem() override;
  TOperatingSystem(const TOperatingSystem&) = delete;
  TOperatingSystem& operator=(const TOperatingSystem&) = delete;

  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TOperatingSystem"; }

  TExceptionMode ExceptionMode() const { return exceptionMode_; }
  void SetExceptionMode(TExceptionMode mode) { exceptionMode_ = mode; }

  std::uint32_t MajorVersion() const { return majorVersion_; }
  std::uint32_t MinorVersion() const { return minorVersion_; }
  std::uint32_t BuildNumber() const { return buildNumber_; }
  TOSPlatform Platform() const { return platform_; }
  const std::string& Version() const { return version_; }
  const std::string& CSD() const { return csd_; }
  const std::string& CSDEx() const { return csdEx_; }
  const std::string& ProductID() const { return productId_; }
  const std::string& ProductKey() const { return productKey_; }
  const std::string& RegisteredUser() const { return registeredUser_; }
  const std::string& RegisteredOrg() const { return registeredOrg_; }
  const std::string& DVDRegion() const { return dvdRegion_; }
  const std::string& LanguageID() const { return languageId_; }
  const TStringList& Environment() const { return *environment_; }
  const TStringList& Folders() const { return *folders_; }
  TTimeZone& TimeZone() { return *timeZone_; }
  TNTSpecific& NTSpecific() { return *ntSpecific_; }
  TInternet& Internet() { return *internet_; }
  TLocaleInfo& LocaleInfo() { return *localeInfo_; }

 private:
  void ReadCurrentVersionKey();
  void AddSystemFolders();

  TExceptionMode exceptionMode_ = emMessage;
  std::uint32_t majorVersion_ = 0, minorVersion_ = 0, buildNumber_ = 0;
  TOSPlatform platform_ = opWin31;
  std::string version_, csd_, csdEx_, productId_, productKey_, registeredUser_, registeredOrg_, dvdRegion_,
      languageId_;
  std::unique_ptr<TStringList> environment_;
  std::unique_ptr<TStringList> folders_;
  std::unique_ptr<TTimeZone> timeZone_;
  std::unique_ptr<TNTSpecific> ntSpecific_;
  std::unique_ptr<TInternet> internet_;
  std::unique_ptr<TLocaleInfo> localeInfo_;
};

}  // namespace nsx
