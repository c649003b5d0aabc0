// Constructors of the built pages (the others are plain sheets until their
// topics exist).
#pragma once
#include <memory>

#include "OverviewPage.h"
#include "logic/MediaEnginesPage.h"

namespace nsx::ui {

std::unique_ptr<TOverviewPage> CreateAboutPage();
std::unique_ptr<TOverviewPage> CreateMachinePage();
std::unique_ptr<TOverviewPage> CreateOSPage();
std::unique_ptr<TOverviewPage> CreateTimeZonePage();
std::unique_ptr<TOverviewPage> CreateCPUPage();
std::unique_ptr<TOverviewPage> CreateMemoryPage();
std::unique_ptr<TOverviewPage> CreateAPMPage();
std::unique_ptr<TOverviewPage> CreateDrivesPage();
std::unique_ptr<TOverviewPage> CreateIDEPage();
std::unique_ptr<TOverviewPage> CreateDevicesPage();
std::unique_ptr<TOverviewPage> CreatePrintersPage();
std::unique_ptr<TOverviewPage> CreateStartupPage();
std::unique_ptr<TOverviewPage> CreateSoftwarePage();
std::unique_ptr<TOverviewPage> CreateDisplayPage();
std::unique_ptr<TOverviewPage> CreateNetworkPage();
std::unique_ptr<TOverviewPage> CreateMediaPage();
std::unique_ptr<TOverviewPage> CreateEnginesPage();

// Replaces a list's rows with the rows given, each with its picture.
void FillListRows(HWND list, const std::vector<TListRow>& rows);

}  // namespace nsx::ui
