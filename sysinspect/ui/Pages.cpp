#include "Pages.h"

#include "PageViews.h"
#include "logic/OverviewModel.h"

namespace nsx::ui {

std::unique_ptr<TOverviewPage> CreateOverviewPage(int page) {
  switch (page) {
    case pgMachine: return CreateMachinePage();
    case pgOS: return CreateOSPage();
    case pgCPU: return CreateCPUPage();
    case pgMemory: return CreateMemoryPage();
    case pgDisplay: return CreateDisplayPage();
    case pgAPM: return CreateAPMPage();
    case pgNetwork: return CreateNetworkPage();
    case pgMedia: return CreateMediaPage();
    case pgIDE: return CreateIDEPage();
    case pgEngines: return CreateEnginesPage();
    case pgDrives: return CreateDrivesPage();
    case pgDevices: return CreateDevicesPage();
    case pgTimeZone: return CreateTimeZonePage();
    case pgPrinters: return CreatePrintersPage();
    case pgStartup: return CreateStartupPage();
    case pgSoftware: return CreateSoftwarePage();
    case pgAbout: return CreateAboutPage();
    default: return std::make_unique<TOverviewPage>();
  }
}

}  // namespace nsx::ui
