// The overview's report commands on a simulated machine: what each writes,
// that every report starts from an empty list, and saving.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "TestMachine.h"
#include "ui/logic/OverviewModel.h"
#include "ui/logic/ReportCommands.h"
#include "ui/logic/ResourceRows.h"

namespace nsx::ui {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string TempPath(const char* name) { return ::testing::TempDir() + name; }

TEST(ReportCommands, CurrentTopicOfAPageIsAStandaloneDocumentOfItsElement) {
  test::TestMachine machine(test::WinXPSP3());
  TNSystemInfo info;
  TReportList list(1252);
  list.Add("left over from before");
  WriteCurrentTopicReport(info, pgTimeZone, list);
  ASSERT_GE(list.Count(), 4u);
  EXPECT_EQ(list[0].rfind("<?xml", 0), 0u);
  EXPECT_EQ(list[1].rfind("<classes ", 0), 0u);
  EXPECT_EQ(list[2], "<TimeZone classname=\"TTimeZone\">");
  EXPECT_EQ(list[list.Count() - 1], "</classes>");
  EXPECT_EQ(list.Lines().end() - std::find(list.Lines().begin(), list.Lines().end(), "left over from before"), 0);
}

TEST(ReportCommands, EachBuiltPageReportsItsOwnTopic) {
  test::TestMachine machine(test::WinXPSP3());
  TNSystemInfo info;
  const std::pair<int, const char*> kPages[] = {
      {pgOS, "<OperatingSystem classname=\"TOperatingSystem\">"},
      {pgCPU, "<CPU classname=\"TCPU\">"},
      {pgMemory, "<Memory classname=\"TMemory\">"},
      {pgAPM, "<APM classname=\"TAPM\">"},
  };
  for (const auto& [page, start] : kPages) {
    TReportList list(1252);
    WriteCurrentTopicReport(info, page, list);
    ASSERT_GE(list.Count(), 3u) << page;
    EXPECT_EQ(list[2], start) << page;
  }
}

TEST(ReportCommands, AboutAndPagesWithoutATopicWriteNothing) {
  test::TestMachine machine(test::WinXPSP3());
  TNSystemInfo info;
  TReportList list(1252);
  list.Add("stale");
  WriteCurrentTopicReport(info, pgAbout, list);
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(TopicForPage(info, pgAbout), nullptr);
  EXPECT_EQ(TopicForPage(info, 99), nullptr);
}

TEST(ReportCommands, AllTopicsClearsTheListFirst) {
  test::TestMachine machine(test::WinXPSP3());
  TNSystemInfo info;
  TReportList first(1252), second(1252);
  WriteAllTopicsReport(info, first);
  second.Add("stale");
  WriteAllTopicsReport(info, second);
  WriteAllTopicsReport(info, second);  // two in a row: never the lines of an earlier one
  EXPECT_EQ(second.Lines(), first.Lines());
  EXPECT_EQ(first[first.Count() - 1], "</classes>");
}

TEST(ReportCommands, SavedReportHasCrLfLinesAndAnEmptyListAnEmptyFile) {
  std::string path = TempPath("ui_report_save.xml");
  TReportList list(1252);
  list.Add("<a>");
  list.Add("</a>");
  SaveReport(list, path);
  EXPECT_EQ(ReadFile(path), "<a>\r\n</a>\r\n");
  SaveReport(TReportList(1252), path);  // replaces the earlier file
  EXPECT_EQ(ReadFile(path), "");
  std::remove(path.c_str());
}

TEST(ReportCommands, AFailedSaveRaisesAndLeavesNoFile) {
  std::string path = TempPath("no-such-directory/sub/report.xml");
  TReportList list(1252);
  list.Add("<a/>");
  EXPECT_THROW(SaveReport(list, path), ESaveError);
  EXPECT_FALSE(std::ifstream(path).good());
}

TEST(ResourceRows, EachDescriptorTypeGoesToItsList) {
  TResourceDescriptorView port;
  port.type = 1, port.start = 0x3F8, port.length = 8, port.flagsText = "Port I/O";
  auto row = ResourceRow(port);
  EXPECT_EQ(row.list, rlPort);
  EXPECT_EQ(row.cells, (std::vector<std::string>{"0x000003F8", "0x8", "Port I/O"}));

  TResourceDescriptorView irq;
  irq.type = 2, irq.vector = 11, irq.level = 11, irq.affinity = 0xFFFFFFFF, irq.flagsText = "Latched";
  EXPECT_EQ(ResourceRow(irq).list, rlIRQ);
  EXPECT_EQ(ResourceRow(irq).cells, (std::vector<std::string>{"11", "11", "0xFFFFFFFF", "Latched"}));

  TResourceDescriptorView mem;
  mem.type = 3, mem.start = 0x1FEBFF000ull, mem.length = 0x1000;
  EXPECT_EQ(ResourceRow(mem).list, rlMemory);
  EXPECT_EQ(ResourceRow(mem).cells[0], "0x1FEBFF000");  // 64-bit start, more than 8 digits when needed

  TResourceDescriptorView dma;
  dma.type = 4, dma.channel = 2, dma.port = 0;
  EXPECT_EQ(ResourceRow(dma).cells, (std::vector<std::string>{"2", "0"}));

  TResourceDescriptorView data;
  data.type = 5, data.reserved1 = 1, data.dataSize = 0x20;
  EXPECT_EQ(ResourceRow(data).cells, (std::vector<std::string>{"0x1", "0x0", "0x20"}));
}

TEST(ResourceRows, OtherTypesAddNoRowAndTheGeneralLabelsAreAlwaysThere) {
  for (std::uint8_t type : {0, 6, 7, 128, 255}) {
    TResourceDescriptorView d;
    d.type = type;
    EXPECT_EQ(ResourceRow(d).list, rlNone) << int(type);
    EXPECT_TRUE(ResourceRow(d).cells.empty());
  }
  TResourceRecordView empty;
  empty.interfaceTypeName = "Isa";
  empty.busNumber = 0xFFFFFFFF;
  EXPECT_EQ(ResourceGeneralLabels(empty),
            (std::vector<std::string>{"Interface Type: Isa", "Bus Number: -1", "Version: 0", "Revision: 0"}));
}

}  // namespace
}  // namespace nsx::ui
