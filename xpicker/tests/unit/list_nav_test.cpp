#include "list_nav.h"
#include "list_pager.h"

#include <gtest/gtest.h>

#include <set>

using namespace xpicker;

TEST(ListKeys, UpDownStopAtEnds) {
    EXPECT_EQ(stepUp(0, 5), 0);
    EXPECT_EQ(stepUp(3, 5), 2);
    EXPECT_EQ(stepDown(4, 5), 4);
    EXPECT_EQ(stepDown(kNoSelection, 5), 0);
    EXPECT_EQ(stepUp(kNoSelection, 5), 0);
    EXPECT_EQ(stepDown(0, 0), kNoSelection);
}

TEST(ListKeys, ThreeColumnsSevenChoicesWrap) {
    // from  right  left
    const int rows[][3] = {
        {0, 3, 6}, {1, 4, 4}, {2, 5, 5}, {3, 6, 0}, {4, 1, 1}, {5, 2, 2}, {6, 0, 3},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(stepRight(row[0], 7, 3), row[1]) << "right from " << row[0];
        EXPECT_EQ(stepLeft(row[0], 7, 3), row[2]) << "left from " << row[0];
    }
}

TEST(ListKeys, ColumnMovesStayInsideTheList) {
    for (int count = 1; count <= 12; ++count)
        for (int columns = 1; columns <= 6; ++columns)
            for (int i = 0; i < count; ++i) {
                const int r = stepRight(i, count, columns);
                const int l = stepLeft(i, count, columns);
                EXPECT_TRUE(r >= 0 && r < count) << count << "/" << columns << "/" << i;
                EXPECT_TRUE(l >= 0 && l < count) << count << "/" << columns << "/" << i;
            }
}

TEST(ListScroll, OffsetForRow) {
    EXPECT_EQ(viewportOffsetForRow(9, 10, 164), 0);   // still on the first screen
    EXPECT_EQ(viewportOffsetForRow(10, 10, 164), 156);
    EXPECT_EQ(viewportOffsetForRow(15, 10, 164), 236);
}

TEST(ListScroll, KeepsRowVisible) {
    EXPECT_EQ(offsetShowingRow(0, 500, 16, 160, 1000), 356);
    EXPECT_EQ(offsetShowingRow(600, 500, 16, 160, 1000), 500);
    EXPECT_EQ(offsetShowingRow(400, 500, 16, 160, 1000), 400);
    EXPECT_EQ(offsetShowingRow(2000, 500, 16, 160, 1000), 500);
}

TEST(ListPaging, SmallListsAreNotPaged) {
    ListPager pager(100, 1, 500);
    EXPECT_FALSE(pager.paged());
    EXPECT_EQ(pager.shownCount(), 100);
    EXPECT_EQ(pager.realIndex(42), 42);
    EXPECT_EQ(pager.shownIndex(42), 42);
}

TEST(ListPaging, EveryChoiceCanBeBroughtOnAPage) {
    const int count = 10007, columns = 3, pageRows = 400;
    ListPager pager(count, columns, pageRows);
    ASSERT_TRUE(pager.paged());
    EXPECT_EQ(pager.shownCount(), pageRows * columns);
    for (int i = 0; i < count; i += 37) {
        pager.bringIntoPage(i);
        const int shown = pager.shownIndex(i);
        ASSERT_GE(shown, 0) << i;
        EXPECT_EQ(pager.realIndex(shown), i);
    }
    pager.bringIntoPage(count - 1);
    std::set<int> seen;
    for (int s = 0; s < pager.shownCount(); ++s)
        if (pager.realIndex(s) >= 0) EXPECT_TRUE(seen.insert(pager.realIndex(s)).second);
    EXPECT_TRUE(seen.count(count - 1));
}
