#include "Norvik_Datetime.h"

#include <cmath>

#include "NSX_Common.h"

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

constexpr double kMillisecondsPerDay = 86400000.0;

// Days since 1 March of year 0 in the proleptic Gregorian calendar, so that
// the leap day closes the counting year.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe);
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

const std::int64_t kDayZero = DaysFromCivil(1899, 12, 30);

std::int64_t WholeDays(TDateTime value) { return static_cast<std::int64_t>(std::trunc(value)); }

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

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

TDateTime EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month))
    throw Exception("Invalid argument to date encode");
  return static_cast<TDateTime>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                                kDayZero);
}

TDateTime EncodeTime(int hour, int minute, int second, int milliseconds) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || milliseconds < 0 ||
      milliseconds > 999)
    throw Exception("Invalid argument to time encode");
  return ((hour * 3600.0 + minute * 60.0 + second) * 1000.0 + milliseconds) / kMillisecondsPerDay;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  CivilFromDays(WholeDays(value) + kDayZero, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& milliseconds) {
  double fraction = std::fabs(value - std::trunc(value));
  auto ms = static_cast<std::int64_t>(std::llround(fraction * kMillisecondsPerDay));
  if (ms >= static_cast<std::int64_t>(kMillisecondsPerDay)) ms = static_cast<std::int64_t>(kMillisecondsPerDay) - 1;
  hour = static_cast<int>(ms / 3600000);
  minute = static_cast<int>(ms / 60000 % 60);
  second = static_cast<int>(ms / 1000 % 60);
  milliseconds = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime value) {
  // Day 0 (30 December 1899) was a Saturday.
  std::int64_t days = WholeDays(value);
  return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

TDateTime DayOfWeekInMonth(int year, int month, int n, int weekday) {
  // A weekday outside the week would land on some other day of the month.
  if ((n >= 1 && n <= 5) && (weekday < 1 || weekday > 7)) throw Exception("Invalid argument to date encode");
  if (n >= 1 && n <= 4) {
    int first = DayOfWeek(EncodeDate(year, month, 1));
    int day = (weekday - first) + 1 + 7 * (n - 1);
    if (weekday < first) day += 7;
    return EncodeDate(year, month, day);
  }
  if (n == 5) {
    int last = DaysInMonth(year, month);
    if (last == 0) throw Exception("Invalid argument to date encode");
    int lastWeekday = DayOfWeek(EncodeDate(year, month, last));
    int day = last - (lastWeekday - weekday);
    if (weekday > lastWeekday) day -= 7;
    return EncodeDate(year, month, day);
  }
  return 0;
}

TDateTime TransitionToDateTime(const platform::SystemTime& rule, int year) {
  if (rule.month == 0) return 0;
  TDateTime time = EncodeTime(rule.hour, rule.minute, rule.second, rule.milliseconds);
  if (rule.year != 0) return EncodeDate(rule.year, rule.month, rule.day) + time;
  TDateTime date = DayOfWeekInMonth(year, rule.month, rule.day, rule.dayOfWeek + 1);
  if (date == 0) return 0;  // the rule names no occurrence
  return date + time;
}

}  // namespace nsx
