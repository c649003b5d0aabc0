#include "InventoryFacts.h"

#include "../core/NSX_GUI.h"
#include "../hardware/NSX_Disk.h"
#include "../software/NSX_Software.h"

namespace nsx::inventory {

std::vector<TDriveFacts> ReadDrives(const std::string& letters) {
  std::vector<TDriveFacts> drives;
  for (char letter : letters) {
    TDriveFacts drive;
    drive.Disk = GetDiskInfo(std::string(1, letter) + ":");
    if (drive.Disk.MediaType == dtRemote) drive.RemotePath = GetDriveUNC(drive.Disk.Drive);
    drives.push_back(drive);
  }
  return drives;
}

TInventoryFacts ReadInventoryFacts(TNSystemInfo& info) {
  TInventoryFacts facts;
  TExceptionMode mode = info.ExceptionMode();
  GuardCall("Inventory.Drives", mode, [&] { facts.Drives = ReadDrives(info.Disk().AvailableDisks()); });
  GuardCall("Inventory.Software", mode,
            [&] { facts.Products = MatchProducts(info.Software().Products(), ReadProductDetails()); });
  // A product whose details could not be read keeps its name.
  if (facts.Products.empty()) facts.Products = MatchProducts(info.Software().Products(), {});
  return facts;
}

}  // namespace nsx::inventory
