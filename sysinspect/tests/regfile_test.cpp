// Registry export files: both formats, every value type, continuations,
// comments, deletions, conversion to the ANSI code page, and errors.
#include <gtest/gtest.h>

#include "platform/sim/CodePage.h"
#include "platform/sim/ProfileError.h"
#include "platform/sim/RegFile.h"

namespace nsx::sim {
namespace {

using platform::Bytes;

const platform::RegValue* Value(SimRegistry& r, const std::string& path, const std::string& name) {
  RegRoot root;
  std::string rest;
  if (!SplitRootPath(path, &root, &rest)) return nullptr;
  SimKey* key = r.Root(root).Find(rest);
  return key ? key->FindValue(name) : nullptr;
}

std::string Str(const platform::RegValue* v) {
  return v ? std::string(v->data.begin(), v->data.end()) : std::string("<missing>");
}

// The bytes regedit writes for a version 5.00 export: UTF-16LE with a BOM.
std::string Utf16File(const std::string& utf8) {
  std::u16string text = Utf8ToUtf16(utf8);
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

TEST(RegFile, Regedit4AllValueTypes) {
  const std::string file =
      "REGEDIT4\r\n"
      "\r\n"
      "; a comment\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Test]\r\n"
      "@=\"default\"\r\n"
      "\"Quoted\"=\"say \\\"hi\\\" C:\\\\dir\"\r\n"
      "\"Number\"=dword:0000002a\r\n"
      "\"Bin\"=hex:01,0a,ff\r\n"
      "\"Expand\"=hex(2):25,54,45,4d,50,25,00\r\n"
      "\"Multi\"=hex(7):61,00,62,00,00\r\n"
      "\"Resources\"=hex(8):01,02\r\n"
      "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\r\n"
      "\"Empty\"=hex:\r\n"
      "\"Long\"=hex:01,02,\\\r\n"
      "  03,04\r\n";
  SimRegistry r;
  LoadRegFile(file, 1252, "test.reg", r);
  const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Test";
  EXPECT_EQ(Str(Value(r, key, "")), std::string("default\0", 8));
  EXPECT_EQ(Str(Value(r, key, "Quoted")), std::string("say \"hi\" C:\\dir\0", 16));
  EXPECT_EQ(Value(r, key, "Number")->type, platform::kRegDword);
  EXPECT_EQ(Value(r, key, "Number")->data, (Bytes{0x2A, 0, 0, 0}));
  EXPECT_EQ(Value(r, key, "Bin")->data, (Bytes{0x01, 0x0A, 0xFF}));
  EXPECT_EQ(Value(r, key, "Expand")->type, platform::kRegExpandSz);
  EXPECT_EQ(Str(Value(r, key, "Expand")), std::string("%TEMP%\0", 7));
  EXPECT_EQ(Value(r, key, "Multi")->type, platform::kRegMultiSz);
  EXPECT_EQ(Value(r, key, "Resources")->type, platform::kRegResourceList);
  EXPECT_EQ(Value(r, key, "Qword")->type, platform::kRegQword);
  EXPECT_TRUE(Value(r, key, "Empty")->data.empty());
  EXPECT_EQ(Value(r, key, "Long")->data, (Bytes{1, 2, 3, 4}));
}

TEST(RegFile, Version5IsUtf16AndItsTextValuesReachTheCodePage) {
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Zażółć]\r\n"
      "\"Gęś\"=\"Łódź\"\r\n"
      "\"Path\"=hex(2):25,00,77,00,69,00,6e,00,64,00,69,00,72,00,25,00,5c,00,\\\r\n"
      "  d3,00,00,00\r\n"
      "\"List\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n";
  SimRegistry r;
  LoadRegFile(Utf16File(text), 1250, "v5.reg", r);
  const std::string key = "HKEY_CURRENT_USER\\Software\\Za\xBF\xF3\xB3\xE6";  // code page 1250
  EXPECT_EQ(Str(Value(r, key, "G\xEA\x9C")), std::string("\xA3\xF3\x64\x9F\0", 5));
  EXPECT_EQ(Str(Value(r, key, "Path")), std::string("%windir%\\\xD3\0", 11));
  EXPECT_EQ(Str(Value(r, key, "List")), std::string("a\0b\0\0", 5));
}

TEST(RegFile, Regedit4BytesAreAnsiOfTheProfile) {
  // "Привет" in code page 1251, as a Russian REGEDIT4 export holds it.
  const std::string file = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\S]\n\"Name\"=\"\xCF\xF0\xE8\xE2\xE5\xF2\"\n";
  SimRegistry r;
  LoadRegFile(file, 1251, "ru.reg", r);
  EXPECT_EQ(Str(Value(r, "HKLM\\S", "Name")), std::string("\xCF\xF0\xE8\xE2\xE5\xF2\0", 7));
}

TEST(RegFile, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  SimRegistry r;
  LoadRegFile(Utf16File("Windows Registry Editor Version 5.00\n[HKEY_USERS\\x]\n\"v\"=\"a中b\"\n"), 1252, "x.reg", r);
  EXPECT_EQ(Str(Value(r, "HKEY_USERS\\x", "v")), std::string("a?b\0", 4));
}

TEST(RegFile, DeletionsAreIgnored) {
  const std::string file =
      "REGEDIT4\n"
      "[HKEY_LOCAL_MACHINE\\A]\n"
      "\"Keep\"=\"1\"\n"
      "\"Gone\"=-\n"
      "[-HKEY_LOCAL_MACHINE\\B]\n"
      "\"Ignored\"=\"x\"\n";
  SimRegistry r;
  LoadRegFile(file, 1252, "del.reg", r);
  EXPECT_NE(Value(r, "HKLM\\A", "Keep"), nullptr);
  EXPECT_EQ(Value(r, "HKLM\\A", "Gone"), nullptr);
  EXPECT_EQ(r.Root(RegRoot::LocalMachine).Find("B"), nullptr);
}

TEST(RegFile, KeysAndValuesAreFoundWithoutRegardToCase) {
  SimRegistry r;
  LoadRegFile("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\ABC]\n\"Val\"=\"1\"\n[hkey_local_machine\\SOFTWARE\\abc\\Sub]\n",
              1252, "case.reg", r);
  SimKey* key = r.Root(RegRoot::LocalMachine).Find("software\\abc");
  ASSERT_NE(key, nullptr);
  EXPECT_NE(key->FindValue("VAL"), nullptr);
  EXPECT_EQ(key->subKeys.size(), 1u);
}

struct BadFile {
  const char* content;
  int line;
};

TEST(RegFile, ErrorsNameFileAndLine) {
  const BadFile cases[] = {
      {"not a registry file\n", 1},
      {"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A\n", 3},
      {"REGEDIT4\n[HKEY_NOWHERE\\A]\n", 2},
      {"REGEDIT4\n\"v\"=\"before any key\"\n", 2},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:123456789\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:xyz\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex:1,2\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex(zz):01\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=\"unterminated\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=something\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\nv=\"x\"\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"ok\"=hex:01,\\\n  02\n\"v\"\n", 5},
  };
  for (const auto& c : cases) {
    SimRegistry r;
    try {
      LoadRegFile(c.content, 1252, "bad.reg", r);
      ADD_FAILURE() << "accepted: " << c.content;
    } catch (const ProfileError& e) {
      EXPECT_EQ(e.File(), "bad.reg");
      EXPECT_EQ(e.Line(), c.line) << e.what();
      EXPECT_NE(std::string(e.what()).find("bad.reg:" + std::to_string(c.line)), std::string::npos);
    }
  }
}

TEST(RegFile, StringsHoldingLineBreaksGoOnToTheirClosingQuote) {
  // As regedit exports a comment of several lines (a real XP uninstall entry).
  SimRegistry r;
  LoadRegFile(Utf16File("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n"
                        "\"Comments\"=\"First line.\r\r\nSecond \\\"quoted\\\" line.\r\r\nLast.\"\r\n"
                        "\"DisplayName\"=\"After\"\r\n"),
              1252, "multi.reg", r);
  EXPECT_EQ(Str(Value(r, "HKLM\\A", "Comments")),
            std::string("First line.\r\r\nSecond \"quoted\" line.\r\r\nLast.\0", 44));
  EXPECT_EQ(Str(Value(r, "HKLM\\A", "DisplayName")), std::string("After\0", 6));
}

TEST(RegFile, EmptyFileIsAnError) {
  SimRegistry r;
  EXPECT_THROW(LoadRegFile("", 1252, "empty.reg", r), ProfileError);
  EXPECT_THROW(LoadRegFile("\xFF\xFE", 1252, "empty.reg", r), ProfileError);
}

}  // namespace
}  // namespace nsx::sim
