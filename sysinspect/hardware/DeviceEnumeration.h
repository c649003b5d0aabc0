// The two registry walks behind TDevices::GetInfo: the NT enumeration tree
// and the 9x Configuration Manager list. Each gives the records in the order
// it finds them, classified, before sorting.
#pragma once
#include <vector>

#include "NSX_Devices.h"

namespace nsx {

std::vector<TDevice> EnumerateNTDevices();
std::vector<TDevice> Enumerate9xDevices();

}  // namespace nsx
