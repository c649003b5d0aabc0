#include "DevicePage.h"

#include <algorithm>
#include <iterator>

#include "core/Norvik_Routines.h"
#include "core/TextCompare.h"

namespace nsx::ui {
namespace {

// The icon of each device class, by class index.
const int kDeviceClassIcons[] = {
    // class index: icon    class
    /*  0 */ 9,   // Battery
    /*  1 */ 1,   // Computer
    /*  2 */ 4,   // DiskDrive
    /*  3 */ 2,   // Display
    /*  4 */ 7,   // CDROM
    /*  5 */ 4,   // fdc
    /*  6 */ 5,   // FloppyDisk
    /*  7 */ 27,  // GPS
    /*  8 */ 26,  // HID
    /*  9 */ 4,   // hdc
    /* 10 */ 18,  // 1394
    /* 11 */ 10,  // Image
    /* 12 */ 29,  // Infrared
    /* 13 */ 11,  // Keyboard
    /* 14 */ 25,  // MediumChanger
    /* 15 */ 18,  // MTD
    /* 16 */ 12,  // Mouse
    /* 17 */ 13,  // Modem
    /* 18 */ 3,   // Monitor
    /* 19 */ 28,  // MultiFunction
    /* 20 */ 14,  // MultiPortSerial
    /* 21 */ 15,  // Net
    /* 22 */ 18,  // LegacyDriver
    /* 23 */ 16,  // NtApm
    /* 24 */ 18,  // Unknown
    /* 25 */ 15,  // PCMCIA
    /* 26 */ 14,  // Ports
    /* 27 */ 35,  // Printer
    /* 28 */ 17,  // SCSIAdapter
    /* 29 */ 28,  // SmartCardReader
    /* 30 */ 19,  // MEDIA
    /* 31 */ 6,   // Volume
    /* 32 */ 1,   // System
    /* 33 */ 8,   // TapeDrive
    /* 34 */ 39,  // TapeController
    /* 35 */ 8,   // Tape
    /* 36 */ 20,  // USB
    /* 37 */ 41,  // Processor
};

bool ByText(const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }

std::string FlagsTextOf(const TResourceEntry& entry) {
  switch (entry.Type) {
    case rtPort: return GetPortFlagsStr(entry.Flags);
    case rtInterrupt: return GetInterruptFlagsStr(entry.Flags);
    case rtMemory: return GetMemoryFlagsStr(entry.Flags);
    default: return {};
  }
}

}  // namespace

int DeviceClassIcon(std::uint8_t deviceClass) {
  return deviceClass < std::size(kDeviceClassIcons) ? kDeviceClassIcons[deviceClass]
                                                    : kDeviceClassIcons[kUnknownDeviceClass];
}

std::vector<TClassNode> DeviceTree(const TDevices& devices) {
  std::vector<TClassNode> classes;
  TDevice previous;
  for (int i = 0; i < devices.DeviceCount(); ++i) {
    TDevice d;
    devices.GetDevice(i, d);
    if (i == 0 || d.DeviceClass != previous.DeviceClass || !SameText(d.ClassName, previous.ClassName))
      classes.push_back({ClassTitle(d), DeviceClassIcon(d.DeviceClass), {}});
    classes.back().devices.push_back({DeviceTitle(d), i});
    previous = std::move(d);
  }
  for (auto& node : classes)
    std::stable_sort(node.devices.begin(), node.devices.end(),
                     [](const TDeviceNode& a, const TDeviceNode& b) { return ByText(a.text, b.text); });
  std::stable_sort(classes.begin(), classes.end(),
                   [](const TClassNode& a, const TClassNode& b) { return ByText(a.text, b.text); });
  return classes;
}

std::vector<std::pair<std::string, std::string>> DevicePropertyRows(const TDevice& d, const std::string& nodeText,
                                                                    const std::string& classNodeText) {
  return {
      // variable             value
      {"Device Name",         nodeText},
      {"Class Name",          d.ClassName},
      {"Class Description",   classNodeText},
      {"Class GUID",          d.GUID},
      {"Manufacturer",        d.Manufacturer},
      {"Location",            d.Location},
      {"HardwareID",          d.HardwareID},
      {"Driver Version",      d.DriverVersion},
      {"Driver Date",         d.DriverDate},
      {"Driver Provider",     d.DriverProvider},
      {"Service Name",        d.ServiceName.empty() ? d.Service : d.ServiceName},
      {"Service Group",       d.ServiceGroup},
  };
}

TResourceRecordView ResourceRecordView(const TDeviceResources& resources) {
  TResourceRecordView view;
  view.interfaceTypeName = GetInterfaceTypeStr(resources.InterfaceType);
  view.busNumber = resources.BusNumber;
  view.version = resources.Version;
  view.revision = resources.Revision;
  for (const auto& entry : resources.Resources) {
    TResourceDescriptorView d;
    d.type = entry.Type;
    d.start = entry.Start;
    d.length = entry.Length;
    d.level = entry.Level();
    d.vector = entry.Vector();
    d.affinity = entry.Affinity();
    d.channel = entry.Channel();
    d.port = entry.Port();
    d.dataSize = entry.DataSize();
    d.reserved1 = entry.Reserved1();
    d.reserved2 = entry.Reserved2();
    d.flagsText = FlagsTextOf(entry);
    view.descriptors.push_back(std::move(d));
  }
  return view;
}

}  // namespace nsx::ui
