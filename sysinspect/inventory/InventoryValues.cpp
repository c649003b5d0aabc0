#include "../core/Norvik_Routines.h"
#include "../core/TextCompare.h"
#include "InventorySections.h"

namespace nsx::inventory {

std::int64_t Megabytes(std::int64_t bytes) {
  const std::int64_t kMegabyte = 1024 * 1024;
  return bytes <= 0 ? 0 : (bytes + kMegabyte / 2) / kMegabyte;
}

std::string FirstAddress(const std::vector<std::string>& addresses) {
  for (const auto& address : addresses) {
    std::string text = Trim(address);
    if (!text.empty() && text != "0.0.0.0") return text;
  }
  return "";
}

std::string EnvironmentValue(const std::vector<std::string>& environment, const std::string& name) {
  for (const auto& line : environment) {
    auto equals = line.find('=', 1);  // "=C:=C:\" entries start with their '='
    if (equals != std::string::npos && SameText(line.substr(0, equals), name)) return line.substr(equals + 1);
  }
  return "";
}

std::string IfDifferent(const std::string& text, const std::string& shown) {
  return Trim(text) == Trim(shown) ? "" : text;
}

std::string JoinNonEmpty(const std::vector<std::string>& items, const std::string& separator) {
  std::string joined;
  for (const auto& item : items) {
    std::string text = Trim(item);
    if (text.empty()) continue;
    if (!joined.empty()) joined += separator;
    joined += text;
  }
  return joined;
}

}  // namespace nsx::inventory
