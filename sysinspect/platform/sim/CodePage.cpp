#include "CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace nsx::sim {
namespace {

// One iconv conversion descriptor, closed on scope exit.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error("no conversion from " + from + " to " + to);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() { iconv_close(cd_); }

  // Converts `in`; an input unit that cannot be converted is skipped
  // (`skip` bytes) and `replacement` is written in its place.
  std::string Run(const char* data, size_t size, size_t skip, const std::string& replacement) {
    std::string out;
    std::vector<char> buffer(4 * size + 16);
    char* in = const_cast<char*>(data);
    size_t inLeft = size;
    while (inLeft > 0) {
      char* outPtr = buffer.data();
      size_t outLeft = buffer.size();
      size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
      out.append(buffer.data(), buffer.size() - outLeft);
      if (rc != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence at the end): replace one unit.
      size_t step = inLeft < skip ? inLeft : skip;
      in += step;
      inLeft -= step;
      out += replacement;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

std::u16string FromUtf16Bytes(const std::string& bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return text;
}

std::string ToUtf16Bytes(const std::u16string& text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

const std::string kReplacementUtf16("\xFD\xFF", 2);  // U+FFFD, little-endian

}  // namespace

std::string IconvName(std::uint32_t codePage) {
  switch (codePage) {
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    case 65001: return "UTF-8";
    default: return "CP" + std::to_string(codePage);
  }
}

std::u16string AnsiToUtf16(const std::string& text, std::uint32_t codePage) {
  Converter converter("UTF-16LE", IconvName(codePage));
  return FromUtf16Bytes(converter.Run(text.data(), text.size(), 1, kReplacementUtf16));
}

std::string Utf16ToAnsi(const std::u16string& text, std::uint32_t codePage) {
  Converter converter(IconvName(codePage), "UTF-16LE");
  std::string bytes = ToUtf16Bytes(text);
  return converter.Run(bytes.data(), bytes.size(), 2, "?");
}

std::u16string Utf8ToUtf16(const std::string& text) {
  Converter converter("UTF-16LE", "UTF-8");
  return FromUtf16Bytes(converter.Run(text.data(), text.size(), 1, kReplacementUtf16));
}

std::string Utf16ToUtf8(const std::u16string& text) {
  Converter converter("UTF-8", "UTF-16LE");
  std::string bytes = ToUtf16Bytes(text);
  return converter.Run(bytes.data(), bytes.size(), 2, "\xEF\xBF\xBD");
}

std::string Utf8ToAnsi(const std::string& text, std::uint32_t codePage) {
  return Utf16ToAnsi(Utf8ToUtf16(text), codePage);
}

}  // namespace nsx::sim
