#include "RegFile.h"

#include <vector>

#include "CodePage.h"
#include "ProfileError.h"

namespace nsx::sim {
namespace {

struct Line {
  int number;
  std::u16string text;
  std::u16string end;  // the line break as written (CR LF, CR or LF)
};

enum class Format { Regedit4, Version5 };

std::u16string Decode(const std::string& content, std::uint32_t codePage, bool* unicodeFile) {
  auto starts = [&](const char* bom, size_t n) { return content.compare(0, n, bom, n) == 0; };
  if (content.size() >= 2 && starts("\xFF\xFE", 2)) {
    *unicodeFile = true;
    std::u16string text((content.size() - 2) / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
      text[i] = static_cast<char16_t>(static_cast<unsigned char>(content[2 + 2 * i]) |
                                      (static_cast<unsigned char>(content[3 + 2 * i]) << 8));
    return text;
  }
  if (content.size() >= 3 && starts("\xEF\xBB\xBF", 3)) {
    *unicodeFile = true;
    return Utf8ToUtf16(content.substr(3));
  }
  *unicodeFile = false;
  return AnsiToUtf16(content, codePage);
}

std::vector<Line> SplitLines(const std::u16string& text) {
  std::vector<Line> lines;
  std::u16string current;
  int number = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      std::u16string end(1, c);
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') end += text[++i];
      lines.push_back({number++, current, end});
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) lines.push_back({number, current, {}});
  return lines;
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string Trim(const std::u16string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool StartsWith(const std::u16string& s, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i)
    if (i >= s.size() || s[i] != static_cast<char16_t>(prefix[i])) return false;
  return true;
}

bool StartsWithNoCase(const std::u16string& s, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i) {
    if (i >= s.size()) return false;
    char16_t c = s[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    char16_t p = static_cast<char16_t>(prefix[i]);
    if (p >= 'A' && p <= 'Z') p = static_cast<char16_t>(p - 'A' + 'a');
    if (c != p) return false;
  }
  return true;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

class Parser {
 public:
  Parser(std::uint32_t codePage, const std::string& fileName, SimRegistry& registry)
      : codePage_(codePage), fileName_(fileName), registry_(registry) {}

  void Run(const std::string& content) {
    bool unicodeFile = false;
    auto lines = SplitLines(Decode(content, codePage_, &unicodeFile));
    size_t i = 0;
    bool headerSeen = false;
    while (i < lines.size()) {
      int number = lines[i].number;
      std::u16string text = Trim(lines[i].text);
      ++i;
      if (text.empty()) continue;
      if (!headerSeen) {
        if (text == u"REGEDIT4") {
          format_ = Format::Regedit4;
        } else if (text == u"Windows Registry Editor Version 5.00") {
          format_ = Format::Version5;
        } else {
          Fail(number, "not a registry export (expected \"REGEDIT4\" or "
                       "\"Windows Registry Editor Version 5.00\" as the first line)");
        }
        headerSeen = true;
        continue;
      }
      if (text[0] == u';') continue;
      // A hexadecimal list may continue over lines ending in a backslash.
      while (!text.empty() && text.back() == u'\\' && i < lines.size() && EndsInHexData(text)) {
        text.pop_back();
        text += Trim(lines[i].text);
        ++i;
      }
      // A string holding line breaks goes on, breaks included, until its
      // closing quote (regedit writes such values as they are).
      if (text[0] != u'[') {
        size_t scanned = 0;
        bool open = false;
        while ((open = StillInsideString(text, open, &scanned)) && i < lines.size()) {
          text += lines[i - 1].end + lines[i].text;
          ++i;
        }
      }
      if (text[0] == u'[') {
        KeyLine(number, text);
      } else {
        ValueLine(number, text);
      }
    }
    if (!headerSeen) Fail(0, "empty file; expected a registry export");
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& message) {
    throw ProfileError(fileName_, line, message);
  }

  std::string Ansi(const std::u16string& text) { return Utf16ToAnsi(text, codePage_); }

  // True when the line is a value line whose data is a hex list.
  static bool EndsInHexData(const std::u16string& text) {
    if (text.empty() || text[0] == u'[') return false;
    auto eq = text.find(u"=hex");
    return eq != std::u16string::npos;
  }

  // Whether a quoted text is still open at the end of `text`, scanning on
  // from `*scanned` with the state `inside` found there (each character is
  // looked at once, however many lines a string spans).
  static bool StillInsideString(const std::u16string& text, bool inside, size_t* scanned) {
    size_t k = *scanned;
    for (; k < text.size(); ++k) {
      if (inside && text[k] == u'\\') {
        if (k + 1 == text.size()) break;  // what it escapes comes with the next line
        ++k;
      } else if (text[k] == u'"') {
        inside = !inside;
      }
    }
    *scanned = k;
    return inside;
  }

  void KeyLine(int number, const std::u16string& text) {
    auto close = text.rfind(u']');
    if (close == std::u16string::npos) Fail(number, "key line without a closing ']'");
    std::u16string trailing = Trim(text.substr(close + 1));
    if (!trailing.empty() && trailing[0] != u';') Fail(number, "text after the key's closing ']'");
    std::u16string path = text.substr(1, close - 1);
    if (!path.empty() && path[0] == u'-') {  // deletion: ignored, as are its values
      key_ = nullptr;
      inDeletedKey_ = true;
      return;
    }
    inDeletedKey_ = false;
    RegRoot root;
    std::string rest;
    if (!SplitRootPath(Ansi(path), &root, &rest)) Fail(number, "unknown registry root in key name");
    key_ = &registry_.Root(root).Create(rest);
  }

  // Reads a quoted text starting at `pos` (at the opening quote); leaves `pos`
  // after the closing quote.
  std::u16string Quoted(int number, const std::u16string& text, size_t& pos) {
    std::u16string out;
    ++pos;
    while (pos < text.size()) {
      char16_t c = text[pos++];
      if (c == u'"') return out;
      if (c == u'\\' && pos < text.size()) {
        char16_t next = text[pos++];
        if (next == u'\\' || next == u'"') {
          out += next;
        } else if (next == u'n') {
          out += u'\n';
        } else if (next == u'r') {
          out += u'\r';
        } else if (next == u'0') {
          out += u'\0';
        } else {
          out += c;
          out += next;
        }
        continue;
      }
      out += c;
    }
    Fail(number, "missing closing quote");
  }

  void ValueLine(int number, const std::u16string& text) {
    std::u16string name;
    size_t pos = 0;
    if (text[0] == u'@') {
      pos = 1;
    } else if (text[0] == u'"') {
      name = Quoted(number, text, pos);
    } else {
      Fail(number, "expected a key in brackets, a quoted value name or '@'");
    }
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    if (pos >= text.size() || text[pos] != u'=') Fail(number, "expected '=' after the value name");
    ++pos;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    std::u16string data = text.substr(pos);
    if (inDeletedKey_) return;
    if (!key_) Fail(number, "value before the first key");
    std::string valueName = Ansi(name);

    if (data == u"-") return;  // deletion: ignored
    if (!data.empty() && data[0] == u'"') {
      size_t at = 0;
      std::u16string value = Quoted(number, data, at);
      std::u16string rest = Trim(data.substr(at));
      if (!rest.empty() && rest[0] != u';') Fail(number, "text after the closing quote");
      StoreString(valueName, platform::kRegSz, Ansi(value));
      return;
    }
    if (StartsWithNoCase(data, "dword:")) {
      std::u16string digits = Trim(data.substr(6));
      if (digits.empty() || digits.size() > 8) Fail(number, "dword needs 1 to 8 hexadecimal digits");
      std::uint32_t value = 0;
      for (char16_t c : digits) {
        int d = HexDigit(c);
        if (d < 0) Fail(number, "bad hexadecimal digit in dword");
        value = value * 16 + static_cast<std::uint32_t>(d);
      }
      key_->SetValue(valueName, platform::kRegDword,
                     {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                      static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
      return;
    }
    if (StartsWithNoCase(data, "hex")) {
      HexValue(number, valueName, data);
      return;
    }
    Fail(number, "unknown value data (expected a quoted string, dword:, hex: or hex(n):)");
  }

  void HexValue(int number, const std::string& valueName, const std::u16string& data) {
    size_t pos = 3;
    std::uint32_t type = platform::kRegBinary;
    if (pos < data.size() && data[pos] == u'(') {
      auto close = data.find(u')', pos);
      if (close == std::u16string::npos || close == pos + 1 || close - pos > 9)
        Fail(number, "bad type in hex(n)");
      type = 0;
      for (size_t k = pos + 1; k < close; ++k) {
        int d = HexDigit(data[k]);
        if (d < 0) Fail(number, "bad type in hex(n)");
        type = type * 16 + static_cast<std::uint32_t>(d);
      }
      pos = close + 1;
    }
    if (pos >= data.size() || data[pos] != u':') Fail(number, "expected ':' after hex");
    ++pos;
    Bytes bytes;
    std::u16string list = Trim(data.substr(pos));
    size_t k = 0;
    while (k < list.size()) {
      while (k < list.size() && IsSpace(list[k])) ++k;
      if (k >= list.size()) break;
      if (list[k] == u';') break;
      int hi = HexDigit(list[k]);
      int lo = k + 1 < list.size() ? HexDigit(list[k + 1]) : -1;
      if (hi < 0 || lo < 0) Fail(number, "bad byte in hexadecimal list");
      bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
      k += 2;
      while (k < list.size() && IsSpace(list[k])) ++k;
      if (k < list.size() && list[k] == u',') {
        ++k;
      } else if (k < list.size() && list[k] != u';') {
        Fail(number, "expected ',' between bytes");
      }
    }
    if (format_ == Format::Version5 && IsTextType(type)) bytes = WideBytesToAnsi(bytes);
    key_->SetValue(valueName, type, std::move(bytes));
  }

  static bool IsTextType(std::uint32_t type) {
    return type == platform::kRegSz || type == platform::kRegExpandSz || type == platform::kRegMultiSz ||
           type == platform::kRegLink;
  }

  // Version 5.00 files hold text values as UTF-16LE bytes; the A functions
  // answer them in the ANSI code page.
  Bytes WideBytesToAnsi(const Bytes& wide) {
    std::u16string text(wide.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
      text[i] = static_cast<char16_t>(wide[2 * i] | (wide[2 * i + 1] << 8));
    std::string ansi = Ansi(text);
    return Bytes(ansi.begin(), ansi.end());
  }

  void StoreString(const std::string& name, std::uint32_t type, const std::string& value) {
    Bytes bytes(value.begin(), value.end());
    bytes.push_back(0);
    key_->SetValue(name, type, std::move(bytes));
  }

  std::uint32_t codePage_;
  std::string fileName_;
  SimRegistry& registry_;
  Format format_ = Format::Regedit4;
  SimKey* key_ = nullptr;
  bool inDeletedKey_ = false;
};

}  // namespace

void LoadRegFile(const std::string& content, std::uint32_t codePage, const std::string& fileName,
                 SimRegistry& registry) {
  Parser(codePage, fileName, registry).Run(content);
}

}  // namespace nsx::sim
