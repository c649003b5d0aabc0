// Shared routines: environment, registry values as text, durations, blank
// test, file version resources.
#include <gtest/gtest.h>

#include "TestMachine.h"
#include "core/Norvik_Datetime.h"
#include "core/Norvik_Routines.h"
#include "core/RegistryText.h"
#include "core/VersionResource.h"

namespace nsx {
namespace {

using platform::RegRoot;

TEST(GetEnvironment, ListsEntriesInBlockOrder) {
  sim::SimMachine m;
  m.environment = {"PATH=C:\\WINDOWS", "TEMP=C:\\TEMP", "=C:=C:\\"};
  test::TestMachine machine(m);
  TStringList list = {"stale"};
  GetEnvironment(list);
  EXPECT_EQ(list, (TStringList{"PATH=C:\\WINDOWS", "TEMP=C:\\TEMP", "=C:=C:\\"}));
}

TEST(GetEnvironment, NeverReadsBeyond4096Bytes) {
  sim::SimMachine m;
  std::string first = "A=" + std::string(4000, 'x');  // 4003 bytes with its NUL
  std::string second = "B=" + std::string(90, 'y');   // ends at byte 4096
  std::string third = "C=zz";                          // starts past the limit
  m.environment = {first, second, third};
  test::TestMachine machine(m);
  TStringList list;
  GetEnvironment(list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1], second);

  // An entry that is cut by the limit is not listed.
  machine.Data().environment = {first, "B=" + std::string(100, 'y')};
  GetEnvironment(list);
  EXPECT_EQ(list.size(), 1u);
}

TEST(GetEnvironment, EmptyBlock) {
  sim::SimMachine m;
  test::TestMachine machine(m);
  TStringList list = {"x"};
  GetEnvironment(list);
  EXPECT_TRUE(list.empty());
}

TEST(RenderRegistryValue, EachTypeAsText) {
  auto none = [](const std::string&) { return std::optional<std::string>(); };
  using platform::Bytes;
  EXPECT_EQ(RenderRegistryValue(platform::kRegSz, Bytes{'a', 'b', 0, 'c'}, false, none), "ab");
  EXPECT_EQ(RenderRegistryValue(platform::kRegDword, Bytes{0xFF, 0xFF, 0xFF, 0xFF}, false, none), "-1");
  EXPECT_EQ(RenderRegistryValue(platform::kRegDword, Bytes{0x2A, 0, 0, 0}, false, none), "42");
  EXPECT_EQ(RenderRegistryValue(platform::kRegDwordBigEndian, Bytes{0, 0, 0, 0x2A}, false, none), "42");
  EXPECT_EQ(RenderRegistryValue(platform::kRegMultiSz, Bytes{'a', 0, 'b', 0, 0}, false, none), "a\r\nb");
  EXPECT_EQ(RenderRegistryValue(platform::kRegMultiSz, Bytes{0, 0}, false, none), "");
  EXPECT_EQ(RenderRegistryValue(platform::kRegMultiSz, Bytes{}, false, none), "");
  EXPECT_EQ(RenderRegistryValue(platform::kRegBinary, Bytes{0x01, 0x0A, 0xFF}, false, none), "01 0A FF");
  EXPECT_EQ(RenderRegistryValue(platform::kRegBinary, Bytes{}, false, none), "");
  EXPECT_EQ(RenderRegistryValue(platform::kRegBinary, Bytes{'h', 'i', 0, 'x', 0}, true, none), "hi\r\nx");
  EXPECT_EQ(RenderRegistryValue(platform::kRegResourceList, Bytes{0xAB}, false, none), "AB");
  // A multi-string whose item ends in LF gets no extra line break.
  EXPECT_EQ(MultiStringBytesAsText(Bytes{'a', '\n', 0, 'b', 0, 0}), "a\nb");
}

TEST(MultiStringBytesAsText, EndsAtTheDoubleNulOrTheEndOfTheData) {
  using platform::Bytes;
  auto bytes = [](const std::string& text) { return Bytes(text.begin(), text.end()); };
  const std::pair<std::string, std::string> cases[] = {
      // data                               text
      {"C:\\windows\\inf",                    "C:\\windows\\inf"},  // no final NUL
      {std::string("a\0b", 3),               "a\r\nb"},
      {std::string("a\0b\0", 4),            "a\r\nb"},
      {std::string("a\0\0junk\0\0", 9),    "a"},  // nothing after the double NUL
      {std::string("a\n\0\0", 4),           "a\n"},  // only an added separator is dropped
      {std::string("\0\0", 2),               ""},
      {std::string("\0a\0\0", 4),           "\r\na"},
  };
  for (const auto& [data, text] : cases) EXPECT_EQ(MultiStringBytesAsText(bytes(data)), text) << data;
}

TEST(ReadRegistryValueAsText, ReadsThroughTheRegistry) {
  sim::SimMachine m;
  m.environment = {"SystemRoot=C:\\WINNT"};
  const std::string key = "HKLM\\SOFTWARE\\Test";
  m.registry.SetString(key, "Path", "%SystemRoot%\\system32", platform::kRegExpandSz);
  m.registry.SetString(key, "Unknown", "%NoSuchVar%\\x", platform::kRegExpandSz);
  m.registry.SetDword(key, "Max", 4294967295u);
  m.registry.SetMultiString(key, "List", {"one", "two"});
  m.registry.SetBinary(key, "Bin", {0x01, 0x0A, 0xFF});
  m.registry.SetString(key, "", "default");
  test::TestMachine machine(m);
  EXPECT_EQ(ReadRegistryValueAsText(RegRoot::LocalMachine, "\\SOFTWARE\\Test", "Path", false),
            "C:\\WINNT\\system32");
  EXPECT_EQ(ReadRegistryValueAsText(RegRoot::LocalMachine, "SOFTWARE\\Test", "Unknown", false), "%NoSuchVar%\\x");
  EXPECT_EQ(ReadRegistryValueAsText(RegRoot::LocalMachine, "SOFTWARE\\test", "max", false), "-1");
  EXPECT_EQ(ReadRegistryValueAsText(RegRoot::LocalMachine, "SOFTWARE\\Test", "List", false), "one\r\ntwo");
  EXPECT_EQ(ReadRegistryValueAsText(RegRoot::LocalMachine, "SOFTWARE\\Test", "Bin", false), "01 0A FF");
  EXPECT_EQ(ReadRegistryValueAsText(RegRoot::LocalMachine, "SOFTWARE\\Test", "", false), "default");
  EXPECT_EQ(ReadRegistryValueAsText(RegRoot::LocalMachine, "SOFTWARE\\Test", "Missing", false), "");
  EXPECT_EQ(ReadRegistryValueAsText(RegRoot::LocalMachine, "SOFTWARE\\Nowhere", "Path", false), "");
  EXPECT_EQ(ReadRegistryValueAsText(RegRoot::CurrentUser, "SOFTWARE\\Test", "Path", false), "");
  // Every key that was opened was closed again.
  EXPECT_EQ(machine.Platform().RegistryApi().OpenHandleCount(), 0u);
}

TEST(FormatDuration, CountsInWords) {
  EXPECT_EQ(FormatDuration(0), "0 Seconds.");
  EXPECT_EQ(FormatDuration(1), "1 Second.");
  EXPECT_EQ(FormatDuration(59), "59 Seconds.");
  EXPECT_EQ(FormatDuration(3725), "1 Hour, 2 Minutes, 5 Seconds.");
  EXPECT_EQ(FormatDuration(90061), "1 Day, 1 Hour, 1 Minute, 1 Second.");
  EXPECT_EQ(FormatDuration(86400), "1 Day, 0 Hours, 0 Minutes, 0 Seconds.");
  EXPECT_EQ(FormatDuration(604800 + 60), "1 Week, 0 Days, 0 Hours, 1 Minute, 0 Seconds.");
  // Years of 365.5 days and months of 31 days.
  EXPECT_EQ(FormatDuration(31579200), "1 Year, 0 Months, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds.");
  EXPECT_EQ(FormatDuration(2 * 3157920000LL + 2678400),
            "2 Centuries, 0 Years, 1 Month, 0 Weeks, 0 Days, 0 Hours, 0 Minutes, 0 Seconds.");
}

TEST(IsBlank, BlanksAndControlCharacters) {
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank(" \t\r\n "));
  EXPECT_TRUE(IsBlank(std::string("\0\x01 ", 3)));
  EXPECT_FALSE(IsBlank(" x "));
  EXPECT_EQ(Trim("  a b \t"), "a b");
}

TEST(GetFileVerInfo, VersionAndStringsOfTheFirstTranslation) {
  sim::SimMachine m;
  m.versionResources["C:\\WINDOWS\\system32\\kernel32.dll"] = test::BuildVersionResource(
      0x00050001, 0x0A280B0C, 0x0409, 0x04B0,
      {{"CompanyName", u"Microsoft Corporation"},
       {"FileDescription", u"Windows NT BASE API Client DLL"},
       {"LegalCopyright", u"\u00A9 Microsoft Corporation. All rights reserved."},
       {"ProductName", u"Microsoft\u00AE Windows\u00AE Operating System"}});
  test::TestMachine machine(m);
  TVersionInfo info;
  ASSERT_TRUE(GetFileVerInfo("c:\\windows\\SYSTEM32\\kernel32.dll", info));
  EXPECT_EQ(info.FileName, "c:\\windows\\SYSTEM32\\kernel32.dll");
  EXPECT_EQ(info.Version, "5.1.2600.2828");
  EXPECT_EQ(info.Major, 5u);
  EXPECT_EQ(info.Build, 2828u);
  EXPECT_EQ(info.CompanyName, "Microsoft Corporation");
  EXPECT_EQ(info.Description, "Windows NT BASE API Client DLL");
  EXPECT_EQ(info.Copyright, "\xA9 Microsoft Corporation. All rights reserved.");  // in code page 1252
  EXPECT_EQ(info.ProductName, "Microsoft\xAE Windows\xAE Operating System");
  EXPECT_EQ(info.Comments, "");
  EXPECT_EQ(GetFileVersion("C:\\WINDOWS\\system32\\kernel32.dll"), "5.1.2600.2828");
  EXPECT_EQ(GetFileCopyright("C:\\WINDOWS\\system32\\kernel32.dll"), info.Copyright);
}

TEST(GetFileVerInfo, MissingFileOrEmptyName) {
  test::TestMachine machine;
  TVersionInfo info;
  info.Version = "untouched";
  EXPECT_FALSE(GetFileVerInfo("", info));
  EXPECT_EQ(info.FileName, "");
  EXPECT_FALSE(GetFileVerInfo("C:\\nothing.dll", info));
  EXPECT_EQ(info.FileName, "C:\\nothing.dll");
  EXPECT_EQ(info.Version, "untouched");
  EXPECT_EQ(GetFileVersion("C:\\nothing.dll"), "");
}

TEST(VersionBlock, TruncatedOrCorruptBlocksAreRejectedSafely) {
  auto good = test::BuildVersionResource(0x00010002, 0x00030004, 0x0409, 0x04E4, {{"Comments", u"hello"}});
  ASSERT_TRUE(ParseVersionBlock(good).has_value());
  for (size_t cut = 0; cut < good.size(); cut += 7) {
    platform::Bytes part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    auto block = ParseVersionBlock(part);  // must not read past the buffer
    if (block) EXPECT_LE(cut, good.size());
  }
  auto block = ParseVersionBlock(good);
  EXPECT_EQ(TranslationKey(*QueryFirstTranslation(*block)), "040904E4");
  auto text = QueryVersionString(*block, "040904e4", "comments",
                                 [](const std::u16string& s) { return std::string(s.begin(), s.end()); });
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, "hello");
}

}  // namespace
}  // namespace nsx
