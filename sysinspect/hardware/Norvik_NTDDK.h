// Registry resource lists (the NT CM_RESOURCE_LIST layout): the decoder of
// the value's bytes, the reading of the value through the platform, and the
// names of the resource types, interfaces, share dispositions and flags.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "../platform/Registry.h"

namespace nsx {

// Partial descriptor types (CmResourceType*).
enum : std::uint8_t {
  rtNull = 0,
  rtPort = 1,
  rtInterrupt = 2,
  rtMemory = 3,
  rtDma = 4,
  rtDeviceSpecific = 5,
  rtBusNumber = 6,
  rtMaximum = 7,
};

// One partial descriptor. Types 0, 1 and 3 use Start and Length; types 2
// and 4 to 7 three 32-bit words, named by the accessors below.
struct TResourceEntry {
  std::uint8_t Type = 0;
  std::uint8_t ShareDisposition = 0;
  std::uint16_t Flags = 0;
  std::uint64_t Start = 0;
  std::uint32_t Length = 0;
  std::uint32_t Words[3] = {0, 0, 0};

  std::uint32_t Level() const { return Words[0]; }      // interrupt
  std::uint32_t Vector() const { return Words[1]; }
  std::uint32_t Affinity() const { return Words[2]; }
  std::uint32_t Channel() const { return Words[0]; }    // DMA
  std::uint32_t Port() const { return Words[1]; }
  std::uint32_t DataSize() const { return Words[0]; }   // device-specific data
  std::uint32_t Reserved1() const { return Words[1]; }
  std::uint32_t Reserved2() const { return Words[2]; }
};

struct TDeviceResources {
  std::uint8_t InterfaceType = 0;  // the value's interface type plus one (undefined, -1, is 0)
  std::uint32_t BusNumber = 0;
  std::uint16_t Version = 0;
  std::uint16_t Revision = 0;
  std::vector<TResourceEntry> Resources;
};

// Decodes a resource list value. Only bytes inside the value are read: the
// header fields it holds, then every whole 16-byte descriptor; the data that
// follows a device-specific descriptor is skipped by its size.
void DecodeResourceList(const platform::Bytes& value, TDeviceResources& resources);

// Reads the value `valueName` of the open key and decodes it; a value that
// cannot be read gives an empty record.
void ReadResourceList(const platform::RegKey& key, const std::string& valueName, TDeviceResources& resources);

std::string GetResourceTypeStr(std::uint8_t type);
std::string GetInterfaceTypeStr(std::uint8_t interfaceType);
std::string GetShareDispositionStr(std::uint8_t disposition);
std::string GetInterruptFlagsStr(std::uint16_t flags);
std::string GetMemoryFlagsStr(std::uint16_t flags);
std::string GetPortFlagsStr(std::uint16_t flags);

}  // namespace nsx
