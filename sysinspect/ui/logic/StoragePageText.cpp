#include "StoragePageText.h"

#include <cctype>
#include <cmath>

#include "core/Norvik_Routines.h"
#include "hardware/NSX_IDE.h"

namespace nsx::ui {

std::vector<std::string> DriveComboItems(const std::string& availableDisks) {
  std::vector<std::string> items;
  for (char letter : availableDisks)
    items.push_back(std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))) + ":");
  return items;
}

int WindowsDriveItem(const std::vector<std::string>& items, const std::vector<std::string>& folders) {
  const std::string key = "Windows=";
  for (const auto& folder : folders) {
    if (folder.compare(0, key.size(), key) != 0 || folder.size() == key.size()) continue;
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(folder[key.size()])));
    for (size_t i = 0; i < items.size(); ++i)
      if (!items[i].empty() && std::toupper(static_cast<unsigned char>(items[i][0])) == letter)
        return static_cast<int>(i);
    break;
  }
  return 0;
}

std::string LabelledDriveItem(const std::string& item, const std::string& volumeLabel) {
  if (item.find('[') != std::string::npos) return item;
  return item + " [" + volumeLabel + "]";
}

bool DiskUsagePercent(std::int64_t capacity, std::int64_t freeSpace, std::int32_t* percent) {
  if (capacity == 0) return false;
  double share = static_cast<double>(capacity - freeSpace) / static_cast<double>(capacity) * 100.0;
  if (!std::isfinite(share)) return false;
  *percent = static_cast<std::int32_t>(std::nearbyint(share));
  return true;
}

const std::vector<const char*>& IDEPositionCaptions() {
  static const std::vector<const char*> kCaptions = {"Primary master", "Primary slave", "Secondary master",
                                                     "Secondary slave"};
  return kCaptions;
}

std::vector<std::string> IDEFields(const TDeviceInfo& device) {
  if (IsBlank(device.ModelNumber)) return {kNoDeviceAttached, "", "", "", "", "", ""};
  return {device.ModelNumber,
          device.SerialNumber,
          device.RevisionNumber,
          std::to_string(device.Cylinders),
          std::to_string(device.Heads),
          std::to_string(device.SectorsPerTrack),
          std::to_string(device.Capacity / 1024 / 1024) + " MB"};
}

}  // namespace nsx::ui
