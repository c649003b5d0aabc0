// The devices topic: the Plug and Play devices the registry knows (the NT
// enumeration tree, or the 9x Configuration Manager list), one TDevice per
// device instance, sorted by class, with the resources assigned to each.
// The machine, display, network and multimedia topics create private lists
// to pick the devices of one class.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "../core/NSX_Common.h"
#include "Norvik_NTDDK.h"

namespace nsx {

struct TDevice {
  std::string ClassName;
  std::string ClassDesc;
  std::string ClassIcon;
  std::string FriendlyName;
  std::string Description;
  std::string GUID;
  std::string Manufacturer;
  std::string Location;
  std::string HardwareID;
  std::string DeviceParam;
  std::string Driver;
  std::string DriverDate;
  std::string DriverVersion;
  std::string DriverProvider;
  std::string InfPath;
  std::string Service;
  std::string ServiceName;
  std::string ServiceGroup;
  std::int32_t ServiceType = 0;
  std::string RegKey;             // the instance key, from the local machine key, with a leading backslash
  std::string ResourceListKey;    // NT: the subkey of RegKey holding a resource list
  std::string ResourceListValue;  // NT: that value's name
  std::uint8_t DeviceClass = 0;   // index into the device class table
};

// The class index of a class name matching none of the table's prefixes.
constexpr std::uint8_t kUnknownDeviceClass = 24;

// One row of the resource view: a resource, how it is shared, and the
// device that uses it.
struct TResourceItem {
  std::string Resource;
  std::uint8_t ShareDisposition = 0;
  std::string DeviceTitle;
  std::uint8_t DeviceClass = 0;
};
using TResourceList = std::vector<TResourceItem>;

// FriendlyName, or Description when that is blank.
std::string DeviceTitle(const TDevice& device);
// ClassDesc, or ClassName when that is blank.
std::string ClassTitle(const TDevice& device);

// The devices of one class, in list order, from a private list gathered
// under `mode` (how the machine, display, network and multimedia topics
// pick theirs).
std::vector<TDevice> DevicesOfClass(std::uint8_t deviceClass, TExceptionMode mode);

class TDevices : public TTopic {
 public:
  // Discards the records, enumerates the devices and sorts them by class name.
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TDevices"; }

  std::int32_t DeviceCount() const { return static_cast<std::int32_t>(devices_.size()); }
  // Copies the record at `index`; an invalid index leaves `out` unchanged.
  void GetDevice(int index, TDevice& out) const;
  // The index of the first class-table prefix of `className` (any case),
  // kUnknownDeviceClass when none matches.
  static std::uint8_t GetDeviceClass(const std::string& className);
  // The device's resource list; `out` stays untouched when its key does not open.
  void GetDeviceResources(const TDevice& device, TDeviceResources& out) const;
  // One item per port, interrupt, memory and DMA resource of every device, in list order.
  void GetResourceList(TResourceList& list) const;

 private:
  // Each device's resource list (empty without a resource-list key).
  std::vector<TDeviceResources> ReadAllResources() const;
  void ReportDevices(TReportList& list, const std::vector<TDeviceResources>& resources) const;
  void ReportResources(TReportList& list, const TResourceList& items) const;

  std::vector<TDevice> devices_;
};

}  // namespace nsx
