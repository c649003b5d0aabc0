// The report document: escaping, the repeated-items form, the header with its
// encoding label, and the filter every line passes.
#include <gtest/gtest.h>

#include "TestMachine.h"
#include "core/AnsiText.h"
#include "core/NSX_Common.h"

namespace nsx {
namespace {

TEST(EscapeXML, ReplacesTheFiveSpecialCharactersAmpersandFirst) {
  EXPECT_EQ(EscapeXML("a<b & 'c'"), "a&lt;b &amp; &apos;c&apos;");
  EXPECT_EQ(EscapeXML("x=\"1\" > y"), "x=&quot;1&quot; &gt; y");
  // No attempt to detect entities already present.
  EXPECT_EQ(EscapeXML("&lt;"), "&amp;lt;");
  EXPECT_EQ(EscapeXML(""), "");
}

TEST(WriteStringsData, CountLineThenOneLinePerItem) {
  TReportList list(1252);
  WriteStringsData({"a", "b", "c"}, "Count", "Adapter", list);
  ASSERT_EQ(list.Count(), 4u);
  EXPECT_EQ(list[0], "<data name=\"Count\" type=\"integer\">3</data>");
  EXPECT_EQ(list[1], "<data name=\"Adapter[0]\" type=\"string\">a</data>");
  EXPECT_EQ(list[3], "<data name=\"Adapter[2]\" type=\"string\">c</data>");
}

TEST(WriteStringsData, EmptyListGivesOnlyTheCountOrNothing) {
  TReportList withCount(1252), withoutCount(1252);
  WriteStringsData({}, "Count", "Item", withCount);
  WriteStringsData({}, "", "Item", withoutCount);
  ASSERT_EQ(withCount.Count(), 1u);
  EXPECT_EQ(withCount[0], "<data name=\"Count\" type=\"integer\">0</data>");
  EXPECT_EQ(withoutCount.Count(), 0u);
  WriteStringsData({"<x>"}, "", "It&em", withoutCount);
  EXPECT_EQ(withoutCount[0], "<data name=\"It&amp;em[0]\" type=\"string\">&lt;x&gt;</data>");
}

TEST(DataLines, AttributeOrderNameTypeSourceUnit) {
  TReportList list(1252);
  WriteData(list, "Speed", "integer", "733", "CPUID", "MHz");
  WriteString(list, "Vendor", "A&B", "API");
  WriteInteger(list, "Big", 4294967295ll);
  WriteBoolean(list, "Flag", true);
  EXPECT_EQ(list[0], "<data name=\"Speed\" type=\"integer\" source=\"CPUID\" unit=\"MHz\">733</data>");
  EXPECT_EQ(list[1], "<data name=\"Vendor\" type=\"string\" source=\"API\">A&amp;B</data>");
  // Values above 2^31 - 1 pass through a signed 32-bit format item.
  EXPECT_EQ(list[2], "<data name=\"Big\" type=\"integer\">-1</data>");
  EXPECT_EQ(list[3], "<data name=\"Flag\" type=\"boolean\">1</data>");
}

TEST(Formats, FloatWithDecimalSeparatorAndHexRange) {
  EXPECT_EQ(FormatFloat1(12.34, ","), "12,3");
  EXPECT_EQ(FormatFloat1(0.05, "."), "0.1");
  EXPECT_EQ(FormatHexRange(0x3f8, 0xff), "03F8 - 00FF");
}

TEST(ReportList, SavedTextEndsEveryLineWithCrLf) {
  TReportList list(1252);
  list.Add("<a>");
  list.Add("</a>");
  EXPECT_EQ(list.Text(), "<a>\r\n</a>\r\n");
}

TEST(ReportList, ForbiddenControlCharactersAreReplaced) {
  TReportList list(1252);
  list.Add(std::string("x\x01y\tz\x1F\x7F", 7));
  EXPECT_EQ(list[0], "x?y\tz?\x7F");
  list.Add(std::string("nul\0end", 7));
  EXPECT_EQ(list[1], "nul?end");
}

TEST(SanitizeAnsiText, UndefinedSingleBytesBecomeQuestionMarks) {
  EXPECT_EQ(SanitizeAnsiText("\x80\x81\x8D\xE9", 1252), "\x80??\xE9");
  EXPECT_EQ(SanitizeAnsiText("\x98\xC0", 1251), "?\xC0");
  EXPECT_EQ(SanitizeAnsiText("\x81\xA5\xB9", 1250), "?\xA5\xB9");
}

TEST(SanitizeAnsiText, DoubleByteSequencesKeptBrokenOnesReplaced) {
  // Shift-JIS "日本" stays; a lead byte at the end or before a control byte does not.
  EXPECT_EQ(SanitizeAnsiText("\x93\xFA\x96\x7B", 932), "\x93\xFA\x96\x7B");
  EXPECT_EQ(SanitizeAnsiText("ab\x93", 932), "ab?");
  EXPECT_EQ(SanitizeAnsiText("\x93\x0A", 932), "?\x0A");
  // A trail byte that is also '\' (0x5C) belongs to its character.
  EXPECT_EQ(SanitizeAnsiText("\x95\x5C", 932), "\x95\x5C");
  EXPECT_EQ(SanitizeAnsiText("\xD6\xD0\xCE\xC4\xFF", 936), "\xD6\xD0\xCE\xC4?");
}

struct LabelCase {
  std::uint16_t langId;
  std::uint32_t codePage;
  const char* label;
};

TEST(EncodingLabel, NamesTheCharacterSetOfTheBytesWritten) {
  const LabelCase cases[] = {
      // LANGID  ACP   label
      {0x0409, 1252, "windows-1252"},   // English (US)
      {0x0809, 1252, "windows-1252"},   // English (UK): no table row of its own
      {0x0419, 1251, "windows-1251"},   // Russian: KOI8-R would misread the bytes
      {0x0415, 1250, "windows-1250"},   // Polish
      {0x0405, 1250, "windows-1250"},   // Czech keeps its table label
      {0x0404, 950, "Big5"},            // Chinese (Taiwan) keeps its table label
      {0x0804, 936, "GBK"},             // GB2312 lacks part of code page 936
      {0x0411, 932, "Windows-31J"},     // code page 932 with its extensions
      {0x0412, 949, "korean"},
      {0x040D, 1255, "windows-1255"},   // "hebrew" names ISO-8859-8
      {0x0419, 1252, "windows-1252"},   // Russian language on a Western code page
  };
  for (const auto& c : cases)
    EXPECT_EQ(EncodingLabel(c.langId, c.codePage), c.label) << std::hex << c.langId << " " << std::dec << c.codePage;
}

TEST(ReportHeader, DeclarationAndRootTag) {
  sim::SimMachine m = test::WinXPSP3();
  m.computerName = "pc-01";
  test::TestMachine machine(m);
  TReportList list;
  WriteReportHeader(list);
  WriteReportFooter(list);
  ASSERT_EQ(list.Count(), 3u);
  EXPECT_EQ(list[0], "<?xml version=\"1.0\" encoding=\"windows-1252\" standalone=\"yes\"?>");
  EXPECT_EQ(list[1], std::string("<classes componentname=\"Norvik System Information Component\" version=\"8.2\" "
                                 "copyright=\"") +
                         kCopyright + "\" os=\"Windows XP Service Pack 3 (5.1.2600)\" machine=\"PC-01\">");
  EXPECT_EQ(list[2], "</classes>");
}

TEST(ReportHeader, ServicePackTextCannotBreakTheRootTag) {
  sim::SimMachine m = test::WinXPSP3();
  m.version.csdVersion = "SP \"3\" <beta> & more";
  test::TestMachine machine(m);
  TReportList list;
  WriteReportHeader(list);
  EXPECT_NE(list[1].find("os=\"Windows XP SP &quot;3&quot; &lt;beta&gt; &amp; more (5.1.2600)\""),
            std::string::npos);
}

TEST(Copyright, HoldsNothingThatNeedsEscaping) {
  EXPECT_EQ(EscapeXML(kCopyright), kCopyright);
}

}  // namespace
}  // namespace nsx
