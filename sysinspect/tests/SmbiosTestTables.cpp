#include "SmbiosTestTables.h"

#include "platform/sim/FirmwareProfile.h"

namespace nsx::test {

platform::Bytes BuildTable(const std::vector<TestStructure>& structures, bool endOfTable) {
  platform::Bytes table;
  std::vector<TestStructure> all = structures;
  if (endOfTable) all.push_back({127, {}, {}, 0xFFFF});
  for (const auto& s : all) {
    table.push_back(s.type);
    table.push_back(static_cast<std::uint8_t>(4 + s.fields.size()));
    table.push_back(static_cast<std::uint8_t>(s.handle));
    table.push_back(static_cast<std::uint8_t>(s.handle >> 8));
    table.insert(table.end(), s.fields.begin(), s.fields.end());
    for (const auto& text : s.strings) {
      table.insert(table.end(), text.begin(), text.end());
      table.push_back(0);
    }
    if (s.strings.empty()) table.push_back(0);
    table.push_back(0);
  }
  return table;
}

platform::Bytes BuildDmiImage(const platform::Bytes& table, std::uint16_t structureCount) {
  platform::Bytes image(0x20, 0);
  const char anchor[] = "_SM_\0\x1F\x02\x03";
  std::copy(anchor, anchor + 8, image.begin());
  const char legacy[] = "_DMI_";
  std::copy(legacy, legacy + 5, image.begin() + 0x10);
  image[0x16] = static_cast<std::uint8_t>(table.size());
  image[0x17] = static_cast<std::uint8_t>(table.size() >> 8);
  image[0x1C] = static_cast<std::uint8_t>(structureCount);
  image[0x1D] = static_cast<std::uint8_t>(structureCount >> 8);
  image[0x1E] = 0x23;
  image.insert(image.end(), table.begin(), table.end());
  return image;
}

sim::SimMachine MachineWithTable(const std::vector<TestStructure>& structures) {
  auto machine = WinXPSP3();
  platform::Bytes table = BuildTable(structures);
  sim::PlaceDmiImage(BuildDmiImage(table, static_cast<std::uint16_t>(structures.size() + 1)), "test",
                     machine.firmware.lowMemory);
  return machine;
}

}  // namespace nsx::test
