// The machine's profile as an OCS Inventory NG inventory request: the XML
// document an agent posts (zlib-compressed) to the server's /ocsinventory
// address. Built from the topic objects of the aggregate after its Refresh;
// see docs/inventory.md for where every field comes from.
#pragma once
#include <string>

#include "DeviceId.h"

namespace nsx {
class TNSystemInfo;
}

namespace nsx::inventory {

struct InventoryOptions {
  // ACCOUNTINFO's TAG (the server files the machine under it); empty: none sent.
  std::string tag;
  // The device id to send instead of the one derived from the machine.
  std::string deviceId;
};

// The device id of the running machine: the override of `options`, else
// its name and the time Windows was installed (see DeviceId.h). The
// inventory and every other request of the same machine carry it.
std::string DeviceId(const InventoryOptions& options);

// <?xml ...?><REQUEST><DEVICEID/><QUERY>INVENTORY</QUERY><CONTENT/></REQUEST>,
// in the machine's ANSI code page with the encoding the report declares.
// Reads what `info`'s last Refresh left, and through the platform the few
// things no topic keeps (installation time, every drive, product details).
std::string BuildInventoryRequest(TNSystemInfo& info, const InventoryOptions& options);

}  // namespace nsx::inventory
