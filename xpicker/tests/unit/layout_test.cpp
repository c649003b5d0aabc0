#include "layout.h"

#include <gtest/gtest.h>

using namespace xpicker;

TEST(ChoiceLayout, WidestOfTitleQuestionAndChoices) {
    ChoiceLayoutInput in;
    in.titleWidth = 50;
    in.questionLineWidths = {80, 120};
    in.choiceLabelWidths = {60};
    in.buttonLabelWidths = {20};
    // 120, no scroll room (10 lines > 2/1), +10 -> 130; per = 116; +2
    const ChoiceLayout l = computeChoiceLayout(in);
    EXPECT_EQ(l.width, 132);
    EXPECT_EQ(l.buttonWidth, 116 + 15);
}

TEST(ChoiceLayout, ScrollRoomAndColumns) {
    ChoiceLayoutInput in;
    in.titleWidth = 10;
    in.choiceLabelWidths.assign(11, 40);
    in.buttonLabelWidths = {20, 20, 20};
    in.lines = 10;
    // one column: 42, then 10 <= 12/1 -> +14, +10 = 66; buttons need 108
    ChoiceLayout l = computeChoiceLayout(in);
    EXPECT_EQ(l.width, 110);
    EXPECT_EQ(l.buttonWidth, (108 - 14) / 3 + 3);
    in.columns = 3;  // (40+8)*3 > W -> (40+6)*3 = 138, no scroll room, +10
    l = computeChoiceLayout(in);
    EXPECT_EQ(l.width, 150);
}

TEST(ChoiceLayout, ViewportOnlyWhenRowsExceedLines) {
    EXPECT_TRUE(choiceListNeedsViewport(11, 1, 10));
    EXPECT_FALSE(choiceListNeedsViewport(10, 1, 10));
    EXPECT_FALSE(choiceListNeedsViewport(0, 1, 0));
    EXPECT_FALSE(choiceListNeedsViewport(7, 3, 2));
}
