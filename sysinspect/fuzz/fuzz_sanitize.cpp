// Sanitised report text never holds a forbidden control character and keeps
// its length.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/AnsiText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  for (std::uint32_t codePage : {1252u, 1251u, 932u, 936u, 949u, 950u}) {
    std::string out = nsx::SanitizeAnsiText(text, codePage);
    if (out.size() != text.size()) std::abort();
    for (unsigned char c : out)
      if (c < 0x20 && c != '\t' && c != '\r' && c != '\n') std::abort();
  }
  return 0;
}
