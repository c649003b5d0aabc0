#include "CommaText.h"

namespace nsx {

std::string CommaText(const TStringList& list) {
  std::string text;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string& item = list[i];
    if (i) text += ',';
    if (item.find_first_of(" ,\"") == std::string::npos) {
      text += item;
      continue;
    }
    text += '"';
    for (char c : item) text += c == '"' ? std::string("\"\"") : std::string(1, c);
    text += '"';
  }
  return text;
}

}  // namespace nsx
