// The overview frame's pages, topic mask, fill order and report file names.
#include <gtest/gtest.h>

#include "ui/logic/OverviewModel.h"

namespace nsx::ui {
namespace {

TEST(OverviewPages, SeventeenPagesWithTheirCaptionsInOrder) {
  const auto& pages = OverviewPages();
  ASSERT_EQ(pages.size(), 17u);
  for (size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(pages[i].page, static_cast<int>(i));
  EXPECT_STREQ(PageCaption(pgOS), " Operating System");
  EXPECT_STREQ(PageCaption(pgTimeZone), "Time Zone");
  EXPECT_STREQ(PageCaption(pgAbout), "About");
  EXPECT_STREQ(PageCaption(17), "");
  EXPECT_STREQ(PageCaption(-1), "");
}

TEST(TopicMask, CreationHidesAboutAndTheAggregateShowsEverything) {
  EXPECT_EQ(ShownPages(kCreateTopicMask).size(), 16u);
  EXPECT_FALSE(PageShown(kCreateTopicMask, pgAbout));
  EXPECT_EQ(ShownPages(kAllTopicsMask).size(), 17u);
  EXPECT_TRUE(PageShown(kAllTopicsMask, pgAbout));
}

TEST(TopicMask, TheLowestShownPageBecomesActive) {
  EXPECT_EQ(ActivePageForMask(kAllTopicsMask), pgMachine);
  EXPECT_EQ(ActivePageForMask((1u << pgCPU) | (1u << pgAbout)), pgCPU);
  EXPECT_EQ(ActivePageForMask(1u << pgAbout), pgAbout);
  EXPECT_EQ(ActivePageForMask(0), -1);
  // Bits beyond the pages show nothing.
  EXPECT_EQ(ActivePageForMask(0x80000000u), -1);
  EXPECT_EQ(ShownPages(0xFFFE0000u).size(), 0u);
}

TEST(TopicMask, PagesAreFilledInTheirOwnOrderNotByIndex) {
  std::vector<int> all = FillOrder(kAllTopicsMask);
  EXPECT_EQ(all, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 9, 14, 15, 10}));
  EXPECT_EQ(FillOrder((1u << pgIDE) | (1u << pgPrinters) | (1u << pgAbout)),
            (std::vector<int>{pgPrinters, pgIDE}));
  EXPECT_TRUE(FillOrder(1u << pgAbout).empty());
}

TEST(ReportFileNames, AllTopicsAndTheTrimmedCaptionOfTheCurrentPage) {
  EXPECT_EQ(AllTopicsFileName("PC7"), "PC7_SystemInfo.xml");
  EXPECT_EQ(CurrentTopicFileName("PC7", PageCaption(pgCPU)), "PC7_CPU.xml");
  EXPECT_EQ(CurrentTopicFileName("PC7", PageCaption(pgTimeZone)), "PC7_Time Zone.xml");
  EXPECT_EQ(CurrentTopicFileName("PC7", "Windows NT"), "PC7_Windows NT.xml");
  EXPECT_EQ(CurrentTopicFileName("PC7", PageCaption(pgOS)), "PC7_Operating System.xml");
}

}  // namespace
}  // namespace nsx::ui
