// The Machine page's texts: the computer type's field, the BIOS fall-backs
// and the rows of the SMBIOS lists.
#include <gtest/gtest.h>

#include "ui/logic/MachineRows.h"

namespace nsx::ui {
namespace {

TEST(MachineRows, ComputerAndBIOSFallBacks) {
  EXPECT_EQ(ComputerTitle("ACPI Uniprocessor PC"), " ACPI Uniprocessor PC ");
  EXPECT_EQ(ComputerTitle("  \t"), "");
  EXPECT_EQ(BIOSVendorText("", "Award Software"), "Award Software");
  EXPECT_EQ(BIOSVendorText("Dell", "Award Software"), "Dell");
  EXPECT_EQ(BIOSVersionText("", "Award Modular BIOS", "v4.51PG"), "Award Modular BIOS v4.51PG");
  EXPECT_EQ(BIOSDateText("", "07/15/99"), "07/15/99");
  EXPECT_EQ(InterleaveText(smisTwoWay, smisFourWay), "2-Way / 4-Way");
}

TEST(MachineRows, ListRows) {
  TProcessor p{"Socket 478", "Intel", "Pentium 4", 0x0E, 1.5, 2400, 533};
  EXPECT_EQ(ProcessorRow(p, ","), (TRow{"Intel", "Pentium 4", "Socket 478", "Socket 478", "1,5 V", "2400 MHz", "533 MHz"}));
  TCache c{"L2", 512, 256, 4, 4, 6, 0};
  EXPECT_EQ(CacheRow(c), (TRow{"L2", "Unified", "8-way Set-Associative", "Pipeline Burst", "256 KB", "512 KB", "0 ns"}));
  TMemoryBank b{"DIMM_A", 7, 512, {0x410}, 8, 14};
  EXPECT_EQ(MemoryRow(b), (TRow{"DIMM_A", "DIMM", "EDO,SDRAM", "SDRAM", "512 MB", "7 ns"}));
  TStructTable t{0xE0000, 17, 0x22, 0x1100, "Memory Device", 0};
  EXPECT_EQ(StructureRow(t), (TRow{"Type 17: Memory Device", "34", "1100"}));
}

}  // namespace
}  // namespace nsx::ui
