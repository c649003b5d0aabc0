#include "SoftwarePageRows.h"

namespace nsx::ui {
namespace {

struct TLocation {
  TRunKind kind;
  const char* text;
};

// The registry tab, in the order it lists its locations.
const TLocation kRegistryLocations[] = {
    // kind                  location
    {rkHKCU_Run, "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {rkHKCU_Once, "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    {rkHKCU_OnceEx, "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx"},
    {rkHKCU_Services, "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"},
    {rkHKCU_ServicesOnce, "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce"},
    {rkHKCU_Load, "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows"},
    {rkHKLM_Run, "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {rkHKLM_Once, "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    {rkHKLM_OnceEx, "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx"},
    {rkHKLM_Services, "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices"},
    {rkHKLM_ServicesOnce, "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce"},
    {rkHKLM_SessionManager, "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager"},
    {rkHKLM_WinLogon, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon"},
};

const TLocation kIniLocations[] = {
    // kind           location
    {rkWIN_INI, "WIN.INI"},
    {rkSYSTEM_INI, "SYSTEM.INI"},
};

void AddLocation(const TStartup& startup, TRunKind kind, const std::string& location,
                 std::vector<TStartupRow>& rows) {
  for (int i = 0; i < startup.GetRunCount(kind); ++i)
    rows.push_back({startup.GetRunName(kind, i), location, startup.GetRunCommand(kind, i)});
}

}  // namespace

int PrinterImage(const std::string& port, bool isDefault) {
  bool network = port.find("\\\\") != std::string::npos;
  return (network ? imgNetworkPrinter : imgLocalPrinter) + (isDefault ? 1 : 0);
}

std::vector<TStartupRow> StartupRows(const TStartup& startup, int tab, const std::string& userFolder,
                                     const std::string& commonFolder) {
  std::vector<TStartupRow> rows;
  switch (tab) {
    case stFolders:
      AddLocation(startup, rkUserStartup, userFolder, rows);
      AddLocation(startup, rkCommonStartup, commonFolder, rows);
      break;
    case stRegistry:
      for (const auto& location : kRegistryLocations) AddLocation(startup, location.kind, location.text, rows);
      break;
    case stIniFiles:
      for (const auto& location : kIniLocations) AddLocation(startup, location.kind, location.text, rows);
      break;
  }
  return rows;
}

}  // namespace nsx::ui
