// Building registry resource lists and the device keys of simulated NT and
// 9x machines for tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/SimMachine.h"

namespace nsx::test {

// One partial descriptor as the value holds it.
struct Descriptor {
  std::uint8_t type = 0, share = 0;
  std::uint16_t flags = 0;
  std::uint32_t words[3] = {0, 0, 0};

  static Descriptor Raw(std::uint8_t type, std::uint8_t share, std::uint16_t flags,
                        const std::vector<std::uint32_t>& words);
  static Descriptor Port(std::uint64_t start, std::uint32_t length, std::uint16_t flags, std::uint8_t share);
  static Descriptor Memory(std::uint64_t start, std::uint32_t length, std::uint16_t flags, std::uint8_t share);
  static Descriptor Interrupt(std::uint32_t level, std::uint32_t vector, std::uint32_t affinity, std::uint8_t share,
                              std::uint16_t flags);
  static Descriptor Dma(std::uint32_t channel, std::uint32_t port);
  static Descriptor DeviceData(std::uint32_t dataSize);
};

// A CM_RESOURCE_LIST with one full descriptor holding `descriptors`.
platform::Bytes ResourceListBytes(std::int32_t interfaceType, std::uint32_t busNumber,
                                  const std::vector<Descriptor>& descriptors);

// A device instance key under HKLM\SYSTEM\CurrentControlSet\Enum (NT) or
// HKLM\Enum (9x); `started` adds the "Control" subkey.
struct DeviceKey {
  std::string path;  // ENUMERATOR\DEVICE\INSTANCE
  std::string classGuid, className, description, friendlyName, service, driver;
  bool started = true;
};
void AddNTDevice(sim::SimMachine& m, const DeviceKey& device);
void AddNTClass(sim::SimMachine& m, const std::string& guid, const std::string& className,
                const std::string& description);
void AddService(sim::SimMachine& m, const std::string& name, const std::string& displayName,
                const std::string& group, std::uint32_t type);

// A 9x device: its Config Manager entry (HKEY_DYN_DATA) names the hardware key.
void Add9xDevice(sim::SimMachine& m, const std::string& configManagerEntry, const DeviceKey& device);

}  // namespace nsx::test
