#include "OverviewModel.h"

#include "core/Norvik_Routines.h"

namespace nsx::ui {

const std::vector<TPageInfo>& OverviewPages() {
  static const std::vector<TPageInfo> kPages = {
      // page        sheet          tab caption
      {pgMachine,   "tsWksta",     " Machine "},
      {pgOS,        "tsOS",        " Operating System"},
      {pgCPU,       "tsCPU",       " CPU "},
      {pgMemory,    "tsMemory",    " Memory "},
      {pgDisplay,   "tsDisplay",   " Display "},
      {pgAPM,       "tsAPM",       " APM "},
      {pgMedia,     "tsMedia",     " Media "},
      {pgNetwork,   "tsNetwork",   " Network "},
      {pgDevices,   "tsDevices",   " Devices "},
      {pgPrinters,  "tsPrinters",  " Printers "},
      {pgIDE,       "tsIDE",       " IDE "},
      {pgEngines,   "tsEngines",   " Engines "},
      {pgDrives,    "tsDrives",    " Drives "},
      {pgTimeZone,  "tsTZ",        "Time Zone"},
      {pgStartup,   "tsStartup",   " Startup "},
      {pgSoftware,  "tsSoftware",  " Software "},
      {pgAbout,     "tsAbout",     "About"},
  };
  return kPages;
}

const char* PageCaption(int page) {
  const auto& pages = OverviewPages();
  return page >= 0 && page < static_cast<int>(pages.size()) ? pages[page].caption : "";
}

bool PageShown(std::uint32_t mask, int page) { return page >= 0 && page <= 31 && ((mask >> page) & 1u) != 0; }

std::vector<int> ShownPages(std::uint32_t mask) {
  std::vector<int> shown;
  for (int page = 0; page < kOverviewPageCount; ++page)
    if (PageShown(mask, page)) shown.push_back(page);
  return shown;
}

int ActivePageForMask(std::uint32_t mask) {
  // The pages are walked from the last down to 0 and each shown one becomes
  // active, so the lowest shown page wins.
  int active = -1;
  for (int page = kOverviewPageCount - 1; page >= 0; --page)
    if (PageShown(mask, page)) active = page;
  return active;
}

std::vector<int> FillOrder(std::uint32_t mask) {
  static const int kOrder[] = {
      // pages in fill order (About has no fill routine)
      pgMachine, pgOS, pgCPU, pgMemory, pgDisplay, pgAPM, pgMedia, pgNetwork, pgDevices,
      pgEngines, pgDrives, pgTimeZone, pgPrinters, pgStartup, pgSoftware, pgIDE,
  };
  std::vector<int> pages;
  for (int page : kOrder)
    if (PageShown(mask, page)) pages.push_back(page);
  return pages;
}

std::string AllTopicsFileName(const std::string& machineName) { return machineName + "_SystemInfo.xml"; }

std::string CurrentTopicFileName(const std::string& machineName, const std::string& pageCaption) {
  return machineName + "_" + Trim(pageCaption) + ".xml";
}

}  // namespace nsx::ui
