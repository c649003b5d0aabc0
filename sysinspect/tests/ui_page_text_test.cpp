// Texts the overview pages make of topic values.
#include <gtest/gtest.h>

#include "ui/logic/PageText.h"

namespace nsx::ui {
namespace {

TEST(OSPageText, TabCaptionFollowsThePlatform) {
  EXPECT_EQ(OSTabCaption(0), "Windows 3.1x");
  EXPECT_EQ(OSTabCaption(1), "Windows 9x");
  EXPECT_EQ(OSTabCaption(2), "Windows NT");
  EXPECT_EQ(OSTabCaption(3), "");
}

TEST(OSPageText, ProductTypeIsNamedOnlyOnNT) {
  EXPECT_EQ(OSVersionLine("Windows XP", true, 1), "Windows XP - Workstation");
  EXPECT_EQ(OSVersionLine("Windows .NET", true, 3), "Windows .NET - Advanced Server");
  EXPECT_EQ(OSVersionLine("Windows 98", false, 1), "Windows 98");
  EXPECT_EQ(OSVersionLine("Windows XP", true, 0), "Windows XP");
  EXPECT_EQ(OSVersionLine("Windows XP", true, 4), "Windows XP");
  EXPECT_EQ(VersionNumberLine(4, 10, 2222), "Version: 4.10.2222");
}

TEST(OSPageText, LocaleEnumerationsAndValuesOutsideThem) {
  EXPECT_EQ(LocaleEnumText(lePositiveCurrencyMode, 3), "Suffix_One_Char_Separation");
  EXPECT_EQ(LocaleEnumText(leDateOrder, 2), "Y-M-D");
  EXPECT_EQ(LocaleEnumText(leTimeFormatSpecifier, 1), "24H");
  EXPECT_EQ(LocaleEnumText(leYearFormat, 0), "Two Digit");
  EXPECT_EQ(LocaleEnumText(leMeasurementSystem, 1), "U.S.");
  EXPECT_EQ(LocaleEnumText(lePositiveCurrencyMode, 4), "");
  EXPECT_EQ(LocaleEnumText(leMeasurementSystem, -1), "");
}

TEST(CPUPageText, HeadlineWithVendorShortName) {
  EXPECT_EQ(CPUHeadline(2, 2, "Athlon XP", 1800), "2 x AMD Athlon XP - 1800 MHz");
  EXPECT_EQ(CPUHeadline(1, 8, "Crusoe", 600), "1 x Transmeta Crusoe - 600 MHz");
  EXPECT_EQ(CPUVendorShortName(0), "Unknown");
  EXPECT_EQ(CPUVendorShortName(9), "Unknown");
  EXPECT_EQ(CPUTypeName(1), "OverDrive");
  EXPECT_EQ(CPUTypeName(4), "");
  EXPECT_EQ(CacheLevel1Line(64, 32, 32), "Level 1: 64 KB (32 KB Data + 32 KB Instruction)");
}

TEST(CheckItems, NameValueLinesAreCheckedByTheirIntegerValue) {
  auto items = CheckItemsFromPairs({"MMX=1", "SSE=0", "FDIV Bug=-1", "Odd=yes", "Bare", "A=B=2"});
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[0].text, "MMX");
  EXPECT_TRUE(items[0].checked);
  EXPECT_FALSE(items[1].checked);
  EXPECT_TRUE(items[2].checked);
  EXPECT_FALSE(items[3].checked);  // not a number
  EXPECT_EQ(items[4].text, "Bare");
  EXPECT_FALSE(items[4].checked);
  EXPECT_EQ(items[5].text, "A");   // split at the first '='
  EXPECT_FALSE(items[5].checked);
}

TEST(MemoryPageText, AddressesAndResourceLabels) {
  EXPECT_EQ(AppAddressRange(0x10000, 0x7FFEFFFF), "00010000 - 7FFEFFFF");
  EXPECT_EQ(HexAddress(0xabc), "00000ABC");
  EXPECT_EQ(ResourceFreeLabel("GDI", 42), "GDI - 42% free");
  EXPECT_EQ(ResourceFreeLabel("System", 100), "System - 100% free");
}

TEST(LiveUpdate, LockIndicatorIsLimeOnlyWhenToggledAndNotHeld) {
  EXPECT_EQ(LockIndicatorColour(0x01), kLime);
  EXPECT_EQ(LockIndicatorColour(0x00), kSilver);
  EXPECT_EQ(LockIndicatorColour(0x81), kSilver);  // held down while on
  EXPECT_EQ(LockIndicatorColour(0x80), kSilver);
}

TEST(APMPageText, PercentagesAbove100AreUnknown) {
  EXPECT_TRUE(BatteryPercentKnown(100));
  EXPECT_TRUE(BatteryPercentKnown(0));
  EXPECT_FALSE(BatteryPercentKnown(101));
  EXPECT_FALSE(BatteryPercentKnown(255));
}

}  // namespace
}  // namespace nsx::ui
