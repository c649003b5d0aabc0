// SMBIOS tables built in a few lines for tests: structures with their
// strings, a "_SM_" entry point, and the machines that hold them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "TestMachine.h"

namespace nsx::test {

struct TestStructure {
  std::uint8_t type;
  std::vector<std::uint8_t> fields;  // the formatted area after the 4-byte header
  std::vector<std::string> strings;
  std::uint16_t handle = 0;
};

// The structures one after another, each with its string area, ended by
// an End-of-Table structure unless `endOfTable` is false.
platform::Bytes BuildTable(const std::vector<TestStructure>& structures, bool endOfTable = true);

// A dmidecode --dump-bin image: a version 2.3 "_SM_" entry point at 0 and
// the table at 0x20.
platform::Bytes BuildDmiImage(const platform::Bytes& table, std::uint16_t structureCount);

// Windows XP with the table in its BIOS area (entry point at 0xF0000,
// table at 0xE0000), its section readable.
sim::SimMachine MachineWithTable(const std::vector<TestStructure>& structures);

}  // namespace nsx::test
