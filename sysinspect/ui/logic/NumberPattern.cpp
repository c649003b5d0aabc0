#include "NumberPattern.h"

namespace nsx::ui {
namespace {

struct Picture {
  std::string prefix, suffix;
  int requiredDigits = 0;
  bool grouped = false;
};

Picture ParsePicture(const std::string& pattern) {
  Picture p;
  size_t first = pattern.find_first_of("#0");
  if (first == std::string::npos) {
    p.prefix = pattern;
    return p;
  }
  size_t last = pattern.find_last_of("#0");
  p.prefix = pattern.substr(0, first);
  p.suffix = pattern.substr(last + 1);
  for (size_t i = first; i <= last; ++i) {
    if (pattern[i] == '0') ++p.requiredDigits;
    if (pattern[i] == ',') p.grouped = true;
  }
  return p;
}

std::string Render(const Picture& p, bool negative, std::uint64_t magnitude, const std::string& separator) {
  std::string digits = magnitude == 0 ? std::string() : std::to_string(magnitude);
  while (static_cast<int>(digits.size()) < p.requiredDigits) digits.insert(digits.begin(), '0');
  if (p.grouped && !separator.empty()) {
    std::string grouped;
    int count = 0;
    for (size_t i = digits.size(); i-- > 0;) {
      if (count > 0 && count % 3 == 0) grouped.insert(0, separator);
      grouped.insert(grouped.begin(), digits[i]);
      ++count;
    }
    digits = grouped;
  }
  return p.prefix + (negative && magnitude != 0 ? "-" : "") + digits + p.suffix;
}

}  // namespace

std::string FormatNumber(const std::string& pattern, std::uint64_t value, const std::string& thousandSeparator) {
  return Render(ParsePicture(pattern), false, value, thousandSeparator);
}

std::string FormatNumber(const std::string& pattern, std::int64_t value, const std::string& thousandSeparator) {
  bool negative = value < 0;
  std::uint64_t magnitude =
      negative ? static_cast<std::uint64_t>(-(value + 1)) + 1 : static_cast<std::uint64_t>(value);
  return Render(ParsePicture(pattern), negative, magnitude, thousandSeparator);
}

}  // namespace nsx::ui
