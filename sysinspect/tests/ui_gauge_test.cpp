// The gauge's range, clamping, repaint decisions and drawing geometry.
#include <gtest/gtest.h>

#include "ui/logic/GaugeModel.h"

namespace nsx::ui {
namespace {

TEST(GaugeArithmetic, SolveForYTruncatesAndTreatsAnEmptyRangeAsZero) {
  EXPECT_EQ(SolveForY(0, 0), 0);
  EXPECT_EQ(SolveForY(5, 0), 0);
  EXPECT_EQ(SolveForY(1, 3), 33);
  EXPECT_EQ(SolveForY(2, 3), 66);
  EXPECT_EQ(SolveForY(-1, 3), -33);  // toward zero, not down
  EXPECT_EQ(SolveForY(3, 3), 100);
}

TEST(GaugeArithmetic, SolveForXScalesASizeByAPercentage) {
  EXPECT_EQ(SolveForX(50, 99), 49);
  EXPECT_EQ(SolveForX(100, 99), 99);
  EXPECT_EQ(SolveForX(0, 99), 0);
  EXPECT_EQ(SolveForX(33, 10), 3);
}

TEST(GaugeModel, DefaultsAreAZeroToHundredRangeAtZero) {
  TGaugeModel g;
  EXPECT_EQ(g.MinValue(), 0);
  EXPECT_EQ(g.MaxValue(), 100);
  EXPECT_EQ(g.Progress(), 0);
  EXPECT_EQ(g.PercentDone(), 0);
}

TEST(GaugeModel, EqualEndsShowZeroPercent) {
  TGaugeModel g;
  g.SetMaxValue(0);
  EXPECT_EQ(g.PercentDone(), 0);
  g.SetProgress(50);
  EXPECT_EQ(g.Progress(), 0);
  EXPECT_EQ(g.PercentDone(), 0);
}

TEST(GaugeModel, ProgressIsClampedIntoTheRange) {
  TGaugeModel g;
  EXPECT_EQ(g.SetProgress(250), GaugeChange::Repaint);
  EXPECT_EQ(g.Progress(), 100);
  EXPECT_EQ(g.PercentDone(), 100);
  g.SetProgress(-7);
  EXPECT_EQ(g.Progress(), 0);
}

TEST(GaugeModel, AProgressThatKeepsTheWholePercentageIsStoredWithoutRepaint) {
  TGaugeModel g;
  g.SetMaxValue(1000);
  EXPECT_EQ(g.SetProgress(101), GaugeChange::Repaint);  // 0% -> 10%
  EXPECT_EQ(g.SetProgress(109), GaugeChange::None);     // still 10%
  EXPECT_EQ(g.Progress(), 109);
  EXPECT_EQ(g.SetProgress(109), GaugeChange::None);     // unchanged
}

TEST(GaugeModel, MovingAnEndDragsTheProgressAlong) {
  TGaugeModel g;
  g.SetProgress(80);
  EXPECT_EQ(g.SetMaxValue(50), GaugeChange::Repaint);
  EXPECT_EQ(g.Progress(), 50);
  g.SetMinValue(-100);
  g.SetProgress(-90);
  EXPECT_EQ(g.SetMinValue(-10), GaugeChange::Repaint);
  EXPECT_EQ(g.Progress(), -10);
  EXPECT_EQ(g.SetMinValue(-10), GaugeChange::None);
}

TEST(GaugeModel, AnInvertedRangeIsRefusedWithTheAllowedBounds) {
  TGaugeModel g;
  try {
    g.SetMinValue(101);
    FAIL() << "accepted a minimum above the maximum";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Value must be between -2147483647 and 99");
  }
  try {
    g.SetMaxValue(-1);
    FAIL() << "accepted a maximum below the minimum";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Value must be between 1 and 2147483647");
  }
  EXPECT_EQ(g.MinValue(), 0);
  EXPECT_EQ(g.MaxValue(), 100);
  // A stored definition may set the ends in any order.
  EXPECT_NO_THROW(g.SetMinValue(200, /*loading=*/true));
  EXPECT_EQ(g.MinValue(), 200);
}

TEST(GaugeModel, ARangeAcrossTheWholeIntegerSpanDoesNotOverflow) {
  TGaugeModel g;
  g.SetMinValue(-2147483647 - 1);
  g.SetMaxValue(2147483647);
  g.SetProgress(0);
  EXPECT_EQ(g.PercentDone(), 50);
  g.SetProgress(2147483647);
  EXPECT_EQ(g.PercentDone(), 100);
}

TEST(GaugeRange, AmountsBeyondThirtyOneBitsKeepTheirRatio) {
  auto fitted = FitGaugeRange(3ull << 30, 3ull << 29);  // 3 GB total, half free
  EXPECT_GT(fitted.maximum, 0);
  EXPECT_EQ(SolveForY(fitted.progress, fitted.maximum), 50);
  auto huge = FitGaugeRange(0xFFFFFFFFFFFFFFFFull, 0x7FFFFFFFFFFFFFFFull);
  EXPECT_EQ(SolveForY(huge.progress, huge.maximum), 49);
  auto small = FitGaugeRange(1000, 250);
  EXPECT_EQ(small.maximum, 1000);
  EXPECT_EQ(small.progress, 250);
}

TEST(GaugeGeometry, TheBorderInsetsTheArea) {
  EXPECT_EQ(GaugeArea(100, 50, true), (TRect{1, 1, 99, 49}));
  EXPECT_EQ(GaugeArea(100, 50, false), (TRect{0, 0, 100, 50}));
}

TEST(GaugeGeometry, HorizontalBarGrowsFromTheLeft) {
  TRect area = GaugeArea(101, 21, true);  // 99 wide, 19 high
  TRect bar{};
  EXPECT_FALSE(HorizontalBarRect(area, 0, &bar));
  ASSERT_TRUE(HorizontalBarRect(area, 50, &bar));
  EXPECT_EQ(bar, (TRect{1, 1, 50, 20}));
  ASSERT_TRUE(HorizontalBarRect(area, 100, &bar));
  EXPECT_EQ(bar.right, 100);
}

TEST(GaugeGeometry, VerticalBarGrowsFromTheBottom) {
  TRect area = GaugeArea(21, 101, true);  // 19 wide, 99 high
  TRect bar{};
  EXPECT_FALSE(VerticalBarRect(area, 0, &bar));
  ASSERT_TRUE(VerticalBarRect(area, 50, &bar));
  EXPECT_EQ(bar, (TRect{1, 50, 20, 100}));
  ASSERT_TRUE(VerticalBarRect(area, 100, &bar));
  EXPECT_EQ(bar.top, 1);  // full: from the top of the area
}

TEST(GaugeGeometry, PieSliceStartsAtTheAngleOfThePercentage) {
  TRect area = GaugeArea(101, 101, true);
  auto quarter = PieGeometry(area, true, 25);
  EXPECT_EQ(quarter.ellipse, (TRect{1, 1, 100, 100}));
  EXPECT_EQ(quarter.end, (TPoint{50, 0}));
  EXPECT_EQ(quarter.start, (TPoint{100, 50}));  // three o'clock
  auto half = PieGeometry(area, true, 50);
  EXPECT_EQ(half.start, (TPoint{50, 100}));     // six o'clock
}

TEST(GaugeGeometry, NeedlePointsLeftAtZeroAndUpAtHalf) {
  TRect area = GaugeArea(101, 51, true);  // bottom 50
  auto up = NeedleGeometry(area, true, 101, 50);
  EXPECT_EQ(up.needleFrom, (TPoint{50, 49}));
  EXPECT_EQ(up.needleTo, (TPoint{50, 0}));
  auto full = NeedleGeometry(area, true, 101, 100);
  EXPECT_EQ(full.needleTo, (TPoint{100, 49}));
  EXPECT_EQ(up.ellipse, (TRect{1, 1, 100, 99}));
  EXPECT_EQ(up.baseFrom, (TPoint{1, 50}));
  EXPECT_EQ(up.baseTo, (TPoint{101, 50}));
}

TEST(GaugeGeometry, TextIsCentredInTheArea) {
  TRect area = GaugeArea(100, 20, true);  // 98 x 18
  EXPECT_EQ(GaugeTextOrigin(area, 25, 13), (TPoint{1 + 37, 1 + 3}));
  EXPECT_EQ(GaugeText(42), "42%");
  // A text wider than the area starts left of it (the clip keeps it inside).
  EXPECT_EQ(GaugeTextOrigin(area, 120, 13).x, 1 + (99 - 120) / 2);
}

}  // namespace
}  // namespace nsx::ui
