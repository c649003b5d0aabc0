// What the request needs beyond the topic objects, read through the
// platform when the request is built: every logical drive's figures (the
// disk topic keeps only the selected drive's) and the uninstall table's
// details of the products the software topic lists. The installation time
// behind the device id is read with it (DeviceId.h).
#pragma once
#include <string>
#include <vector>

#include "../hardware/DiskInfo.h"
#include "ProductDetails.h"

namespace nsx {
class TNSystemInfo;
}

namespace nsx::inventory {

struct TDriveFacts {
  TDiskInfo Disk;
  std::string RemotePath;  // \\server\share\ of a network drive; empty for any other
};

struct TInventoryFacts {
  std::vector<TDriveFacts> Drives;        // the disk topic's drive letters, in order
  std::vector<TProductDetails> Products;  // one per product of the software topic, in order
};

// Each drive of `letters` read afresh (critical-error boxes stay away).
std::vector<TDriveFacts> ReadDrives(const std::string& letters);

// Every part read under the aggregate's exception mode; a part that fails
// stays empty.
TInventoryFacts ReadInventoryFacts(TNSystemInfo& info);

}  // namespace nsx::inventory
