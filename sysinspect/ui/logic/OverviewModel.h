// The overview window's frame without the window: its pages and their tab
// captions, which pages a topic mask shows and which becomes active, the
// order the pages are filled in, and the names offered for report files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nsx::ui {

enum TOverviewPageIndex {
  pgMachine = 0, pgOS, pgCPU, pgMemory, pgDisplay, pgAPM, pgMedia, pgNetwork, pgDevices,
  pgPrinters, pgIDE, pgEngines, pgDrives, pgTimeZone, pgStartup, pgSoftware, pgAbout,
  kOverviewPageCount
};

struct TPageInfo {
  TOverviewPageIndex page;
  const char* sheet;    // the sheet's name
  const char* caption;  // its tab caption
};

// Every page in order; the index is the page number and the mask bit.
const std::vector<TPageInfo>& OverviewPages();
const char* PageCaption(int page);

// The mask the frame starts with (About hidden) and the one the aggregate sets.
constexpr std::uint32_t kCreateTopicMask = 0xFFFF;
constexpr std::uint32_t kAllTopicsMask = 0x1FFFF;

bool PageShown(std::uint32_t mask, int page);
// The shown pages, lowest first, and the one that is active after the mask
// is set (-1 when none is shown).
std::vector<int> ShownPages(std::uint32_t mask);
int ActivePageForMask(std::uint32_t mask);

// The pages filled by a refresh, in fill order, among those the mask shows.
std::vector<int> FillOrder(std::uint32_t mask);

// Default file names of the two report commands.
std::string AllTopicsFileName(const std::string& machineName);
std::string CurrentTopicFileName(const std::string& machineName, const std::string& pageCaption);

}  // namespace nsx::ui
