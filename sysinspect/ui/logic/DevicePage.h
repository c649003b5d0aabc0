// The Devices page without its controls: the tree of classes and devices,
// the icons of the device classes, the rows of the properties dialog and
// the record the resources dialog shows.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "hardware/NSX_Devices.h"
#include "ResourceRows.h"

namespace nsx::ui {

// The image-list index of a device class's icon (the unknown class's for
// an index outside the table).
int DeviceClassIcon(std::uint8_t deviceClass);
constexpr int kComputerIcon = 0;  // the tree's root

struct TDeviceNode {
  std::string text;  // the device's title
  int index;         // its index in the device list
};
struct TClassNode {
  std::string text;  // the class title
  int icon;
  std::vector<TDeviceNode> devices;  // sorted by text
};

// The class nodes of the tree, sorted by text. Walking the list in order,
// a class node starts where the class changes: its class index or its class
// name (devices of two classes with one index never share a node).
std::vector<TClassNode> DeviceTree(const TDevices& devices);

// The "Device Properties" rows of a device, with the texts of its node and
// of its class node.
std::vector<std::pair<std::string, std::string>> DevicePropertyRows(const TDevice& device, const std::string& nodeText,
                                                                    const std::string& classNodeText);

// The resources dialog's view of a device's resource record.
TResourceRecordView ResourceRecordView(const TDeviceResources& resources);

}  // namespace nsx::ui
