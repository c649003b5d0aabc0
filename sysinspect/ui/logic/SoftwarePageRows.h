// What the Printers, Startup and Software pages show, without the windows:
// the icon of a printer row and the rows of each tab of the Startup page.
#pragma once
#include <string>
#include <vector>

#include "software/NSX_Startup.h"

namespace nsx::ui {

// Icons of the overview's image list these pages use.
enum TSoftwareImage {
  imgProduct = 16,
  imgLocalPrinter = 35,
  imgDefaultLocalPrinter = 36,
  imgNetworkPrinter = 37,
  imgDefaultNetworkPrinter = 38,
};

// A printer printing to a "\\server\..." port is a network printer; the
// default printer has the icon after its kind's.
int PrinterImage(const std::string& port, bool isDefault);

// The tabs of the Startup page.
enum TStartupTab { stFolders = 0, stRegistry = 1, stIniFiles = 2 };

struct TStartupRow {
  std::string name;
  std::string location;
  std::string command;
};

// The rows of one tab: the user's then the common startup folder (each with
// its folder as the location), the registry locations, or the two
// initialisation files. Another tab gives no rows.
std::vector<TStartupRow> StartupRows(const TStartup& startup, int tab, const std::string& userFolder,
                                     const std::string& commonFolder);

}  // namespace nsx::ui
