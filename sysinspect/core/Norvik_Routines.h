// Shared routines: the Windows release identified once at start, names,
// directories, special folders, environment, version resources and the
// registry reader that renders any value as text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "../platform/Platform.h"
#include "Runtime.h"

namespace nsx {

using TStringList = std::vector<std::string>;

enum TOSKind {
  osUnknown = 0,
  osNT3 = 1,
  osWin95 = 2,
  osNT4 = 3,
  osWin95OSR1 = 4,
  osWin95OSR2 = 5,
  osWin95OSR25 = 6,
  osWin98 = 7,
  osWin98SE = 8,
  osWinME = 9,
  osWin2000 = 10,
  osWinXP = 11,
  osWin2003 = 12,
  // The NT releases after Server 2003, workstation and server alike.
  osWinVista = 13,  // 6.0: Vista, Server 2008
  osWin7 = 14,      // 6.1: 7, Server 2008 R2
  osWin8 = 15,      // 6.2: 8, Server 2012
  osWin81 = 16,     // 6.3: 8.1, Server 2012 R2
  osWin10 = 17,     // 10.0: 10 and 11, Server 2016 to 2025
};

// The identification of the running release, fixed for the process.
struct TOSIdentification {
  TOSKind OSKind = osUnknown;
  bool IsNT = false, IsNT4 = false, IsNT5 = false, IsOSR2 = false, Is98SE = false, Is2000 = false,
       IsXP = false;
  std::uint32_t OSPlatformId = 0;
  std::uint32_t OSMajorVersion = 0, OSMinorVersion = 0, OSBuildNumber = 0;
  std::string OSCSD;
  std::string OSFamilyName;
  std::string OSDisplayName;
  std::string ClassKey;
  std::string MachineName;
};

// The version query and the NT 4 hot-fix check: kind, CSD and numbers.
struct TOSVersion {
  TOSKind kind = osUnknown;
  std::uint32_t platformId = 0, major = 0, minor = 0, build = 0;
  std::string csd;
  std::uint8_t productType = 0;  // of the extended query: 1 workstation, 2 domain controller, 3 server
};
TOSVersion IdentifyOS(const platform::VersionInfo& version, platform::RegistryApi& registry);

// Derives the flags, names and class key of a release (the machine name is
// left to the caller).
TOSIdentification DescribeOS(const TOSVersion& version);

// The values identified at start of the running machine.
const TOSIdentification& OSInfo();

std::string GetMachineName();
std::string GetCurrentUserName();
std::string GetWinDir();
std::string GetSysDir();
std::string GetTempDir();
std::string GetSpecialFolder(std::uintptr_t window, int csidl);
void GetEnvironment(TStringList& list);

struct TVersionInfo {
  std::string FileName;
  std::string Version;
  std::string ProductName;
  std::string CompanyName;
  std::string Description;
  std::string Comments;
  std::string Copyright;
  std::uint32_t Major = 0, Minor = 0, Release = 0, Build = 0;
};
bool GetFileVerInfo(const std::string& fileName, TVersionInfo& info);
std::string GetFileVersion(const std::string& fileName);
std::string GetFileCopyright(const std::string& fileName);

std::string ReadRegistryValueAsText(platform::RegRoot root, const std::string& keyPath,
                                    const std::string& valueName, bool binaryAsText);
// The same rendering for a value of a key the caller holds open (empty when
// the key is not open or the value is absent).
std::string ReadValueAsText(const platform::RegKey& key, const std::string& valueName, bool binaryAsText);

// The installed network components of a class (NetTrans, NetService,
// NetClient): the list is cleared, then gets the value `valueName` of each
// component key, each text once (compared without regard to case). On the
// NT family `root` holds class keys told apart by their "Class" value; on
// the 9x family the class's key is `root`\`className`. Read-only.
void GetClassDevices(const std::string& root, const std::string& className, const std::string& valueName,
                     TStringList& list);
// A string value of a key opened for reading; empty when the key does not
// open or the value is missing or no string.
std::string ReadRegistryString(platform::RegRoot root, const std::string& keyPath, const std::string& valueName);

// Leading and trailing blanks and control characters removed (the
// framework's Trim).
std::string Trim(const std::string& text);
bool IsBlank(const std::string& text);

// ASCII upper case, as the framework's UpperCase.
std::string UpperCase(std::string text);

}  // namespace nsx
