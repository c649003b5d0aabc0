// Durations in words, calendar arithmetic on the day count (days since
// 30 December 1899, the fraction being the time of day) and this year's
// daylight-saving transitions of a time-zone rule.
#pragma once
#include <cstdint>
#include <string>

#include "../platform/Regional.h"

namespace nsx {

// "1 Day, 1 Hour, 1 Minute, 1 Second." from whole seconds: every unit from
// the largest non-zero one down to minutes, then the seconds.
std::string FormatDuration(std::int64_t seconds);

using TDateTime = double;

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// Raise nsx::Exception ("Invalid argument to date encode" / "... time
// encode") for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int milliseconds);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& milliseconds);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);

// The date of occurrence `n` (1 to 4, or 5 for the last one) of `weekday`
// (1 = Sunday ... 7 = Saturday) in the month; 0 (no date) for any other n.
// Raises nsx::Exception for a month or weekday that does not exist.
TDateTime DayOfWeekInMonth(int year, int month, int n, int weekday);

// A time-zone transition rule in year `year`: 0 when the rule's month is 0
// (or names no day); an absolute date when the rule holds a year; otherwise
// occurrence wDay of weekday wDayOfWeek in wMonth, at the rule's time.
// Raises nsx::Exception for a rule naming no valid date or time.
TDateTime TransitionToDateTime(const platform::SystemTime& rule, int year);

}  // namespace nsx
