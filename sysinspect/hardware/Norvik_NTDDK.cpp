#include "Norvik_NTDDK.h"

#include <cstdio>
#include <iterator>

#include "../platform/LittleEndian.h"

namespace nsx {
namespace {

using platform::LittleEndian16;
using platform::LittleEndian32;
using platform::LittleEndian64;

const size_t kHeaderSize = 20;
const size_t kDescriptorSize = 16;

struct FlagName {
  std::uint16_t flags;
  const char* name;
};

// The name of a flag value listed in `table`, else "0x" and the value in
// upper-case hexadecimal (combinations of bits have no name of their own).
template <size_t N>
std::string FlagsText(const FlagName (&table)[N], std::uint16_t flags) {
  for (const auto& row : table)
    if (row.flags == flags) return row.name;
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", flags);
  return text;
}

const char* const kResourceTypeNames[] = {
    // type 0 .. 9
    "None", "Port", "IRQ", "Memory", "DMA", "DeviceSpecific", "BusNumber", "Maximum", "AssignedResource",
    "SubAllocateFrom",
};

const char* const kInterfaceTypeNames[] = {
    // stored interface type 0 .. 16 (the system's value plus one)
    "Invalid", "Internal", "ISA", "EISA", "MCA", "TurboChannel", "PCI", "VME", "NuBus", "PCMCIA", "CBus", "MPI",
    "MPSA", "ProcessorInternal", "InternalPowerBus", "PnP-ISA", "PnP",
};

const char* const kShareDispositionNames[] = {
    // disposition 0 .. 2; any other value is shared
    "Undetermined", "Device Exclusive", "Driver Exclusive",
};

const FlagName kInterruptFlags[] = {
    // flags  name
    {0, "Level Sensitive"},
    {1, "Latched"},
};

const FlagName kMemoryFlags[] = {
    // flags  name
    {0, "Read / Write"}, {1, "Read Only"}, {2, "Write Only"}, {4, "Prefetchable"}, {8, "Combined Write"}, {16, "24"},
};

const FlagName kPortFlags[] = {
    // flags  name
    {0, "Memory"}, {1, "Port"}, {4, "10-bit decode"}, {8, "12-bit decode"}, {16, "16-bit decode"},
    {32, "Positive decode"},
};

}  // namespace

void DecodeResourceList(const platform::Bytes& value, TDeviceResources& resources) {
  resources = TDeviceResources();
  const size_t size = value.size();
  if (size >= 8) resources.InterfaceType = static_cast<std::uint8_t>(value[4] + 1);
  if (size >= 12) resources.BusNumber = LittleEndian32(value, 8);
  if (size >= 14) resources.Version = LittleEndian16(value, 12);
  if (size >= 16) resources.Revision = LittleEndian16(value, 14);

  // Offsets stay below `size` (at most 4 GB as the registry gives it), so
  // the sums below cannot overflow a 64-bit offset.
  std::uint64_t offset = kHeaderSize;
  while (offset + kDescriptorSize <= size) {
    const size_t at = static_cast<size_t>(offset);
    TResourceEntry entry;
    entry.Type = value[at];
    entry.ShareDisposition = value[at + 1];
    entry.Flags = LittleEndian16(value, at + 2);
    offset += kDescriptorSize;
    if (entry.Type > rtMaximum) continue;  // device-private and other types are skipped
    if (entry.Type == rtNull || entry.Type == rtPort || entry.Type == rtMemory) {
      entry.Start = LittleEndian64(value, at + 4);
      entry.Length = LittleEndian32(value, at + 12);
    } else {
      for (int i = 0; i < 3; ++i) entry.Words[i] = LittleEndian32(value, at + 4 + 4 * i);
    }
    resources.Resources.push_back(entry);
    // The device-specific bytes follow their descriptor; they are data, not
    // further descriptors.
    if (entry.Type == rtDeviceSpecific) offset += entry.DataSize();
  }
}

void ReadResourceList(const platform::RegKey& key, const std::string& valueName, TDeviceResources& resources) {
  resources = TDeviceResources();
  if (auto value = key.Value(valueName)) DecodeResourceList(value->data, resources);
}

std::string GetResourceTypeStr(std::uint8_t type) {
  return type < std::size(kResourceTypeNames) ? kResourceTypeNames[type] : "";
}

std::string GetInterfaceTypeStr(std::uint8_t interfaceType) {
  std::uint8_t low = interfaceType & 0x7F;
  return low < std::size(kInterfaceTypeNames) ? kInterfaceTypeNames[low] : "";
}

std::string GetShareDispositionStr(std::uint8_t disposition) {
  return disposition < std::size(kShareDispositionNames) ? kShareDispositionNames[disposition] : "Shared";
}

std::string GetInterruptFlagsStr(std::uint16_t flags) { return FlagsText(kInterruptFlags, flags); }
std::string GetMemoryFlagsStr(std::uint16_t flags) { return FlagsText(kMemoryFlags, flags); }
std::string GetPortFlagsStr(std::uint16_t flags) { return FlagsText(kPortFlags, flags); }

}  // namespace nsx
