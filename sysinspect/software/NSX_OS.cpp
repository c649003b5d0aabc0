// TOperatingSystem: version, registration, folders and environment.
#include "NSX_OS.h"

#include <cstdio>

namespace nsx {
namespace {

using platform::RegKey;
using platform::RegRoot;

const char* const kPlatformNames[] = {"Windows 3.1x", "Windows 9x", "Windows NT"};

// Folders named by values of the CurrentVersion key.
struct RegistryFolderRow {
  const char* name;
  const char* valueName;
};
const RegistryFolderRow kRegistryFolders[] = {
    // line name      value
    {"CommonFiles", "CommonFilesDir"},
    {"ProgramFiles", "ProgramFilesDir"},
    {"Device", "DevicePath"},
    {"OtherDevice", "OtherDevicePath"},
    {"Media", "MediaPath"},
    {"Config", "ConfigPath"},
    {"Wallpaper", "WallPaperDir"},
};

const TShellFolder kShellFolders[] = {
    // name              CSIDL
    {"AppData", 26},
    {"CommonDesktopDir", 25},
    {"CommonAltStartUp", 30},
    {"RecycleBin", 10},
    {"CommonPrograms", 23},
    {"CommonStartMenu", 22},
    {"CommonStartup", 24},
    {"CommonFavorites", 31},
    {"Cookies", 33},
    {"Controls", 3},
    {"Desktop", 0},
    {"DesktopDir", 16},
    {"Favorites", 6},
    {"Drives", 17},
    {"Fonts", 20},
    {"History", 34},
    {"Internet", 1},
    {"InternetCache", 32},
    {"NetWork", 18},
    {"NetHood", 19},
    {"MyDocuments", 5},
    {"PrintHood", 27},
    {"Printers", 4},
    {"Programs", 2},
    {"Recent", 8},
    {"SendTo", 9},
    {"StartMenu", 11},
    {"StartUp", 7},
    {"Templates", 21},
};

constexpr int kCsidlDesktop = 0;
constexpr size_t kMaxProfileLength = 255;

// "NAME=value" split at the first "="; a line without one is all name.
void WriteNameValueLines(TReportList& list, const TStringList& lines) {
  for (const auto& line : lines) {
    auto eq = line.find('=');
    WriteString(list, line.substr(0, eq), eq == std::string::npos ? std::string() : line.substr(eq + 1));
  }
}

bool HasQ246009() {
  RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine,
                            "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009");
  auto installed = key.Dword("Installed");
  return installed && *installed == 1;
}

}  // namespace

const TShellFolder* ShellFolders(size_t* count) {
  *count = sizeof kShellFolders / sizeof kShellFolders[0];
  return kShellFolders;
}

std::string ProfileFolder(const std::string& desktopPath) {
  auto slash = desktopPath.rfind('\\');
  if (slash == std::string::npos) return desktopPath;
  std::string folder = desktopPath.substr(0, slash);
  if (folder.size() > kMaxProfileLength) folder = folder.substr(folder.size() - kMaxProfileLength);
  return folder;
}

TOperatingSystem::TOperatingSystem()
    : environment_(std::make_unique<TStringList>()),
      folders_(std::make_unique<TStringList>()),
      timeZone_(std::make_unique<TTimeZone>()),
      ntSpecific_(std::make_unique<TNTSpecific>()),
      internet_(std::make_unique<TInternet>()),
      localeInfo_(std::make_unique<TLocaleInfo>()) {}

TOperatingSystem::~TOperatingSystem() {
  environment_.reset();
  folders_.reset();
  timeZone_.reset();
  ntSpecific_.reset();
  internet_.reset();
  localeInfo_.reset();
}

void TOperatingSystem::GetInfo() {
  folders_->clear();
  GuardCall(timeZone_->ClassName() + ".GetInfo", exceptionMode_, *timeZone_, &TTimeZone::GetInfo);
  GuardCall(ntSpecific_->ClassName() + ".GetInfo", exceptionMode_, *ntSpecific_, &TNTSpecific::GetInfo);
  GuardCall(internet_->ClassName() + ".GetInfo", exceptionMode_, *internet_, &TInternet::GetInfo);
  GuardCall(localeInfo_->ClassName() + ".GetInfo", exceptionMode_, *localeInfo_, &TLocaleInfo::GetInfo,
            static_cast<std::int32_t>(platform::kLocaleSystemDefault));

  platform::VersionInfo info = Sys().GetVersion();
  majorVersion_ = info.majorVersion;
  minorVersion_ = info.minorVersion;
  buildNumber_ = info.buildNumber & 0xFFFFu;
  if (info.platformId <= platform::kPlatformNT) platform_ = static_cast<TOSPlatform>(info.platformId);
  csd_ = info.csdVersion.substr(0, 128);

  ReadCurrentVersionKey();
  AddSystemFolders();

  environment_->clear();
  GetEnvironment(*environment_);
  char langId[8];
  std::snprintf(langId, sizeof langId, "$%.4X", static_cast<unsigned>(Sys().GetSystemDefaultLangId()));
  languageId_ = langId;
}

void TOperatingSystem::ReadCurrentVersionKey() {
  // Every gathering replaces the registration data; nothing of an earlier
  // one stays when a value is gone.
  version_.clear();
  registeredUser_.clear();
  registeredOrg_.clear();
  productId_.clear();
  productKey_.clear();
  dvdRegion_.clear();
  csdEx_.clear();

  const bool isNT = OSInfo().IsNT;
  const char* path = isNT ? "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                          : "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine, path);
  if (!key) return;
  if (auto value = key.String(isNT ? "CurrentType" : "Version")) version_ = *value;
  if (auto value = key.String("RegisteredOrganization")) registeredOrg_ = *value;
  if (auto value = key.String("RegisteredOwner")) registeredUser_ = *value;
  if (auto value = key.String("ProductID")) productId_ = *value;
  if (auto value = key.String("ProductKey")) productKey_ = *value;
  if (key.HasValue("DVD_Region")) dvdRegion_ = ReadRegistryValueAsText(RegRoot::LocalMachine, path, "DVD_Region", true);
  for (const auto& row : kRegistryFolders)
    folders_->push_back(std::string(row.name) + "=" + key.String(row.valueName).value_or(""));
  key.Close();

  const auto& os = OSInfo();
  if (os.IsNT) {
    csdEx_ = csd_;
    if (csd_ == "Service Pack 6" && HasQ246009()) csd_ = "Service Pack 6a";
  } else if (os.IsOSR2) {
    csdEx_ = "OSR 2";
  } else if (os.Is98SE) {
    csdEx_ = "Second Edition";
  }
}

void TOperatingSystem::AddSystemFolders() {
  folders_->push_back("Windows=" + GetWinDir());
  folders_->push_back("System=" + GetSysDir());
  folders_->push_back("Temp=" + GetTempDir());
  for (const auto& folder : kShellFolders)
    folders_->push_back(std::string(folder.Name) + "=" + GetSpecialFolder(0, folder.CSIDL));
  folders_->push_back("Profile=" + ProfileFolder(GetSpecialFolder(0, kCsidlDesktop)));
}

void TOperatingSystem::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "OperatingSystem", ClassName());
  WriteString(list, "Platform", kPlatformNames[platform_]);
  WriteString(list, "VersionName", version_);
  WriteInteger(list, "MajorVersion", majorVersion_);
  WriteInteger(list, "MinorVersion", minorVersion_);
  WriteInteger(list, "Build", buildNumber_);
  WriteString(list, "CSD", csd_);
  WriteString(list, "ProductID", productId_);
  WriteString(list, "ProductKey", productKey_);
  WriteString(list, "RegisteredUser", registeredUser_);
  WriteString(list, "RegisteredOrganisation", registeredOrg_);
  WriteString(list, "DVDRegion", dvdRegion_);
  WriteSectionStart(list, "Environment");
  WriteNameValueLines(list, *environment_);
  WriteSectionEnd(list);
  WriteSectionStart(list, "Folders");
  WriteNameValueLines(list, *folders_);
  WriteSectionEnd(list);
  WriteElementEnd(list, "OperatingSystem");
  // The sub-objects' elements follow at the same level.
  if (OSInfo().IsNT) ntSpecific_->Report(list, false);
  timeZone_->Report(list, false);
  internet_->Report(list, false);
  localeInfo_->Report(list, false);
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
