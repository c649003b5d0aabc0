// What the Drives and IDE pages make of their topics: the drive combo
// box's items, the usage gauge's percentage, and the IDE fields of a
// position.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nsx {
class TDeviceInfo;
}

namespace nsx::ui {

// Drives page: one "X:" item per letter, upper case.
std::vector<std::string> DriveComboItems(const std::string& availableDisks);
// The item of the drive holding the Windows folder ("Windows=C:\WINDOWS"
// among the operating system's folders); 0 when none matches.
int WindowsDriveItem(const std::vector<std::string>& items, const std::vector<std::string>& folders);
// The item with " [label]" added, once: an item that already has a "["
// stays as it is.
std::string LabelledDriveItem(const std::string& item, const std::string& volumeLabel);
// The used share of the volume in whole percent (rounded half to even);
// false when there is no capacity, and the gauge keeps what it shows.
bool DiskUsagePercent(std::int64_t capacity, std::int64_t freeSpace, std::int32_t* percent);

// IDE page: the captions of the position box, and the seven fields of a
// position (model, serial, revision, cylinders, heads, sectors, capacity).
const std::vector<const char*>& IDEPositionCaptions();
constexpr const char* kNoDeviceAttached = "<no device attached>";
std::vector<std::string> IDEFields(const TDeviceInfo& device);

}  // namespace nsx::ui
