#include "NSX_Devices.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <iterator>

#include "../core/Norvik_Routines.h"
#include "../core/Runtime.h"
#include "../core/TextCompare.h"
#include "DeviceEnumeration.h"

namespace nsx {
namespace {

// The device class table: a class name's index is that of the first prefix
// it begins with.
const char* const kDeviceClassPrefixes[] = {
    // index: prefix
    /*  0 */ "Battery",
    /*  1 */ "Computer",
    /*  2 */ "DiskDrive",
    /*  3 */ "Display",
    /*  4 */ "CDROM",
    /*  5 */ "fdc",
    /*  6 */ "FloppyDisk",
    /*  7 */ "GPS",
    /*  8 */ "HID",
    /*  9 */ "hdc",
    /* 10 */ "1394",
    /* 11 */ "Image",
    /* 12 */ "Infrared",
    /* 13 */ "Keyboard",
    /* 14 */ "MediumChanger",
    /* 15 */ "MTD",
    /* 16 */ "Mouse",
    /* 17 */ "Modem",
    /* 18 */ "Monitor",
    /* 19 */ "MultiFunction",
    /* 20 */ "MultiPortSerial",
    /* 21 */ "Net",
    /* 22 */ "LegacyDriver",
    /* 23 */ "NtApm",
    /* 24 */ "Unknown",
    /* 25 */ "PCMCIA",
    /* 26 */ "Ports",
    /* 27 */ "Printer",
    /* 28 */ "SCSIAdapter",
    /* 29 */ "SmartCardReader",
    /* 30 */ "MEDIA",
    /* 31 */ "Volume",
    /* 32 */ "System",
    /* 33 */ "TapeDrive",
    /* 34 */ "TapeController",
    /* 35 */ "Tape",
    /* 36 */ "USB",
    /* 37 */ "Processor",
};

// The last address of a range; a range of length 0 ends where it starts.
std::uint64_t RangeEnd(const TResourceEntry& entry) {
  return entry.Length ? entry.Start + entry.Length - 1 : entry.Start;
}

std::string HexRange(const TResourceEntry& entry, int digits) {
  char text[64];
  std::snprintf(text, sizeof text, "%0*" PRIX64 " - %0*" PRIX64, digits, entry.Start, digits, RangeEnd(entry));
  return text;
}

std::string TwoDigits(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02" PRIu32, value);
  return text;
}

// The resource view's text of an entry: type name and range or number;
// empty for types the view does not show.
std::string ResourceText(const TResourceEntry& entry) {
  std::string name = GetResourceTypeStr(entry.Type) + " ";
  switch (entry.Type) {
    case rtPort: return name + HexRange(entry, 4);
    case rtInterrupt: return name + TwoDigits(entry.Vector());
    case rtMemory: return name + HexRange(entry, 8);
    case rtDma: return name + TwoDigits(entry.Channel());
    default: return {};
  }
}

// The value a Devices report line gives an entry (its name is the type's);
// empty for types the report does not show.
std::string ReportValue(const TResourceEntry& entry) {
  switch (entry.Type) {
    case rtPort:
    case rtMemory: return HexRange(entry, 4);
    case rtInterrupt: return TwoDigits(entry.Vector());
    case rtDma: return TwoDigits(entry.Channel());
    default: return {};
  }
}

// The resource view's items of the devices whose lists were read.
void AppendResourceItems(const std::vector<TDevice>& devices, const std::vector<TDeviceResources>& resources,
                         TResourceList& list) {
  for (size_t i = 0; i < devices.size(); ++i) {
    if (devices[i].ResourceListKey.empty()) continue;
    const std::string title = DeviceTitle(devices[i]);
    for (const auto& entry : resources[i].Resources) {
      std::string text = ResourceText(entry);
      if (!text.empty()) list.push_back({text, entry.ShareDisposition, title, devices[i].DeviceClass});
    }
  }
}

// Lower-case ASCII letters, for sort keys that order as CompareText does.
std::string LowerCase(std::string text) {
  for (auto& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

std::string DeviceTitle(const TDevice& device) {
  return IsBlank(device.FriendlyName) ? device.Description : device.FriendlyName;
}

std::string ClassTitle(const TDevice& device) {
  return IsBlank(device.ClassDesc) ? device.ClassName : device.ClassDesc;
}

void TDevices::GetInfo() {
  devices_.clear();
  std::vector<TDevice> found = OSInfo().IsNT ? EnumerateNTDevices() : Enumerate9xDevices();
  // Sorted through their indices: the records are large, and moved once.
  std::vector<size_t> order(found.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&found](size_t a, size_t b) {
    return CompareText(found[a].ClassName, found[b].ClassName) < 0;
  });
  devices_.reserve(found.size());
  for (size_t i : order) devices_.push_back(std::move(found[i]));
}

void TDevices::GetDevice(int index, TDevice& out) const {
  if (index < 0 || index >= DeviceCount()) return;
  out = devices_[static_cast<size_t>(index)];
}

std::uint8_t TDevices::GetDeviceClass(const std::string& className) {
  for (size_t i = 0; i < std::size(kDeviceClassPrefixes); ++i)
    if (StartsText(kDeviceClassPrefixes[i], className)) return static_cast<std::uint8_t>(i);
  return kUnknownDeviceClass;
}

std::vector<TDevice> DevicesOfClass(std::uint8_t deviceClass, TExceptionMode mode) {
  TDevices devices;
  GuardCall(devices.ClassName() + ".GetInfo", mode, devices, &TDevices::GetInfo);
  std::vector<TDevice> picked;
  for (int i = 0; i < devices.DeviceCount(); ++i) {
    TDevice device;
    devices.GetDevice(i, device);
    if (device.DeviceClass == deviceClass) picked.push_back(device);
  }
  return picked;
}

void TDevices::GetDeviceResources(const TDevice& device, TDeviceResources& out) const {
  if (device.ResourceListKey.empty()) return;
  platform::RegKey key = platform::RegKey::Open(Reg(), platform::RegRoot::LocalMachine, device.ResourceListKey);
  if (key) ReadResourceList(key, device.ResourceListValue, out);
}

std::vector<TDeviceResources> TDevices::ReadAllResources() const {
  std::vector<TDeviceResources> all(devices_.size());
  for (size_t i = 0; i < devices_.size(); ++i) GetDeviceResources(devices_[i], all[i]);
  return all;
}

void TDevices::GetResourceList(TResourceList& list) const {
  list.clear();
  AppendResourceItems(devices_, ReadAllResources(), list);
}

void TDevices::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  // Both elements show the same lists: each is read once.
  auto resources = ReadAllResources();
  ReportDevices(list, resources);
  if (OSInfo().IsNT) {
    TResourceList items;
    AppendResourceItems(devices_, resources, items);
    ReportResources(list, items);
  }
  if (standalone) WriteReportFooter(list);
}

void TDevices::ReportDevices(TReportList& list, const std::vector<TDeviceResources>& resources) const {
  WriteElementStart(list, "Devices", ClassName());
  WriteInteger(list, "Count", DeviceCount());

  // Devices grouped by their upper-cased class title, classes in the text
  // order of "TITLE=", devices within a class in the text order of their
  // indices (10 before 2). Title and index are kept apart, so that no title
  // can be mistaken for another or for an index.
  struct Entry {
    std::string classKey, sortKey, indexText;
    size_t index;
  };
  std::vector<Entry> order;
  order.reserve(devices_.size());
  for (size_t i = 0; i < devices_.size(); ++i) {
    std::string key = UpperCase(ClassTitle(devices_[i]));
    order.push_back({key, key + "=", std::to_string(i), i});
  }
  std::sort(order.begin(), order.end(), [](const Entry& a, const Entry& b) {
    int byClass = CompareText(a.sortKey, b.sortKey);
    return byClass != 0 ? byClass < 0 : a.indexText < b.indexText;
  });

  const std::string* openClass = nullptr;
  for (const auto& entry : order) {
    const TDevice& d = devices_[entry.index];
    if (!openClass || !SameText(*openClass, entry.classKey)) {
      if (openClass) WriteSectionEnd(list);
      WriteSectionStart(list, ClassTitle(d));
      openClass = &entry.classKey;
    }
    WriteSectionStart(list, DeviceTitle(d));
    WriteString(list, "ClassName", d.ClassDesc);
    WriteString(list, "ClassGUID", d.GUID);
    WriteString(list, "Manufacturer", d.Manufacturer);
    WriteString(list, "Location", d.Location);
    WriteString(list, "HardwareID", d.HardwareID);
    WriteString(list, "RegistryInfo", d.Driver);
    WriteString(list, "DriverDate", d.DriverDate);
    WriteString(list, "DriverVersion", d.DriverVersion);
    WriteString(list, "DriverProvider", d.DriverProvider);
    WriteString(list, "ServiceName", d.ServiceName);
    WriteString(list, "ServiceGroup", d.ServiceGroup);
    if (!IsBlank(d.ResourceListKey)) {
      WriteSectionStart(list, "Resources");
      for (const auto& resource : resources[entry.index].Resources) {
        std::string value = ReportValue(resource);
        if (!value.empty()) WriteString(list, GetResourceTypeStr(resource.Type), value);
      }
      WriteSectionEnd(list);
    }
    WriteSectionEnd(list);
  }
  if (openClass) WriteSectionEnd(list);
  WriteElementEnd(list, "Devices");
}

void TDevices::ReportResources(TReportList& list, const TResourceList& items) const {
  WriteElementStart(list, "DeviceResources", ClassName());
  WriteInteger(list, "Count", static_cast<std::int64_t>(items.size()));

  // One section per resource text, in text order, listing every device
  // that uses the resource with its share disposition. The lines are sorted
  // through their lower-cased text (as CompareText orders them), by index.
  struct Line {
    std::string section, data;
  };
  std::vector<Line> lines(items.size());
  std::vector<std::string> keys(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    const auto& item = items[i];
    lines[i].section = "<section name=\"" + EscapeXML(item.Resource) + "\">";
    lines[i].data = "<data name=\"" + EscapeXML(item.DeviceTitle) + "\" type=\"string\">" +
                    EscapeXML(GetShareDispositionStr(item.ShareDisposition)) + "</data>";
    keys[i] = LowerCase(lines[i].section + lines[i].data);
  }
  std::vector<std::uint32_t> order(items.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
  const std::string* openSection = nullptr;
  for (std::uint32_t index : order) {
    const Line& line = lines[index];
    if (!openSection || !SameText(*openSection, line.section)) {
      if (openSection) WriteSectionEnd(list);
      list.Add(line.section);
      openSection = &line.section;
    }
    list.Add(line.data);
  }
  if (openSection) WriteSectionEnd(list);
  WriteElementEnd(list, "DeviceResources");
}

}  // namespace nsx
