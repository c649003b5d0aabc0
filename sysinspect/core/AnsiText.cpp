#include "AnsiText.h"

#include <cstring>

namespace nsx {
namespace {

// Bytes each single-byte ANSI code page leaves undefined.
struct UndefinedBytes {
  std::uint32_t codePage;
  const char* bytes;
};
const UndefinedBytes kUndefined[] = {
    // code page  undefined bytes
    {874, "\x81\x82\x83\x84\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F\x90\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F"
          "\xDB\xDC\xDD\xDE\xFC\xFD\xFE\xFF"},
    {1250, "\x81\x83\x88\x90\x98"},
    {1251, "\x98"},
    {1252, "\x81\x8D\x8F\x90\x9D"},
    {1253, "\x81\x88\x8A\x8C\x8D\x8E\x8F\x90\x98\x9A\x9C\x9D\x9E\x9F\xAA\xD2\xFF"},
    {1254, "\x81\x8D\x8E\x8F\x90\x9D\x9E"},
    {1255, "\x81\x8A\x8C\x8D\x8E\x8F\x90\x9A\x9C\x9D\x9E\x9F\xCA\xD9\xDA\xDB\xDC\xDD\xDE\xDF\xFB\xFC\xFF"},
    {1256, ""},
    {1257, "\x81\x83\x88\x8A\x8C\x90\x98\x9A\x9C\x9F\xA1\xA5"},
    {1258, "\x81\x8A\x8D\x8E\x8F\x90\x9A\x9D\x9E"},
};

// Double-byte code pages: lead-byte range(s), trail-byte ranges, and the
// single bytes that are undefined.
struct DoubleByte {
  std::uint32_t codePage;
  std::uint8_t lead1Lo, lead1Hi, lead2Lo, lead2Hi;
  std::uint8_t trail1Lo, trail1Hi, trail2Lo, trail2Hi, trail3Lo, trail3Hi;
  const char* undefinedSingles;
};
const DoubleByte kDoubleByte[] = {
    // cp   lead ranges           trail ranges                           undefined singles
    {932, 0x81, 0x9F, 0xE0, 0xFC, 0x40, 0x7E, 0x80, 0xFC, 0x80, 0xFC, "\x80\xA0\xFD\xFE\xFF"},
    {936, 0x81, 0xFE, 0x81, 0xFE, 0x40, 0x7E, 0x80, 0xFE, 0x80, 0xFE, "\xFF"},
    {949, 0x81, 0xFE, 0x81, 0xFE, 0x41, 0x5A, 0x61, 0x7A, 0x81, 0xFE, "\x80\xFF"},
    {950, 0x81, 0xFE, 0x81, 0xFE, 0x40, 0x7E, 0xA1, 0xFE, 0xA1, 0xFE, "\x80\xFF"},
};

bool In(std::uint8_t c, std::uint8_t lo, std::uint8_t hi) { return c >= lo && c <= hi; }

bool IsForbiddenControl(std::uint8_t c) { return c < 0x20 && c != '\t' && c != '\r' && c != '\n'; }

bool Contains(const char* set, std::uint8_t c) {
  return c != 0 && std::strchr(set, static_cast<char>(c)) != nullptr;
}

const UndefinedBytes* SingleByteTable(std::uint32_t codePage) {
  for (const auto& row : kUndefined)
    if (row.codePage == codePage) return &row;
  return nullptr;
}

const DoubleByte* DoubleByteTable(std::uint32_t codePage) {
  for (const auto& row : kDoubleByte)
    if (row.codePage == codePage) return &row;
  return nullptr;
}

// The labels of the system's default language, and the ANSI code page whose
// bytes each label reads back correctly (0: none of them).
struct LanguageLabel {
  std::uint16_t langId;
  const char* label;
  std::uint32_t codePage;
};
const LanguageLabel kLanguageLabels[] = {
    // LANGID  label           code page it names
    {0x0404, "Big5", 950},
    {0x0405, "windows-1250", 1250},
    {0x040D, "hebrew", 28598},      // ISO-8859-8, not the ANSI code page 1255
    {0x0411, "Shift_JIS", 0},       // lacks the code page's vendor extensions
    {0x0412, "korean", 949},
    {0x0419, "KOI8-R", 20866},      // never an ANSI code page
    {0x0804, "GB2312", 20936},      // a subset of code page 936
};

// The label of each ANSI code page's character set.
struct CodePageLabel {
  std::uint32_t codePage;
  const char* label;
};
const CodePageLabel kCodePageLabels[] = {
    // code page  label
    {874, "windows-874"},
    {932, "Windows-31J"},
    {936, "GBK"},
    {949, "korean"},
    {950, "Big5"},
    {1250, "windows-1250"},
    {1251, "windows-1251"},
    {1252, "windows-1252"},
    {1253, "windows-1253"},
    {1254, "windows-1254"},
    {1255, "windows-1255"},
    {1256, "windows-1256"},
    {1257, "windows-1257"},
    {1258, "windows-1258"},
    {28591, "iso8859-1"},
    {65001, "UTF-8"},
};

}  // namespace

std::string SanitizeAnsiText(const std::string& text, std::uint32_t codePage) {
  std::string out = text;
  const UndefinedBytes* single = SingleByteTable(codePage);
  const DoubleByte* dbcs = DoubleByteTable(codePage);
  for (size_t i = 0; i < out.size(); ++i) {
    auto c = static_cast<std::uint8_t>(out[i]);
    if (IsForbiddenControl(c)) {
      out[i] = '?';
    } else if (single && Contains(single->bytes, c)) {
      out[i] = '?';
    } else if (dbcs && c >= 0x80) {
      bool lead = In(c, dbcs->lead1Lo, dbcs->lead1Hi) || In(c, dbcs->lead2Lo, dbcs->lead2Hi);
      if (lead) {
        auto t = i + 1 < out.size() ? static_cast<std::uint8_t>(out[i + 1]) : 0;
        bool trail = In(t, dbcs->trail1Lo, dbcs->trail1Hi) || In(t, dbcs->trail2Lo, dbcs->trail2Hi) ||
                     In(t, dbcs->trail3Lo, dbcs->trail3Hi);
        if (trail) {
          ++i;
        } else {
          out[i] = '?';  // the next byte is looked at again on its own
        }
      } else if (Contains(dbcs->undefinedSingles, c)) {
        out[i] = '?';
      }
    }
  }
  return out;
}

std::string EncodingLabel(std::uint16_t langId, std::uint32_t codePage) {
  for (const auto& row : kLanguageLabels)
    if (row.langId == langId && row.codePage == codePage) return row.label;
  for (const auto& row : kCodePageLabels)
    if (row.codePage == codePage) return row.label;
  return "windows-" + std::to_string(codePage);
}

}  // namespace nsx
