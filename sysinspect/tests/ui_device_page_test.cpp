// The Devices page's logic: the class and device nodes of the tree, the
// properties rows and the record the resources dialog shows.
#include <gtest/gtest.h>

#include "DeviceTestMachines.h"
#include "TestMachine.h"
#include "ui/logic/DevicePage.h"

namespace nsx::ui {
namespace {

TEST(DeviceTree, AClassNodeStartsWhereTheClassChanges) {
  auto m = test::WinXPSP3();
  // Two unknown classes share index 24, Net and NetService index 21: each
  // class still gets its own node.
  test::AddNTDevice(m, {"ROOT\\A\\0", "", "WCEUSBS", "Phone", "", "", ""});
  test::AddNTDevice(m, {"ROOT\\B\\0", "", "SecurityDevices", "TPM", "", "", ""});
  test::AddNTDevice(m, {"ROOT\\C\\0", "", "Net", "b adapter", "", "", ""});
  test::AddNTDevice(m, {"ROOT\\C\\1", "", "Net", "A adapter", "", "", ""});
  test::AddNTDevice(m, {"ROOT\\D\\0", "", "NetService", "Client", "", "", ""});
  test::TestMachine machine(m);
  TDevices devices;
  devices.GetInfo();
  auto tree = DeviceTree(devices);
  std::vector<std::string> seen;
  for (const auto& node : tree) {
    std::string line = node.text + " (" + std::to_string(node.icon) + "):";
    for (const auto& device : node.devices) line += " " + device.text;
    seen.push_back(line);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"Net (15): A adapter b adapter", "NetService (15): Client",
                                            "SecurityDevices (18): TPM", "WCEUSBS (18): Phone"}));
  TDevice first;
  devices.GetDevice(tree[0].devices[0].index, first);
  EXPECT_EQ(first.Description, "A adapter");
  EXPECT_EQ(DeviceClassIcon(200), DeviceClassIcon(kUnknownDeviceClass));
}

TEST(DevicePage, PropertiesNameTheServiceWhenItHasNoDisplayName) {
  TDevice d;
  d.ClassName = "Ports";
  d.Service = "Serial";
  auto rows = DevicePropertyRows(d, "COM1", "Ports (COM & LPT)");
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0], std::make_pair(std::string("Device Name"), std::string("COM1")));
  EXPECT_EQ(rows[2].second, "Ports (COM & LPT)");
  EXPECT_EQ(rows[10], std::make_pair(std::string("Service Name"), std::string("Serial")));
  d.ServiceName = "Serial port driver";
  EXPECT_EQ(DevicePropertyRows(d, "", "")[10].second, "Serial port driver");
}

TEST(DevicePage, ResourcesDialogGetsEachTypesFlagsText) {
  using test::Descriptor;
  TDeviceResources resources;
  DecodeResourceList(test::ResourceListBytes(5, 2,
                                             {Descriptor::Port(0xD000, 0x100, 1, 1), Descriptor::Interrupt(9, 9, 1, 3, 1),
                                              Descriptor::Memory(0xFEBFF000, 0x1000, 1, 1), Descriptor::Dma(3, 0),
                                              Descriptor::DeviceData(0)}),
                     resources);
  auto view = ResourceRecordView(resources);
  EXPECT_EQ(ResourceGeneralLabels(view), (std::vector<std::string>{"Interface Type: PCI", "Bus Number: 2",
                                                                   "Version: 1", "Revision: 1"}));
  std::vector<std::vector<std::string>> rows;
  for (const auto& d : view.descriptors) rows.push_back(ResourceRow(d).cells);
  EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"0x0000D000", "0x100", "Port"},
                                                         {"9", "9", "0x1", "Latched"},
                                                         {"0xFEBFF000", "0x1000", "Read Only"},
                                                         {"3", "0"},
                                                         {"0x0", "0x0", "0x0"}}));
}

}  // namespace
}  // namespace nsx::ui
