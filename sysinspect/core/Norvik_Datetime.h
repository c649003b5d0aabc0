// Durations in words.
#pragma once
#include <cstdint>
#include <string>

namespace nsx {

// "1 Day, 1 Hour, 1 Minute, 1 Second." from whole seconds: every unit from
// the largest non-zero one down to minutes, then the seconds.
std::string FormatDuration(std::int64_t seconds);

}  // namespace nsx
