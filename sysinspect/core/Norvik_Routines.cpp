#include "Norvik_Routines.h"

#include <cctype>

#include "RegistryText.h"
#include "VersionResource.h"

namespace nsx {
namespace {

using platform::RegKey;
using platform::RegRoot;

// Names of each release: kind, family name, display name (before the CSD),
// whether the CSD follows the display name.
struct OSNameRow {
  TOSKind kind;
  const char* familyName;
  const char* displayName;
  bool withCSD;
};
const OSNameRow kOSNames[] = {
    // kind          family name                   display name                  + CSD
    {osUnknown, "", "", false},
    {osNT3, "Windows NT", "Windows NT 3.x ", true},
    {osWin95, "Windows 95", "Windows 95", false},
    {osNT4, "Windows NT", "Windows NT 4.x ", true},
    {osWin95OSR1, "Windows 95", "Windows 95 OSR 1", false},
    {osWin95OSR2, "Windows 95", "Windows 95 OSR 2", false},
    {osWin95OSR25, "Windows 95", "Windows 95 OSR 2.5", false},
    {osWin98, "Windows 98", "Windows 98", false},
    {osWin98SE, "Windows 98", "Windows 98 Second Edition", false},
    {osWinME, "Windows Millenium Edition", "Windows Millenium Edition", false},
    {osWin2000, "Windows 2000", "Windows 2000 ", true},
    {osWinXP, "Windows XP", "Windows XP ", true},
    {osWin2003, "Windows .NET", "Windows Server 2003 ", true},
};

const OSNameRow& NameRow(TOSKind kind) {
  for (const auto& row : kOSNames)
    if (row.kind == kind) return row;
  return kOSNames[0];
}

// The NT releases after Server 2003: the kind by version number, the name by
// product type (workstation or server) and by the first build that carries
// it. The name is the family name; the display name adds the CSD after a
// blank when there is one.
struct LaterReleaseRow {
  TOSKind kind;
  std::uint32_t major, minor;
  bool server;
  std::uint32_t fromBuild;
  const char* name;
};
const LaterReleaseRow kLaterReleases[] = {
    // kind     major minor server from build  name
    {osWinVista, 6, 0, false, 0, "Windows Vista"},
    {osWinVista, 6, 0, true, 0, "Windows Server 2008"},
    {osWin7, 6, 1, false, 0, "Windows 7"},
    {osWin7, 6, 1, true, 0, "Windows Server 2008 R2"},
    {osWin8, 6, 2, false, 0, "Windows 8"},
    {osWin8, 6, 2, true, 0, "Windows Server 2012"},
    {osWin81, 6, 3, false, 0, "Windows 8.1"},
    {osWin81, 6, 3, true, 0, "Windows Server 2012 R2"},
    {osWin10, 10, 0, false, 0, "Windows 10"},
    {osWin10, 10, 0, false, 22000, "Windows 11"},
    {osWin10, 10, 0, true, 0, "Windows Server 2016"},
    {osWin10, 10, 0, true, 17763, "Windows Server 2019"},
    {osWin10, 10, 0, true, 20348, "Windows Server 2022"},
    {osWin10, 10, 0, true, 26100, "Windows Server 2025"},
};

TOSKind LaterReleaseKind(std::uint32_t major, std::uint32_t minor) {
  for (const auto& row : kLaterReleases)
    if (row.major == major && row.minor == minor) return row.kind;
  return osUnknown;
}

bool IsLaterRelease(TOSKind kind) { return kind >= osWinVista && kind <= osWin10; }

// The version query's product type 1 is a workstation; 2 (domain controller)
// and 3 are servers. Without the extended answer it counts as a workstation.
const char* LaterReleaseName(TOSKind kind, std::uint8_t productType, std::uint32_t build) {
  bool server = productType == 2 || productType == 3;
  const char* name = "";
  for (const auto& row : kLaterReleases)
    if (row.kind == kind && row.server == server && build >= row.fromBuild) name = row.name;
  return name;
}

bool IsBlankChar(char c) { return static_cast<unsigned char>(c) <= ' '; }

TOSKind Win95Kind(const std::string& csd) {
  std::string trimmed = Trim(csd);
  if (trimmed == "A") return osWin95OSR1;
  if (trimmed == "B") return osWin95OSR2;
  if (trimmed == "C") return osWin95OSR25;
  return osWin95;
}

// NT 4 with "Service Pack 6" and the Q246009 fix is "Service Pack 6a".
bool HasQ246009(platform::RegistryApi& registry) {
  RegKey key = RegKey::Open(registry, RegRoot::LocalMachine,
                            "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009");
  if (!key) return false;
  auto installed = key.Dword("Installed");
  return installed && *installed == 1;
}

}  // namespace

TOSVersion IdentifyOS(const platform::VersionInfo& version, platform::RegistryApi& registry) {
  TOSVersion os;
  os.platformId = version.platformId;
  os.major = version.majorVersion;
  os.minor = version.minorVersion;
  os.build = version.buildNumber & 0xFFFFu;
  os.csd = version.csdVersion.substr(0, 128);
  os.productType = version.hasExtended ? version.productType : 0;
  if (version.platformId == platform::kPlatformNT) {
    switch (os.major) {
      case 3: os.kind = osNT3; break;
      case 4: os.kind = osNT4; break;
      case 5: os.kind = osWin2000; break;
      default: os.kind = LaterReleaseKind(os.major, os.minor); break;
    }
    if (os.major == 5 && os.minor == 1) os.kind = osWinXP;
    if (os.major == 5 && os.minor == 2) os.kind = osWin2003;
    if (os.csd == "Service Pack 6" && HasQ246009(registry)) os.csd = "Service Pack 6a";
  } else if (os.major == 4 && os.minor == 0) {
    os.kind = Win95Kind(os.csd);
  } else if (os.major == 4 && os.minor == 10) {
    os.kind = os.build == 2222 ? osWin98SE : osWin98;
  } else if (os.major == 4 && os.minor == 90) {
    os.kind = osWinME;
  }
  return os;
}

TOSIdentification DescribeOS(const TOSVersion& version) {
  TOSIdentification id;
  id.OSKind = version.kind;
  id.OSPlatformId = version.platformId;
  id.OSMajorVersion = version.major;
  id.OSMinorVersion = version.minor;
  id.OSBuildNumber = version.build;
  id.OSCSD = version.csd;
  TOSKind k = version.kind;
  // Every release of the NT platform is of the NT family, the ones after the
  // table too: the NT paths hold there, not the 9x ones.
  id.IsNT = k == osNT3 || k == osNT4 || k == osWin2000 || k == osWinXP || k == osWin2003 || IsLaterRelease(k) ||
            (k == osUnknown && version.platformId == platform::kPlatformNT);
  id.IsNT4 = k == osNT4;
  id.IsNT5 = k == osWin2000 || k == osWinXP || k == osWin2003;
  id.IsOSR2 = k == osWin95OSR2;
  id.Is98SE = k == osWin98SE;
  id.Is2000 = k == osWin2000;
  id.IsXP = k == osWinXP;
  if (IsLaterRelease(k)) {
    id.OSFamilyName = LaterReleaseName(k, version.productType, version.build);
    id.OSDisplayName = id.OSFamilyName + (version.csd.empty() ? std::string() : " " + version.csd);
  } else {
    const OSNameRow& row = NameRow(k);
    id.OSFamilyName = row.familyName;
    id.OSDisplayName = std::string(row.displayName) + (row.withCSD ? version.csd : std::string());
  }
  id.ClassKey = id.IsNT ? "SYSTEM\\CurrentControlSet\\Control\\Class" : "SYSTEM\\CurrentControlSet\\Services\\Class";
  return id;
}

std::string GetMachineName() {
  std::string name = Sys().ComputerName().value_or("");
  RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine,
                            "\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName");
  if (auto value = key.String("ComputerName")) name = *value;
  return name;
}

std::string GetCurrentUserName() { return Sys().UserName().value_or(""); }
std::string GetWinDir() { return Sys().WindowsDirectory(); }
std::string GetSysDir() { return Sys().SystemDirectory(); }
std::string GetTempDir() { return Sys().TempPath(); }

std::string GetSpecialFolder(std::uintptr_t /*window*/, int csidl) {
  return Sys().SpecialFolderPath(csidl).value_or("");
}

void GetEnvironment(TStringList& list) {
  list.clear();
  platform::Bytes block = Sys().GetEnvironmentBlock();
  constexpr size_t kMaxBlock = 4096;
  std::string entry;
  for (size_t i = 0; i < block.size() && i < kMaxBlock; ++i) {
    char c = static_cast<char>(block[i]);
    if (c != '\0') {
      entry += c;
      continue;
    }
    if (entry.empty()) break;  // the block's closing NUL
    list.push_back(entry);
    entry.clear();
  }
}

bool GetFileVerInfo(const std::string& fileName, TVersionInfo& info) {
  if (fileName.empty()) return false;
  info.FileName = fileName;
  auto data = Sys().FileVersionInfo(fileName);
  if (!data || data->empty()) return false;
  auto block = ParseVersionBlock(*data);
  if (!block) return true;  // the resource was read but holds nothing usable
  auto fixed = QueryFixedFileInfo(*block);
  if (!fixed) return true;
  info.Major = fixed->fileVersionMS >> 16;
  info.Minor = fixed->fileVersionMS & 0xFFFFu;
  info.Release = fixed->fileVersionLS >> 16;
  info.Build = fixed->fileVersionLS & 0xFFFFu;
  info.Version = std::to_string(info.Major) + "." + std::to_string(info.Minor) + "." +
                 std::to_string(info.Release) + "." + std::to_string(info.Build);
  auto translation = QueryFirstTranslation(*block);
  std::string table = translation ? TranslationKey(*translation) : std::string();
  auto toAnsi = [](const std::u16string& text) { return Sys().WideToAnsi(text); };
  struct Field {
    const char* name;
    std::string TVersionInfo::*field;
  };
  const Field fields[] = {
      // string name        field
      {"FileDescription", &TVersionInfo::Description},
      {"LegalCopyright", &TVersionInfo::Copyright},
      {"Comments", &TVersionInfo::Comments},
      {"ProductName", &TVersionInfo::ProductName},
      {"CompanyName", &TVersionInfo::CompanyName},
  };
  for (const auto& f : fields)
    if (auto text = QueryVersionString(*block, table, f.name, toAnsi)) info.*f.field = *text;
  return true;
}

std::string GetFileVersion(const std::string& fileName) {
  TVersionInfo info;
  return GetFileVerInfo(fileName, info) ? info.Version : std::string();
}

std::string GetFileCopyright(const std::string& fileName) {
  TVersionInfo info;
  return GetFileVerInfo(fileName, info) ? info.Copyright : std::string();
}

std::string ReadRegistryValueAsText(platform::RegRoot root, const std::string& keyPath,
                                    const std::string& valueName, bool binaryAsText) {
  return ReadValueAsText(RegKey::Open(Reg(), root, keyPath), valueName, binaryAsText);
}

std::string ReadValueAsText(const platform::RegKey& key, const std::string& valueName, bool binaryAsText) {
  if (!key) return {};
  auto value = key.Value(valueName);
  if (!value) return {};
  return RenderRegistryValue(value->type, value->data, binaryAsText,
                             [](const std::string& text) { return Sys().ExpandEnvironment(text); });
}

std::string Trim(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && IsBlankChar(text[b])) ++b;
  while (e > b && IsBlankChar(text[e - 1])) --e;
  return text.substr(b, e - b);
}

bool IsBlank(const std::string& text) { return Trim(text).empty(); }

std::string UpperCase(std::string text) {
  for (auto& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace nsx
