// Registry resource lists of any content decode without reading past the
// value; every entry decoded lies wholly inside it, and the names of its
// codes are always found.
#include <cstdint>
#include <cstdlib>

#include "hardware/Norvik_NTDDK.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A buffer of exactly the value's size, so that a read past it is caught.
  nsx::platform::Bytes value(data, data + size);
  nsx::TDeviceResources resources;
  nsx::DecodeResourceList(value, resources);
  if (!resources.Resources.empty() && size < 20 + 16 * resources.Resources.size()) std::abort();
  nsx::GetInterfaceTypeStr(resources.InterfaceType);
  for (const auto& entry : resources.Resources) {
    if (entry.Type > 7) std::abort();
    nsx::GetResourceTypeStr(entry.Type);
    nsx::GetShareDispositionStr(entry.ShareDisposition);
    nsx::GetPortFlagsStr(entry.Flags);
    nsx::GetMemoryFlagsStr(entry.Flags);
    nsx::GetInterruptFlagsStr(entry.Flags);
  }
  return 0;
}
