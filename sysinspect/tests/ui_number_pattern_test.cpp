// Number pictures of the overview's amount fields.
#include <gtest/gtest.h>

#include "ui/logic/NumberPattern.h"

namespace nsx::ui {
namespace {

TEST(NumberPattern, OptionalDigitsWriteZeroAsNothing) {
  EXPECT_EQ(FormatNumber("#,##", std::uint64_t{0}, ","), "");
  EXPECT_EQ(FormatNumber("#,#0", std::uint64_t{0}, ","), "0");
}

TEST(NumberPattern, ThousandsAreGroupedWithTheGivenSeparator) {
  EXPECT_EQ(FormatNumber("#,##", std::uint64_t{999}, ","), "999");
  EXPECT_EQ(FormatNumber("#,##", std::uint64_t{1000}, ","), "1,000");
  EXPECT_EQ(FormatNumber("#,#0", std::uint64_t{536870912}, "."), "536.870.912");
  EXPECT_EQ(FormatNumber("#,#0", std::uint64_t{4294967296ull}, " "), "4 294 967 296");
  EXPECT_EQ(FormatNumber("#,#0", std::uint64_t{18446744073709551615ull}, ","), "18,446,744,073,709,551,615");
}

TEST(NumberPattern, LiteralTextAroundTheDigitsIsKept) {
  EXPECT_EQ(FormatNumber("Capacity: #,#0 B", std::uint64_t{2048000}, ","), "Capacity: 2,048,000 B");
  EXPECT_EQ(FormatNumber("Bytes/sector: 0", std::uint64_t{512}, ","), "Bytes/sector: 512");
  EXPECT_EQ(FormatNumber("Free clusters: #,#0", std::uint64_t{0}, ","), "Free clusters: 0");
}

TEST(NumberPattern, WithoutACommaThereIsNoGrouping) {
  EXPECT_EQ(FormatNumber("0", std::uint64_t{123456}, ","), "123456");
  EXPECT_EQ(FormatNumber("000", std::uint64_t{7}, ","), "007");
}

TEST(NumberPattern, NegativeValuesCarryTheirSign) {
  EXPECT_EQ(FormatNumber("#,#0", std::int64_t{-1234}, ","), "-1,234");
  EXPECT_EQ(FormatNumber("#,#0", std::int64_t{-9223372036854775807 - 1}, ","), "-9,223,372,036,854,775,808");
  EXPECT_EQ(FormatNumber("#,##", std::int64_t{0}, ","), "");
}

}  // namespace
}  // namespace nsx::ui
