// The SMBIOS reader on simulated BIOS areas: the entry points, the walk's
// bounds, the string fields, the field forms of the standard and the
// firmware-table path.
#include <gtest/gtest.h>

#include <algorithm>

#include "SmbiosTestTables.h"
#include "hardware/NSX_SMBIOS.h"
#include "platform/sim/FirmwareProfile.h"

namespace nsx {
namespace {

using test::TestStructure;

// A formatted area of `length` bytes (header included) with the given
// bytes at their structure offsets.
std::vector<std::uint8_t> Fields(std::uint8_t length, std::initializer_list<std::pair<int, int>> bytes) {
  std::vector<std::uint8_t> fields(length - 4, 0);
  for (auto [offset, value] : bytes) fields.at(offset - 4) = static_cast<std::uint8_t>(value);
  return fields;
}

TSMBIOS Decode(const sim::SimMachine& machine) {
  test::TestMachine running(machine);
  TSMBIOS smbios;
  smbios.GetInfo(1);
  return smbios;
}

TEST(TSMBIOS, StringFieldsTakeTheStringTheirNumberNames) {
  // Manufacturer 0, Product 0, Version 2: the version is the second string,
  // not the next one in turn (which would be the first).
  auto smbios = Decode(test::MachineWithTable({{1, Fields(0x19, {{4, 0}, {5, 0}, {6, 2}, {7, 3}}), {"unused", "1.0", " SN42 "}}}));
  EXPECT_EQ(smbios.SystemManufacturer(), "");
  EXPECT_EQ(smbios.SystemModel(), "");
  EXPECT_EQ(smbios.SystemVersion(), "1.0");
  EXPECT_EQ(smbios.SystemSerial(), "SN42");
  // A number past the last string names nothing.
  auto past = Decode(test::MachineWithTable({{2, Fields(8, {{4, 1}, {5, 4}}), {"Board"}}}));
  EXPECT_EQ(past.MainBoardManufacturer(), "Board");
  EXPECT_EQ(past.MainBoardModel(), "");
}

TEST(TSMBIOS, AStringAtTheEndOfTheWindowReadsUpToTheEnd) {
  platform::Bytes table = test::BuildTable({{0, Fields(0x12, {{4, 1}}), {"Vendor"}}}, false);
  table.resize(table.size() - 3);  // the window ends inside the string
  auto machine = test::WinXPSP3();
  sim::PlaceDmiImage(test::BuildDmiImage(table, 1), "test", machine.firmware.lowMemory);
  auto smbios = Decode(machine);
  EXPECT_EQ(smbios.BIOSVendor(), "Vendo");
  EXPECT_EQ(smbios.Structures().size(), 1u);
}

TEST(TSMBIOS, LegacyDmiAnchorGivesTheEntryPointSixteenBytesBefore) {
  auto machine = test::WinXPSP3();
  machine.firmware.lowMemory.assign(sim::kLowMemorySize, 0);
  platform::Bytes table = test::BuildTable({{0, Fields(0x12, {{4, 1}}), {"Award"}}});
  std::copy(table.begin(), table.end(), machine.firmware.lowMemory.begin() + 0xE8000);
  const std::uint8_t entry[] = {'_', 'D', 'M', 'I', '_', 0, static_cast<std::uint8_t>(table.size()), 0,
                                0x00, 0x80, 0x0E, 0x00, 2, 0, 0x20};
  std::copy(std::begin(entry), std::end(entry), machine.firmware.lowMemory.begin() + 0xF5A10);
  auto smbios = Decode(machine);
  EXPECT_EQ(smbios.StartAddress(), 0xF5A00u);
  EXPECT_EQ(smbios.Version(), "2.0");  // the BCD revision of the legacy entry point
  EXPECT_EQ(smbios.TableAddress(), 0xE8000u);
  EXPECT_EQ(smbios.BIOSVendor(), "Award");
}

TEST(TSMBIOS, ProcessorVoltageForms) {
  const std::pair<int, double> forms[] = {{0x8F, 1.5}, {0x03, 5.0}, {0x02, 3.3}, {0x06, 3.3}, {0x04, 2.9}, {0x00, 0.0}};
  for (auto [byte, volts] : forms) {
    auto smbios = Decode(test::MachineWithTable({{4, Fields(0x1A, {{0x11, byte}}), {}}}));
    ASSERT_EQ(smbios.ProcessorCount(), 1);
    EXPECT_DOUBLE_EQ(smbios.Processor(0).Voltage, volts) << byte;
    EXPECT_EQ(smbios.Processor(0).Version, "Processor_0");
  }
}

TEST(TSMBIOS, MemoryModulesCompleteTheDeviceBanksInOrder) {
  std::vector<TestStructure> structures;
  const int sizes[] = {0x0200, 0xFFFF, 0x8200};  // 512 MB; unknown; 512 KB
  for (int i = 0; i < 3; ++i)
    structures.push_back({17, Fields(0x15, {{0x0C, sizes[i] & 0xFF}, {0x0D, sizes[i] >> 8}, {0x0E, 9}, {0x10, 1}, {0x12, 0x12}}),
                          {"DIMM" + std::to_string(i)}});
  for (int i = 0; i < 4; ++i)  // one module more than there are banks
    structures.push_back({6, Fields(0x0C, {{4, 1}, {6, 60 + i}, {7, 0x10}, {8, 0x04}, {9, 0x07 + i}}), {"SOCKET" + std::to_string(i)}});
  auto smbios = Decode(test::MachineWithTable(structures));
  ASSERT_EQ(smbios.MemorySlotCount(), 3);
  const std::uint16_t merged[] = {512, 256, 512};  // unknown and kilobyte sizes give way to the module's
  for (int i = 0; i < 3; ++i) {
    TMemoryBank b = smbios.MemoryBank(i);
    EXPECT_EQ(b.Designation, "DIMM" + std::to_string(i));
    EXPECT_EQ(b.Speed, 60 + i);  // the device's length holds no speed
    EXPECT_EQ(b.Size, merged[i]);
    EXPECT_EQ(TypesText(b.Types), "EDO,SDRAM");
    EXPECT_EQ(MemoryFormFactorName(b.FormFactor), "DIMM");
    EXPECT_EQ(MemoryDeviceTypeName(b.DeviceType), "DDR");
  }
}

TEST(TSMBIOS, FieldFormsOfTheStandard) {
  auto smbios = Decode(test::MachineWithTable({
      {3, Fields(0x09, {{5, 0x83}}), {}},                                   // locked desktop
      {5, Fields(0x0F, {{6, 3}, {7, 4}, {8, 16}, {0x0D, 0x07}}), {}},        // 2^16 MB does not fit
      {7, Fields(0x13, {{7, 0x00}, {8, 0x84}, {9, 0x00}, {0x0A, 0x04}, {0x0D, 0x10}, {0x12, 7}}), {}},
      {7, Fields(0x0F, {{7, 0x00}, {8, 0x84}, {9, 0x00}, {0x0A, 0x04}}), {}},  // too short for type and speed
      {17, Fields(0x22, {{0x0C, 0xFF}, {0x0D, 0x7F}, {0x15, 0x40}, {0x16, 0x06}, {0x1C, 0x00}, {0x1D, 0x80}}), {}},
      {8, Fields(0x09, {{5, 0xA0}, {7, 0xFF}, {8, 0x12}}), {}},
      {8, Fields(0x09, {{5, 0x22}, {7, 0x99}, {8, 0x20}}), {}},
      {9, Fields(0x0D, {{5, 0xA5}, {6, 0x0D}, {7, 5}, {8, 6}}), {}},
  }));
  EXPECT_EQ(ChassisName(smbios.ChassisModel()), "Desktop");
  EXPECT_EQ(smbios.MemCtrlMaxSize(), 0);
  EXPECT_EQ(VoltagesText(smbios.MemCtrlSupportedVoltages()), "5V,3.3V,2.9V");
  EXPECT_EQ(InterleaveName(smbios.MemCtrlSupportedInterleave()), "1-Way");
  ASSERT_EQ(smbios.CacheCount(), 2);
  EXPECT_EQ(smbios.Cache(0).MaxSize, 0);  // 0x8400 x 64 KB does not fit 16 bits
  EXPECT_EQ(smbios.Cache(0).InstalledSize, 1024);
  EXPECT_EQ(AssociativityName(smbios.Cache(0).Associativity), "8-way Set-Associative");
  EXPECT_EQ(SRAMTypeName(smbios.Cache(0).SRAMType), "Pipeline Burst");
  EXPECT_EQ(smbios.Cache(1).InstalledSize, 1024);
  EXPECT_EQ(CacheTypeName(smbios.Cache(1).CacheType), "Unknown");
  EXPECT_EQ(smbios.Cache(1).Speed, 0);
  EXPECT_EQ(smbios.MemoryBank(0).Size, 32768);  // the extended size, in MB
  EXPECT_EQ(smbios.MemoryBank(0).Speed, 0);     // 1600 MHz: under a nanosecond
  const std::pair<std::string, std::string> ports[] = {
      {PortConnectorName(smbios.Port(0).InternalConnector), "PC-98"},
      {PortConnectorName(smbios.Port(0).ExternalConnector), "Other"},
      {PortTypeName(smbios.Port(0).PortType), "PCMCIA Type I"},
      {PortConnectorName(smbios.Port(1).InternalConnector), "SAS/SATA Plug Receptacle"},
      {PortConnectorName(smbios.Port(1).ExternalConnector), "Unknown"},
      {PortTypeName(smbios.Port(1).PortType), "SATA"},
      {SlotTypeName(smbios.Slot(0).SlotType), "PCI Express"},
      {DataBusWidthName(smbios.Slot(0).DataBusWidth), "16x or x16"},
      {CurrentUsageName(smbios.Slot(0).CurrentUsage), "Unavailable"},
      {SlotLengthName(smbios.Slot(0).SlotLength), "3.5\" drive form factor"},
  };
  for (const auto& [name, expected] : ports) EXPECT_EQ(name, expected);
}

TEST(TSMBIOS, FieldsBeyondTheLengthAreNotRead) {
  // An SMBIOS 2.0 system structure of 8 bytes has no UUID: the bytes after
  // it belong to its strings.
  auto smbios = Decode(test::MachineWithTable({{1, Fields(0x08, {{4, 1}}), {"0123456789ABCDEF0123"}}}));
  EXPECT_EQ(smbios.SystemUUID(), "");
  EXPECT_EQ(smbios.SystemManufacturer(), "0123456789ABCDEF0123");
}

TEST(TSMBIOS, TheWalkStaysInsideTheTable) {
  struct Case {
    const char* what;
    std::uint16_t tableLength;  // 0: the table's own
    bool brokenHeader;
    std::size_t structures;
  };
  const Case cases[] = {
      {"whole table", 0, false, 4},
      {"length of 0", 0xFFFF, false, 0},
      {"length ends in the second structure", 0x30, false, 2},
      {"a structure shorter than its header", 0, true, 1},
  };
  for (const auto& c : cases) {
    platform::Bytes table = test::BuildTable({{0, Fields(0x12, {{4, 1}}), {"BIOS"}},
                                              {1, Fields(0x19, {}), {}},
                                              {2, Fields(0x08, {}), {}}});
    if (c.brokenHeader) table[0x12 + 6 + 1] = 2;
    platform::Bytes image = test::BuildDmiImage(table, 4);
    if (c.tableLength) image[0x16] = static_cast<std::uint8_t>(c.tableLength == 0xFFFF ? 0 : c.tableLength),
                       image[0x17] = 0;
    auto machine = test::WinXPSP3();
    sim::PlaceDmiImage(image, "test", machine.firmware.lowMemory);
    auto smbios = Decode(machine);
    EXPECT_EQ(smbios.Structures().size(), c.structures) << c.what;
    for (const auto& s : smbios.Structures()) EXPECT_LE(s.End, smbios.TableAddress() + smbios.TableLength()) << c.what;
  }
}

TEST(TSMBIOS, ATableThatCannotBeMappedDecodesNothing) {
  // XP without the section: the dump program serves the first megabyte
  // only, so a table the entry point places above it cannot be mapped.
  auto machine = test::MachineWithTable({{0, Fields(0x12, {{4, 1}}), {"Award"}}});
  machine.firmware.sectionStatus = platform::kStatusAccessDenied;
  machine.environment = {"ComSpec=C:\\WINDOWS\\system32\\cmd.exe"};
  machine.tempDir = "C:\\WINDOWS\\TEMP\\";
  auto& memory = machine.firmware.lowMemory;
  const std::size_t entry = 0xF0000;
  memory[entry + 0x1A] = 0x10;  // table address 0x00100000
  auto fixChecksum = [&](std::size_t from, std::size_t length, std::size_t at) {
    memory[at] = 0;
    std::uint8_t sum = 0;
    for (std::size_t i = from; i < from + length; ++i) sum = static_cast<std::uint8_t>(sum + memory[i]);
    memory[at] = static_cast<std::uint8_t>(-sum);
  };
  fixChecksum(entry + 0x10, 0x0F, entry + 0x15);
  fixChecksum(entry, memory[entry + 5], entry + 4);
  test::TestMachine running(machine);
  TSMBIOS smbios;
  smbios.GetInfo(1);
  EXPECT_EQ(smbios.TableAddress(), 0x100000u);
  EXPECT_TRUE(smbios.Structures().empty());
  EXPECT_EQ(smbios.BIOSVendor(), "");
  const auto& events = running.Data().files.events;  // the BIOS segment's dump only
  EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const std::string& e) { return e.rfind("run ", 0) == 0; }), 1);
  EXPECT_TRUE(running.Data().files.files.empty());
}

TEST(TSMBIOS, FirmwareTableIsDecodedWithoutTouchingPhysicalMemory) {
  auto machine = test::MachineWithTable({{1, Fields(0x19, {{4, 1}, {8, 0x3D}, {0x17, 0xA4}}), {"Wine"}}});
  machine.firmware.smbiosFirmwareTable = sim::SmbiosFirmwareTable(machine.firmware.lowMemory);
  ASSERT_TRUE(machine.firmware.smbiosFirmwareTable);
  (*machine.firmware.smbiosFirmwareTable)[2] = 4;  // the header's minor version: 2.4
  test::TestMachine running(machine);
  TSMBIOS smbios;
  smbios.GetInfo(1);
  EXPECT_TRUE(smbios.FromFirmwareTable());
  EXPECT_EQ(smbios.Version(), "2.4");
  EXPECT_EQ(smbios.SystemManufacturer(), "Wine");
  EXPECT_EQ(smbios.SystemUUID(), "3D0000000000000000000000000000A4");
  EXPECT_EQ(running.Data().firmware.events, std::vector<std::string>{"firmware RSMB"});
  TReportList list(1252);
  smbios.Report(list, false);
  EXPECT_EQ(list[2], "<data name=\"StartAddress\" type=\"integer\">0</data>");
  EXPECT_EQ(list[3], "<data name=\"StructureTableStartAddress\" type=\"integer\">0</data>");
  EXPECT_EQ(list[4], "<data name=\"TableCount\" type=\"integer\">1</data>");
}

TEST(TSMBIOS, NoEntryPointReportsNothing) {
  test::TestMachine running(test::WinXPSP3());
  TSMBIOS smbios;
  smbios.GetInfo(1);
  TReportList list(1252);
  smbios.Report(list, false);
  EXPECT_EQ(list[1], "<data name=\"Version\" type=\"string\"></data>");
  EXPECT_EQ(list[2], "<data name=\"StartAddress\" type=\"integer\">0</data>");
  EXPECT_EQ(list[4], "<data name=\"TableCount\" type=\"integer\">-1</data>");
  EXPECT_EQ(list[5], "<section name=\"BIOS\">");
  EXPECT_EQ(ChassisName(smbios.ChassisModel()), "Unknown");
}

}  // namespace
}  // namespace nsx
