#include "DeviceTestMachines.h"

namespace nsx::test {
namespace {

void Put32(platform::Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

Descriptor Range(std::uint8_t type, std::uint64_t start, std::uint32_t length, std::uint16_t flags,
                 std::uint8_t share) {
  return Descriptor::Raw(type, share, flags,
                         {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(start >> 32), length});
}

const char kNTEnum[] = "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\";

void SetIfAny(sim::SimMachine& m, const std::string& key, const std::string& name, const std::string& value) {
  if (!value.empty()) m.registry.SetString(key, name, value);
}

void AddDeviceValues(sim::SimMachine& m, const std::string& key, const DeviceKey& d) {
  m.registry.CreateKey(key);
  SetIfAny(m, key, "ClassGUID", d.classGuid);
  SetIfAny(m, key, "Class", d.className);
  SetIfAny(m, key, "DeviceDesc", d.description);
  SetIfAny(m, key, "FriendlyName", d.friendlyName);
  SetIfAny(m, key, "Service", d.service);
  SetIfAny(m, key, "Driver", d.driver);
}

}  // namespace

Descriptor Descriptor::Raw(std::uint8_t type, std::uint8_t share, std::uint16_t flags,
                           const std::vector<std::uint32_t>& words) {
  Descriptor d;
  d.type = type;
  d.share = share;
  d.flags = flags;
  for (size_t i = 0; i < 3 && i < words.size(); ++i) d.words[i] = words[i];
  return d;
}

Descriptor Descriptor::Port(std::uint64_t start, std::uint32_t length, std::uint16_t flags, std::uint8_t share) {
  return Range(1, start, length, flags, share);
}

Descriptor Descriptor::Memory(std::uint64_t start, std::uint32_t length, std::uint16_t flags, std::uint8_t share) {
  return Range(3, start, length, flags, share);
}

Descriptor Descriptor::Interrupt(std::uint32_t level, std::uint32_t vector, std::uint32_t affinity,
                                 std::uint8_t share, std::uint16_t flags) {
  return Raw(2, share, flags, {level, vector, affinity});
}

Descriptor Descriptor::Dma(std::uint32_t channel, std::uint32_t port) { return Raw(4, 1, 0, {channel, port, 0}); }

Descriptor Descriptor::DeviceData(std::uint32_t dataSize) { return Raw(5, 1, 0, {dataSize, 0, 0}); }

platform::Bytes ResourceListBytes(std::int32_t interfaceType, std::uint32_t busNumber,
                                  const std::vector<Descriptor>& descriptors) {
  platform::Bytes b;
  Put32(b, 1);
  Put32(b, static_cast<std::uint32_t>(interfaceType));
  Put32(b, busNumber);
  Put32(b, 0x00010001);  // version 1, revision 1
  Put32(b, static_cast<std::uint32_t>(descriptors.size()));
  for (const auto& d : descriptors) {
    b.push_back(d.type);
    b.push_back(d.share);
    b.push_back(static_cast<std::uint8_t>(d.flags));
    b.push_back(static_cast<std::uint8_t>(d.flags >> 8));
    for (auto word : d.words) Put32(b, word);
  }
  return b;
}

void AddNTDevice(sim::SimMachine& m, const DeviceKey& d) {
  std::string key = kNTEnum + d.path;
  AddDeviceValues(m, key, d);
  if (d.started) m.registry.CreateKey(key + "\\Control");
}

void AddNTClass(sim::SimMachine& m, const std::string& guid, const std::string& className,
                const std::string& description) {
  std::string key = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\" + guid;
  m.registry.SetString(key, "Class", className);
  m.registry.SetString(key, "", description);
}

void AddService(sim::SimMachine& m, const std::string& name, const std::string& displayName,
                const std::string& group, std::uint32_t type) {
  std::string key = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\" + name;
  m.registry.SetString(key, "DisplayName", displayName);
  m.registry.SetString(key, "Group", group);
  m.registry.SetDword(key, "Type", type);
}

void Add9xDevice(sim::SimMachine& m, const std::string& configManagerEntry, const DeviceKey& d) {
  m.registry.SetString("HKDD\\Config Manager\\Enum\\" + configManagerEntry, "HardwareKey", d.path);
  AddDeviceValues(m, "HKLM\\Enum\\" + d.path, d);
}

}  // namespace nsx::test
