// What the Drives and IDE pages show: the drive items and the one
// selected first, a label added once, the usage gauge, and the IDE fields.
#include <gtest/gtest.h>

#include "hardware/NSX_IDE.h"
#include "ui/logic/StoragePageText.h"

namespace nsx::ui {
namespace {

TEST(DrivesPage, ItemsAndTheWindowsDrive) {
  auto items = DriveComboItems("acdz");
  EXPECT_EQ(items, (std::vector<std::string>{"A:", "C:", "D:", "Z:"}));
  EXPECT_EQ(WindowsDriveItem(items, {"Desktop=C:\\x", "Windows=d:\\WINNT", "System=C:\\y"}), 2);
  EXPECT_EQ(WindowsDriveItem(items, {"Windows=Q:\\WINDOWS"}), 0);  // no such drive: the first
  EXPECT_EQ(WindowsDriveItem(items, {"Windows="}), 0);
  EXPECT_EQ(WindowsDriveItem({}, {"Windows=C:\\WINDOWS"}), 0);
}

TEST(DrivesPage, ADriveSelectedTwiceKeepsOneLabel) {
  std::string once = LabelledDriveItem("C:", "SYSTEM");
  EXPECT_EQ(once, "C: [SYSTEM]");
  EXPECT_EQ(LabelledDriveItem(once, "SYSTEM"), once);
  EXPECT_EQ(LabelledDriveItem("A:", ""), "A: []");
}

TEST(DrivesPage, UsageGauge) {
  struct Case {
    std::int64_t capacity, free;
    bool shown;
    std::int32_t percent;
  };
  const Case cases[] = {
      // capacity       free          shown  percent
      {0,               0,            false, 0},   // no capacity: the gauge keeps 0
      {400,             100,          true,  75},
      {200,             1,            true,  100},  // 99.5: halves go to the even number
      {200,             3,            true,  98},   // 98.5
      {270553174016ll,  78243901440,  true,  71},
  };
  for (const auto& c : cases) {
    std::int32_t percent = 0;
    EXPECT_EQ(DiskUsagePercent(c.capacity, c.free, &percent), c.shown) << c.capacity;
    EXPECT_EQ(percent, c.percent) << c.capacity;
  }
}

TEST(IDEPage, FieldsOfAPosition) {
  TDeviceInfo empty;
  empty.ModelNumber = "  ";
  empty.SerialNumber = "leftover";
  EXPECT_EQ(IDEFields(empty), (std::vector<std::string>{kNoDeviceAttached, "", "", "", "", "", ""}));
  TDeviceInfo disk;
  disk.ModelNumber = "ST320410A";
  disk.SerialNumber = "5FB3QF34";
  disk.RevisionNumber = "3.39";
  disk.Cylinders = 16383;
  disk.Heads = 16;
  disk.SectorsPerTrack = 63;
  disk.Capacity = 39100223ll * 512;  // 19091.9 MB
  EXPECT_EQ(IDEFields(disk),
            (std::vector<std::string>{"ST320410A", "5FB3QF34", "3.39", "16383", "16", "63", "19091 MB"}));
}

}  // namespace
}  // namespace nsx::ui
