// The devices topic on simulated NT and 9x machines: the records read from
// the enumeration tree and its class, driver and service keys, the 9x
// Configuration Manager list, the resource view and both report elements.
#include <gtest/gtest.h>

#include "DeviceTestMachines.h"
#include "TestMachine.h"
#include "hardware/NSX_Devices.h"
#include "platform/sim/CodePage.h"
#include "platform/sim/Profile.h"

namespace nsx {
namespace {

using test::Descriptor;
using test::DeviceKey;

const char kNetGuid[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
const char kSystemGuid[] = "{4D36E97D-E325-11CE-BFC1-08002BE10318}";
const char kEnum[] = "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\";

std::vector<TDevice> Gather(TDevices& devices) {
  devices.GetInfo();
  std::vector<TDevice> all(static_cast<size_t>(devices.DeviceCount()));
  for (int i = 0; i < devices.DeviceCount(); ++i) devices.GetDevice(i, all[static_cast<size_t>(i)]);
  return all;
}

// An XP machine with a PCI network card carrying every key the walk reads.
sim::SimMachine NetworkCardMachine() {
  auto m = test::WinXPSP3();
  test::AddNTClass(m, kNetGuid, "Net", "Network adapters");
  m.registry.SetString(std::string("HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\") + kNetGuid, "Icon", "-5");
  const std::string driverKey = std::string("HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\") + kNetGuid + "\\0001";
  m.registry.SetString(driverKey, "DriverDate", "7-1-2001");
  m.registry.SetString(driverKey, "DriverVersion", "5.396.530.2001");
  m.registry.SetString(driverKey, "ProviderName", "Microsoft");
  m.registry.SetString(driverKey, "InfPath", "netrtl.inf");
  test::AddService(m, "rtl8139", "Realtek RTL8139 NIC Driver", "NDIS", 1);
  test::AddService(m, "PCI", "PCI Bus Driver", "Boot Bus Extender", 1);
  // A lower-case GUID, and a driver value written with a doubled backslash.
  test::AddNTDevice(m, {"PCI\\VEN_10EC&DEV_8139\\3&61AAA01&0&48", "{4d36e972-e325-11ce-bfc1-08002be10318}", "Net",
                        "Realtek RTL8139 Family PCI Fast Ethernet NIC", "", "rtl8139",
                        std::string(kNetGuid) + "\\\\0001"});
  const std::string instance = std::string(kEnum) + "PCI\\VEN_10EC&DEV_8139\\3&61AAA01&0&48";
  m.registry.SetString(instance, "Mfg", "Realtek");
  m.registry.SetMultiString(instance, "HardwareID", {"PCI\\VEN_10EC&DEV_8139&SUBSYS_813910EC", "PCI\\VEN_10EC&DEV_8139"});
  m.registry.SetString(instance + "\\Device Parameters", "", "default value");
  m.registry.SetDword(instance + "\\Device Parameters", "Flags", 1);
  m.registry.SetString(instance + "\\Device Parameters", "InstanceIndex", "7");
  auto boot = test::ResourceListBytes(5, 0, {Descriptor::Port(0xC000, 0x100, 1, 1)});
  auto alloc = test::ResourceListBytes(5, 0, {Descriptor::Port(0xD000, 0x100, 1, 1), Descriptor::Interrupt(11, 11, 1, 3, 0)});
  m.registry.SetBinary(instance + "\\LogConf", "BootConfig", boot, platform::kRegResourceList);
  m.registry.SetBinary(instance + "\\Control", "FilteredConfigVector", {1, 2}, platform::kRegResourceRequirementsList);
  m.registry.SetBinary(instance + "\\Control", "AllocConfig", alloc, platform::kRegResourceList);
  return m;
}

TEST(TDevices, NTDeviceReadsItsClassDriverServiceAndResourceKeys) {
  test::TestMachine machine(NetworkCardMachine());
  TDevices devices;
  auto all = Gather(devices);
  ASSERT_EQ(all.size(), 1u);
  const TDevice& d = all[0];
  const std::pair<std::string, std::string> fields[] = {
      {d.ClassName, "Net"},
      {d.ClassDesc, "Network adapters"},
      {d.ClassIcon, "-5"},
      {d.Description, "Realtek RTL8139 Family PCI Fast Ethernet NIC"},
      {d.GUID, kNetGuid},
      {d.Manufacturer, "Realtek"},
      {d.Location, "PCI Bus Driver"},  // the enumerator's service
      {d.HardwareID, "PCI\\VEN_10EC&DEV_8139&SUBSYS_813910EC\r\nPCI\\VEN_10EC&DEV_8139"},
      {d.DeviceParam, "7"},
      {d.DriverDate, "7-1-2001"},
      {d.DriverVersion, "5.396.530.2001"},
      {d.DriverProvider, "Microsoft"},
      {d.InfPath, "netrtl.inf"},
      {d.ServiceName, "Realtek RTL8139 NIC Driver"},
      {d.ServiceGroup, "NDIS"},
      {d.RegKey, "\\SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_10EC&DEV_8139\\3&61AAA01&0&48"},
      {d.ResourceListKey, "\\SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_10EC&DEV_8139\\3&61AAA01&0&48\\Control"},
      {d.ResourceListValue, "AllocConfig"},
  };
  for (const auto& [got, want] : fields) EXPECT_EQ(got, want);
  EXPECT_EQ(d.ServiceType, 1);
  EXPECT_EQ(d.DeviceClass, 21);

  TDeviceResources resources;
  devices.GetDeviceResources(d, resources);
  EXPECT_EQ(resources.Resources.size(), 2u);
  TResourceList view;
  devices.GetResourceList(view);
  ASSERT_EQ(view.size(), 2u);
  EXPECT_EQ(view[0].Resource, "Port D000 - D0FF");
  EXPECT_EQ(view[1].Resource, "IRQ 11");
  EXPECT_EQ(view[1].ShareDisposition, 3);
  EXPECT_EQ(view[1].DeviceTitle, "Realtek RTL8139 Family PCI Fast Ethernet NIC");
  EXPECT_EQ(view[1].DeviceClass, 21);
  // Every key that was opened was closed again.
  EXPECT_EQ(machine.Platform().RegistryApi().OpenHandleCount(), 0u);
}

TEST(TDevices, NTListHoldsStartedDevicesWithAClassSortedByClass) {
  auto m = test::WinXPSP3();
  test::AddNTClass(m, kSystemGuid, "System", "System devices");
  test::AddService(m, "ROOT", "Root enumerator", "Root group", 3);
  test::AddService(m, "odd", "Odd service", "Odd group", 0);
  m.registry.SetString("HKLM\\SYSTEM\\CurrentControlSet\\Services\\odd", "Type", "kernel");
  test::AddNTDevice(m, {"ACPI\\PNP0A03\\0", kSystemGuid, "", "PCI bus", "", "pci", ""});
  test::AddNTDevice(m, {"ACPI\\PNP0A03\\1", kSystemGuid, "", "PCI bus", "", "odd", ""});
  test::AddNTDevice(m, {"ACPI\\PNP0501\\1", kSystemGuid, "", "Not started", "", "", "", false});
  // A GUID without a class key: the device's own class.
  test::AddNTDevice(m, {"ROOT\\LEGACY_BEEP\\0000", "{8ECC055D-047F-11D1-A537-0000F8753ED1}", "LegacyDriver",
                        "Beep", "", "", ""});
  test::AddNTDevice(m, {"ROOT\\NOCLASS\\0000", "", "  ", "No class", "", "", ""});
  test::AddNTDevice(m, {"ACPI\\PNP0303\\4&1", "", "Keyboard", "Standard keyboard", "My keyboard", "", ""});
  test::TestMachine machine(m);
  TDevices devices;
  auto all = Gather(devices);
  std::vector<std::string> titles;
  for (const auto& d : all) titles.push_back(ClassTitle(d) + ": " + DeviceTitle(d));
  EXPECT_EQ(titles, (std::vector<std::string>{"Keyboard: My keyboard", "LegacyDriver: Beep",
                                              "System devices: PCI bus", "System devices: PCI bus"}));
  EXPECT_EQ(all[1].ClassDesc, "");
  EXPECT_EQ(all[1].DeviceClass, 22);
  EXPECT_EQ(all[1].Location, "Root enumerator");
  // The enumerator's service names the location only; a device without a
  // service has no service group or type.
  EXPECT_EQ(all[1].ServiceGroup, "");
  EXPECT_EQ(all[1].ServiceType, 0);
  EXPECT_EQ(all[3].ServiceName, "Odd service");
  EXPECT_EQ(all[3].ServiceType, 0);  // a type that is no number

  TDevice kept;
  kept.Description = "kept";
  devices.GetDevice(4, kept);
  devices.GetDevice(-1, kept);
  EXPECT_EQ(kept.Description, "kept");
}

TEST(TDevices, ClassIndexIsTheFirstMatchingPrefix) {
  const std::pair<const char*, int> cases[] = {
      {"HIDClass", 8}, {"hidclass", 8}, {"TapeDrive", 33}, {"Tape", 35},     {"NetService", 21},
      {"Processor", 37}, {"Battery", 0}, {"Foo", 24},      {"", 24},         {"MEDIA", 30},
  };
  for (const auto& [name, index] : cases) EXPECT_EQ(TDevices::GetDeviceClass(name), index) << name;
}

TEST(TDevices, ReportGroupsByClassAndByResource) {
  auto m = test::WinXPSP3();
  const std::string ports = "{4D36E978-E325-11CE-BFC1-08002BE10318}";
  test::AddNTClass(m, ports, "Ports", "Ports (COM & LPT)");
  test::AddNTClass(m, kSystemGuid, "System", "A=B devices");
  test::AddNTDevice(m, {"ACPI\\PNP0501\\1", ports, "", "Serial port", "Communications Port (COM1)", "", ""});
  test::AddNTDevice(m, {"ACPI\\PNP0000\\4&1", kSystemGuid, "", "PIC", "", "", ""});
  test::AddNTDevice(m, {"ACPI\\PNP0100\\4&1", kSystemGuid, "", "Timer \"8254\"", "", "", ""});
  m.registry.SetBinary(std::string(kEnum) + "ACPI\\PNP0501\\1\\Control", "AllocConfig",
                       test::ResourceListBytes(15, 0, {Descriptor::Port(0x3F8, 8, 0x11, 1),
                                                       Descriptor::Interrupt(4, 4, 1, 1, 1),
                                                       Descriptor::DeviceData(12)}),
                       platform::kRegResourceList);
  m.registry.SetBinary(std::string(kEnum) + "ACPI\\PNP0000\\4&1\\Control", "AllocConfig",
                       test::ResourceListBytes(1, 0, {Descriptor::Port(0x20, 0, 0x11, 1), Descriptor::Dma(4, 0),
                                                      Descriptor::Interrupt(4, 4, 1, 3, 1)}),
                       platform::kRegResourceList);
  test::TestMachine machine(m);
  TDevices devices;
  devices.GetInfo();
  TReportList list(1252);
  devices.Report(list, false);
  const std::string empty[] = {"Manufacturer", "Location", "HardwareID", "RegistryInfo", "DriverDate",
                               "DriverVersion", "DriverProvider", "ServiceName", "ServiceGroup"};
  auto device = [&](const std::string& title, const std::string& classDesc, const std::string& guid) {
    std::vector<std::string> lines = {"<section name=\"" + title + "\">",
                                      "<data name=\"ClassName\" type=\"string\">" + classDesc + "</data>",
                                      "<data name=\"ClassGUID\" type=\"string\">" + guid + "</data>"};
    for (const auto& name : empty) lines.push_back("<data name=\"" + name + "\" type=\"string\"></data>");
    return lines;
  };
  std::vector<std::string> want = {"<Devices classname=\"TDevices\">", "<data name=\"Count\" type=\"integer\">3</data>",
                                   "<section name=\"A=B devices\">"};
  auto add = [&](std::vector<std::string> lines) { want.insert(want.end(), lines.begin(), lines.end()); };
  add(device("PIC", "A=B devices", kSystemGuid));
  add({"<section name=\"Resources\">", "<data name=\"Port\" type=\"string\">0020 - 0020</data>",
       "<data name=\"DMA\" type=\"string\">04</data>", "<data name=\"IRQ\" type=\"string\">04</data>", "</section>",
       "</section>"});
  add(device("Timer &quot;8254&quot;", "A=B devices", kSystemGuid));
  add({"</section>", "</section>", "<section name=\"Ports (COM &amp; LPT)\">"});
  add(device("Communications Port (COM1)", "Ports (COM &amp; LPT)", ports));
  add({"<section name=\"Resources\">", "<data name=\"Port\" type=\"string\">03F8 - 03FF</data>",
       "<data name=\"IRQ\" type=\"string\">04</data>", "</section>", "</section>", "</section>", "</Devices>"});
  add({"<DeviceResources classname=\"TDevices\">", "<data name=\"Count\" type=\"integer\">5</data>",
       "<section name=\"DMA 04\">", "<data name=\"PIC\" type=\"string\">Device Exclusive</data>", "</section>",
       "<section name=\"IRQ 04\">", "<data name=\"Communications Port (COM1)\" type=\"string\">Device Exclusive</data>",
       "<data name=\"PIC\" type=\"string\">Shared</data>", "</section>",
       "<section name=\"Port 0020 - 0020\">", "<data name=\"PIC\" type=\"string\">Device Exclusive</data>", "</section>",
       "<section name=\"Port 03F8 - 03FF\">",
       "<data name=\"Communications Port (COM1)\" type=\"string\">Device Exclusive</data>", "</section>",
       "</DeviceResources>"});
  EXPECT_EQ(list.Lines(), want);
}

TEST(TDevices, MachineWithoutDevicesReportsACountOfZero) {
  test::TestMachine machine(test::WinXPSP3());
  TDevices devices;
  devices.GetInfo();
  TReportList list(1252);
  devices.Report(list, false);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{
                              "<Devices classname=\"TDevices\">", "<data name=\"Count\" type=\"integer\">0</data>",
                              "</Devices>", "<DeviceResources classname=\"TDevices\">",
                              "<data name=\"Count\" type=\"integer\">0</data>", "</DeviceResources>"}));
}

TEST(TDevices, NinetyEightWalksTheConfigurationManagerList) {
  auto m = test::Win98SE();
  const std::string classes = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Class\\";
  m.registry.SetString(classes + kSystemGuid, "Class", "System");
  m.registry.SetString(classes + kSystemGuid, "Link", "System");
  m.registry.SetString(classes + "System", "", "System devices");
  m.registry.SetString(classes + "System", "Icon", "-27");
  m.registry.SetString(classes + "System\\0003", "DriverDate", "4-23-1999");
  m.registry.SetString(classes + kNetGuid, "Class", "Net");
  m.registry.SetString(classes + kNetGuid, "Link", "NoSuchKey");
  test::AddService(m, "ROOT", "Root enumerator", "", 0);
  test::Add9xDevice(m, "C29A1000", {"ROOT\\*PNP0C01\\0000", kSystemGuid, "", "System board", "", "", "SYSTEM\\0003"});
  test::Add9xDevice(m, "C29A1100", {"ROOT\\*PNP0C01\\0001", kSystemGuid, "", "System board", "", "", ""});
  test::Add9xDevice(m, "C29A1200", {"PCI\\VEN_10EC&DEV_8139\\BUS_00", kNetGuid, "", "Realtek", "", "", ""});
  test::Add9xDevice(m, "C29A1300", {"Network\\MSTCP\\0000", kNetGuid, "", "TCP/IP", "", "", ""});
  test::Add9xDevice(m, "C29A1400", {"ROOT\\PRINTER\\0000", "", "", "No class", "", "", ""});
  m.registry.SetString("HKDD\\Config Manager\\Enum\\C29A1500", "HardwareKey", "ROOT\\GONE\\0000");
  test::TestMachine machine(m);
  TDevices devices;
  auto all = Gather(devices);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].ClassName, "Net");
  EXPECT_EQ(all[0].ClassDesc, "");  // the link leads nowhere
  EXPECT_EQ(all[0].RegKey, "\\Enum\\PCI\\VEN_10EC&DEV_8139\\BUS_00");
  EXPECT_EQ(all[1].ClassDesc, "System devices");
  EXPECT_EQ(all[1].ClassIcon, "-27");
  EXPECT_EQ(all[1].DriverDate, "4-23-1999");
  EXPECT_EQ(all[1].Location, "");
  EXPECT_EQ(all[1].ResourceListKey, "");
  TReportList list(1252);
  devices.Report(list, false);
  EXPECT_EQ(list.Lines().back(), "</Devices>");  // no resource element on 9x
}

// The polish (Windows 2000) profile's devices carry resource lists of every
// descriptor type; the russian (98 SE) profile has a Configuration Manager
// list.
TEST(TDevices, ProfilesOfBothFamilies) {
  {
    test::TestMachine machine(sim::LoadProfile(SYSINSPECT_TEST_PROFILES "/polish"));
    TDevices devices;
    auto all = Gather(devices);
    std::vector<std::string> types;
    for (const auto& d : all) {
      TDeviceResources r;
      devices.GetDeviceResources(d, r);
      std::string line = d.ClassName + ":";
      for (const auto& entry : r.Resources) line += " " + GetResourceTypeStr(entry.Type);
      types.push_back(line);
    }
    EXPECT_EQ(types, (std::vector<std::string>{"fdc: Port Port IRQ DMA DeviceSpecific", "Net: Port IRQ Memory Maximum None",
                                               "System: Port Port DMA", "System: BusNumber Port Memory"}));
    EXPECT_EQ(all[1].ResourceListValue, "AllocConfig");  // Control before LogConf
  }
  {
    test::TestMachine machine(sim::LoadProfile(SYSINSPECT_TEST_PROFILES "/russian"));
    TDevices devices;
    auto all = Gather(devices);
    std::vector<std::string> titles;
    for (const auto& d : all) titles.push_back(ClassTitle(d) + ": " + DeviceTitle(d));
    auto ansi = [](const std::string& utf8) { return sim::Utf8ToAnsi(utf8, 1251); };
    EXPECT_EQ(titles, (std::vector<std::string>{"Monitor: " + ansi("Монитор по умолчанию"),
                                                ansi("Сетевые платы: Realtek RTL8139(A) PCI Fast Ethernet Adapter"),
                                                ansi("Порты (COM и LPT): Последовательный порт (COM1)"),
                                                ansi("Системные устройства: Системная плата"),
                                                ansi("Системные устройства: Intel 82443BX Pentium(r) II Processor to AGP controller")}));
    EXPECT_EQ(all[1].DriverProvider, "Realtek");
    EXPECT_EQ(all[3].ClassIcon, "-27");
  }
}

}  // namespace
}  // namespace nsx
