// The devices of a real French XP Professional machine: its Enum\USB and
// Enum\USBPRINT exports on top of the xppro1 profile's class, driver and
// service keys. Exactly the started instances are listed, with their texts
// as the machine holds them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TestMachine.h"
#include "hardware/NSX_Devices.h"
#include "platform/sim/CodePage.h"
#include "platform/sim/Profile.h"
#include "platform/sim/RegFile.h"

namespace nsx {
namespace {

sim::SimMachine XPPro1() {
  auto m = sim::LoadProfile(SYSINSPECT_TEST_PROFILES "/xppro1");
  for (const char* name : {"xppro1-USB.reg", "xppro1-USBPRINT.reg"}) {
    std::string path = std::string(SYSINSPECT_SHARED_DATA) + "/registry/" + name;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    EXPECT_FALSE(content.str().empty()) << path;
    sim::LoadRegFile(content.str(), m.ansiCodePage, path, m.registry);
  }
  return m;
}

std::string Ansi(const std::string& utf8) { return sim::Utf8ToAnsi(utf8, 1252); }

TEST(TDevicesRealData, XPProListsExactlyItsStartedUSBDevices) {
  test::TestMachine machine(XPPro1());
  TDevices devices;
  devices.GetInfo();

  struct Expected {
    const char* instance;  // under Enum
    const char* description;
    const char* className;
    const char* hardwareId;
  };
  const char* hub = "Concentrateur USB racine";
  const char* printing = "Prise en charge d'impression USB";
  const char* hid = "Périphérique d'interface utilisateur USB";
  // In list order: HIDClass, Printer, USB (enumeration order within a class).
  const Expected expected[] = {
      {"USB\\Vid_413c&Pid_2105\\5&19d1ce61&0&2", hid, "HIDClass",
       "USB\\Vid_413c&Pid_2105&Rev_0352\r\nUSB\\Vid_413c&Pid_2105"},
      {"USB\\Vid_413c&Pid_3012\\5&1ff1f9e6&0&2", hid, "HIDClass",
       "USB\\Vid_413c&Pid_3012&Rev_4301\r\nUSB\\Vid_413c&Pid_3012"},
      {"USBPRINT\\CanonLASER_SHOT_LBP-1120\\6&397bdcac&0&USB001", "Canon LASER SHOT LBP-1120", "Printer",
       "USBPRINT\\CanonLASER_SHOT_LBP-91D2\r\nCanonLASER_SHOT_LBP-91D2"},
      {"USBPRINT\\Zebra_LP2844_\\6&1605722f&0&USB003", "Zebra LP2844 ", "Printer",
       "USBPRINT\\Zebra_LP2844_5BC4\r\nZebra_LP2844_5BC4"},
      {"USB\\ROOT_HUB\\4&13c1814e&0", hub, "USB",
       "USB\\ROOT_HUB&VID8086&PID2935&REV0002\r\nUSB\\ROOT_HUB&VID8086&PID2935\r\nUSB\\ROOT_HUB"},
      {"USB\\ROOT_HUB\\4&1adc725&0", hub, "USB",
       "USB\\ROOT_HUB&VID8086&PID2934&REV0002\r\nUSB\\ROOT_HUB&VID8086&PID2934\r\nUSB\\ROOT_HUB"},
      {"USB\\ROOT_HUB\\4&1e4840bb&0", hub, "USB",
       "USB\\ROOT_HUB&VID8086&PID2936&REV0002\r\nUSB\\ROOT_HUB&VID8086&PID2936\r\nUSB\\ROOT_HUB"},
      {"USB\\ROOT_HUB\\4&38a6c532&0", hub, "USB",
       "USB\\ROOT_HUB&VID8086&PID2937&REV0002\r\nUSB\\ROOT_HUB&VID8086&PID2937\r\nUSB\\ROOT_HUB"},
      {"USB\\ROOT_HUB\\4&3ab45e4d&0", hub, "USB",
       "USB\\ROOT_HUB&VID8086&PID2938&REV0002\r\nUSB\\ROOT_HUB&VID8086&PID2938\r\nUSB\\ROOT_HUB"},
      {"USB\\ROOT_HUB20\\4&27254c1c&0", hub, "USB",
       "USB\\ROOT_HUB20&VID8086&PID293C&REV0002\r\nUSB\\ROOT_HUB20&VID8086&PID293C\r\nUSB\\ROOT_HUB20"},
      {"USB\\ROOT_HUB20\\4&327f519f&0", hub, "USB",
       "USB\\ROOT_HUB20&VID8086&PID293A&REV0002\r\nUSB\\ROOT_HUB20&VID8086&PID293A\r\nUSB\\ROOT_HUB20"},
      {"USB\\Vid_04a9&Pid_262b\\49R8Ka", printing, "USB", "USB\\Vid_04a9&Pid_262b&Rev_0100\r\nUSB\\Vid_04a9&Pid_262b"},
      {"USB\\Vid_0a5f&Pid_0009\\5&2377f6ef&0&2", printing, "USB",
       "USB\\Vid_0a5f&Pid_0009&Rev_0001\r\nUSB\\Vid_0a5f&Pid_0009"},
  };
  ASSERT_EQ(devices.DeviceCount(), static_cast<int>(std::size(expected)));
  for (int i = 0; i < devices.DeviceCount(); ++i) {
    TDevice d;
    devices.GetDevice(i, d);
    const auto& e = expected[i];
    EXPECT_EQ(d.RegKey, std::string("\\SYSTEM\\CurrentControlSet\\Enum\\") + e.instance) << i;
    EXPECT_EQ(d.Description, Ansi(e.description)) << e.instance;
    EXPECT_EQ(d.ClassName, e.className) << e.instance;
    EXPECT_EQ(d.HardwareID, e.hardwareId) << e.instance;
  }

  TDevice keyboard, hubDevice, canon;
  devices.GetDevice(0, keyboard);
  devices.GetDevice(4, hubDevice);
  devices.GetDevice(2, canon);
  EXPECT_EQ(keyboard.ClassDesc, Ansi("Périphériques d'interface utilisateur (HID)"));
  EXPECT_EQ(keyboard.Manufacturer, Ansi("(Périphériques système standard)"));
  EXPECT_EQ(keyboard.Location, "Dell USB Keyboard");
  EXPECT_EQ(keyboard.ServiceName, "Pilote miniport de classe HID Microsoft");
  EXPECT_EQ(keyboard.DriverProvider, "Microsoft");
  EXPECT_EQ(hubDevice.Manufacturer, Ansi("(Contrôleur hôte USB standard)"));
  EXPECT_EQ(hubDevice.DriverVersion, "5.1.2600.5512");
  EXPECT_EQ(hubDevice.ServiceGroup, "Base");
  EXPECT_EQ(canon.DeviceParam, "USB001");
  EXPECT_EQ(canon.InfPath, "oem12.inf");

  // The report: one section per class title, the accented ones included,
  // and one per device.
  TReportList list(1252);
  devices.Report(list, false);
  std::vector<std::string> sections;
  for (const auto& line : list.Lines())
    if (line.rfind("<section name=", 0) == 0) sections.push_back(line);
  EXPECT_EQ(sections.size(), 3u + std::size(expected));
  EXPECT_EQ(sections[0], Ansi("<section name=\"Contrôleurs de bus USB\">"));
  EXPECT_EQ(sections[1], Ansi("<section name=\"Concentrateur USB racine\">"));
  EXPECT_EQ(sections[10], "<section name=\"Imprimantes\">");
  EXPECT_EQ(sections[13], Ansi("<section name=\"Périphériques d&apos;interface utilisateur (HID)\">"));
}

}  // namespace
}  // namespace nsx
