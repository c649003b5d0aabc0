// Registry resource lists: decoding real layouts and every truncation
// without reading past the value, and the names of their codes.
#include <gtest/gtest.h>

#include "DeviceTestMachines.h"
#include "TestMachine.h"
#include "hardware/Norvik_NTDDK.h"

namespace nsx {
namespace {

using test::Descriptor;
using test::ResourceListBytes;

TEST(DecodeResourceList, PortInterruptAndMemoryInValueOrder) {
  // A PCI network card as XP's PnP manager stores it in Control\AllocConfig.
  auto bytes = ResourceListBytes(5, 1, {Descriptor::Port(0xD000, 0x100, 1, 1),
                                        Descriptor::Interrupt(11, 11, 1, 3, 0),
                                        Descriptor::Memory(0xFEBFF000, 0x1000, 0, 1)});
  ASSERT_EQ(bytes.size(), 20u + 3 * 16);
  TDeviceResources r;
  DecodeResourceList(bytes, r);
  EXPECT_EQ(r.InterfaceType, 6);
  EXPECT_EQ(GetInterfaceTypeStr(r.InterfaceType), "PCI");
  EXPECT_EQ(r.BusNumber, 1u);
  EXPECT_EQ(r.Version, 1);
  EXPECT_EQ(r.Revision, 1);
  ASSERT_EQ(r.Resources.size(), 3u);
  EXPECT_EQ(r.Resources[0].Type, rtPort);
  EXPECT_EQ(r.Resources[0].Start, 0xD000u);
  EXPECT_EQ(r.Resources[0].Length, 0x100u);
  EXPECT_EQ(GetPortFlagsStr(r.Resources[0].Flags), "Port");
  EXPECT_EQ(r.Resources[1].Type, rtInterrupt);
  EXPECT_EQ(r.Resources[1].ShareDisposition, 3);
  EXPECT_EQ(r.Resources[1].Level(), 11u);
  EXPECT_EQ(r.Resources[1].Vector(), 11u);
  EXPECT_EQ(r.Resources[1].Affinity(), 1u);
  EXPECT_EQ(r.Resources[2].Type, rtMemory);
  EXPECT_EQ(r.Resources[2].Start, 0xFEBFF000u);
  EXPECT_EQ(GetMemoryFlagsStr(r.Resources[2].Flags), "Read / Write");
}

TEST(DecodeResourceList, PrivateTypesAndDeviceDataAreSkipped) {
  Descriptor data = Descriptor::DeviceData(8);
  auto bytes = ResourceListBytes(-1, 0, {Descriptor::Raw(129, 1, 0, {7, 7, 7}), data});
  // Eight bytes of device data that look like a port descriptor's start.
  bytes.insert(bytes.end(), {1, 1, 0, 0, 0xAA, 0xBB, 0, 0});
  auto dma = ResourceListBytes(0, 0, {Descriptor::Dma(2, 0)});
  bytes.insert(bytes.end(), dma.begin() + 20, dma.end());
  TDeviceResources r;
  DecodeResourceList(bytes, r);
  EXPECT_EQ(r.InterfaceType, 0);
  EXPECT_EQ(GetInterfaceTypeStr(r.InterfaceType), "Invalid");
  ASSERT_EQ(r.Resources.size(), 2u);
  EXPECT_EQ(r.Resources[0].Type, rtDeviceSpecific);
  EXPECT_EQ(r.Resources[0].DataSize(), 8u);
  EXPECT_EQ(r.Resources[1].Type, rtDma);
  EXPECT_EQ(r.Resources[1].Channel(), 2u);
}

TEST(DecodeResourceList, ReadsOnlyWhatTheValueHolds) {
  const auto whole = ResourceListBytes(1, 0x01020304, {Descriptor::Port(0x3F8, 8, 1, 0), Descriptor::DeviceData(0xFFFFFFFFu)});
  struct Case {
    size_t size;
    std::uint8_t interfaceType;
    std::uint32_t bus;
    size_t entries;
  };
  const Case cases[] = {
      // size   interface  bus          entries
      {0,       0,         0,           0},
      {7,       0,         0,           0},
      {8,       2,         0,           0},
      {12,      2,         0x01020304,  0},
      {20,      2,         0x01020304,  0},
      {35,      2,         0x01020304,  0},  // one byte short of the first descriptor
      {36,      2,         0x01020304,  1},
      {52,      2,         0x01020304,  2},  // device data larger than the value: nothing more
  };
  for (const auto& c : cases) {
    // Each cut in a buffer of its own, so that a read past it is caught.
    platform::Bytes cut(whole.begin(), whole.begin() + static_cast<long>(c.size));
    TDeviceResources r;
    r.Resources.resize(5);
    DecodeResourceList(cut, r);
    EXPECT_EQ(r.InterfaceType, c.interfaceType) << c.size;
    EXPECT_EQ(r.BusNumber, c.bus) << c.size;
    EXPECT_EQ(r.Resources.size(), c.entries) << c.size;
  }
}

TEST(ReadResourceList, AValueThatCannotBeReadGivesAnEmptyRecord) {
  sim::SimMachine m;
  m.registry.SetBinary("HKLM\\K", "List", ResourceListBytes(5, 2, {Descriptor::Dma(1, 0)}), platform::kRegResourceList);
  test::TestMachine machine(m);
  auto key = platform::RegKey::Open(machine.Platform().RegistryApi(), platform::RegRoot::LocalMachine, "K");
  TDeviceResources r;
  ReadResourceList(key, "List", r);
  EXPECT_EQ(r.BusNumber, 2u);
  EXPECT_EQ(r.Resources.size(), 1u);
  ReadResourceList(key, "Missing", r);
  EXPECT_EQ(r.BusNumber, 0u);
  EXPECT_TRUE(r.Resources.empty());
}

TEST(ResourceNames, EdgesOfTheTables) {
  EXPECT_EQ(GetShareDispositionStr(3), "Shared");
  EXPECT_EQ(GetShareDispositionStr(255), "Shared");
  EXPECT_EQ(GetMemoryFlagsStr(5), "0x5");
  EXPECT_EQ(GetPortFlagsStr(0x1A), "0x1A");
  EXPECT_EQ(GetInterruptFlagsStr(2), "0x2");
  EXPECT_EQ(GetResourceTypeStr(9), "SubAllocateFrom");
  EXPECT_EQ(GetResourceTypeStr(10), "");
  EXPECT_EQ(GetResourceTypeStr(129), "");
  EXPECT_EQ(GetInterfaceTypeStr(16), "PnP");
  EXPECT_EQ(GetInterfaceTypeStr(17), "");
  EXPECT_EQ(GetInterfaceTypeStr(0x86), "PCI");  // the low seven bits name it
}

}  // namespace
}  // namespace nsx
