#include "Norvik_Datetime.h"

namespace nsx {
namespace {

struct DurationUnit {
  std::int64_t seconds;
  const char* singular;
  const char* plural;
};
const DurationUnit kUnits[] = {
    // seconds      singular       plural
    {3157920000LL, " Century, ", " Centuries, "},  // 36,550 days
    {31579200LL, " Year, ", " Years, "},           // 365.5 days
    {2678400LL, " Month, ", " Months, "},          // 31 days
    {604800LL, " Week, ", " Weeks, "},
    {86400LL, " Day, ", " Days, "},
    {3600LL, " Hour, ", " Hours, "},
    {60LL, " Minute, ", " Minutes, "},
};

}  // namespace

std::string FormatDuration(std::int64_t seconds) {
  std::int64_t rest = seconds;
  std::string text;
  bool started = false;
  for (const auto& unit : kUnits) {
    std::int64_t count = rest / unit.seconds;
    rest -= count * unit.seconds;
    if (count != 0) started = true;
    if (!started) continue;
    // Counts are 16-bit values.
    auto shown = static_cast<std::uint16_t>(count);
    text += std::to_string(shown) + (shown == 1 ? unit.singular : unit.plural);
  }
  text += std::to_string(rest) + (rest == 1 ? " Second." : " Seconds.");
  return text;
}

}  // namespace nsx
