// Text comparison without regard to case (ASCII letters, as the framework's
// CompareText and SameText).
#pragma once
#include <string>

namespace nsx {

// Negative, zero or positive as `a` sorts before, with or after `b`.
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
// True when `text` begins with `prefix`, compared without regard to case.
bool StartsText(const std::string& prefix, const std::string& text);

}  // namespace nsx
