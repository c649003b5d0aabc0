// Calendar arithmetic, this year's transitions of a time-zone rule, and
// date-time texts in the user's formats.
#include <gtest/gtest.h>

#include "core/DateTimeText.h"
#include "core/NSX_Common.h"
#include "core/Norvik_Datetime.h"

namespace nsx {
namespace {

using platform::SystemTime;

std::string Ymd(TDateTime value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  return std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d);
}

TEST(Calendar, DayCountRoundTripsAndKnowsItsWeekdays) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(DayOfWeek(0), 7);                           // 30 December 1899: Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2006, 6, 15)), 5);     // Thursday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);    // before day zero: Sunday
  for (int y : {1900, 1999, 2000, 2024, 2100}) {
    for (int m = 1; m <= 12; ++m) {
      TDateTime last = EncodeDate(y, m, DaysInMonth(y, m));
      EXPECT_EQ(Ymd(last), std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(DaysInMonth(y, m)));
      EXPECT_EQ(last + 1, m == 12 ? EncodeDate(y + 1, 1, 1) : EncodeDate(y, m + 1, 1));
    }
  }
  EXPECT_EQ(DaysInMonth(1900, 2), 28);  // divisible by 100, not by 400
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 13), 0);
}

TEST(Calendar, DatesAndTimesThatDoNotExistRaise) {
  EXPECT_THROW(EncodeDate(2023, 2, 29), Exception);
  EXPECT_THROW(EncodeDate(2023, 0, 1), Exception);
  EXPECT_THROW(EncodeDate(2023, 4, 31), Exception);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), Exception);
  EXPECT_THROW(EncodeTime(1, 60, 0, 0), Exception);
  EXPECT_NO_THROW(EncodeTime(23, 59, 59, 999));
  int h, m, s, ms;
  DecodeTime(EncodeDate(2006, 1, 1) + EncodeTime(13, 5, 9, 250), h, m, s, ms);
  EXPECT_EQ((std::vector<int>{h, m, s, ms}), (std::vector<int>{13, 5, 9, 250}));
}

TEST(DayOfWeekInMonth, FirstToFourthOccurrence) {
  // April 2006 begins on a Saturday: its first Sunday is the 2nd.
  EXPECT_EQ(Ymd(DayOfWeekInMonth(2006, 4, 1, 1)), "2006-4-2");
  EXPECT_EQ(Ymd(DayOfWeekInMonth(2006, 4, 1, 7)), "2006-4-1");  // the first Saturday is the 1st
  EXPECT_EQ(Ymd(DayOfWeekInMonth(2006, 4, 4, 1)), "2006-4-23");
  EXPECT_EQ(Ymd(DayOfWeekInMonth(2007, 3, 2, 1)), "2007-3-11");  // US rules from 2007
}

TEST(DayOfWeekInMonth, LastOccurrence) {
  // March 31 is a Sunday in 2013 and a Monday in 2008.
  ASSERT_EQ(DayOfWeek(EncodeDate(2013, 3, 31)), 1);
  ASSERT_EQ(DayOfWeek(EncodeDate(2008, 3, 31)), 2);
  EXPECT_EQ(Ymd(DayOfWeekInMonth(2013, 3, 5, 1)), "2013-3-31");
  EXPECT_EQ(Ymd(DayOfWeekInMonth(2008, 3, 5, 1)), "2008-3-30");
  EXPECT_EQ(Ymd(DayOfWeekInMonth(2008, 2, 5, 6)), "2008-2-29");  // leap year: Friday the 29th
  EXPECT_EQ(Ymd(DayOfWeekInMonth(2008, 3, 5, 3)), "2008-3-25");  // a weekday after the last day's
}

TEST(DayOfWeekInMonth, OtherOccurrencesNameNoDate) {
  EXPECT_EQ(DayOfWeekInMonth(2006, 4, 0, 1), 0);
  EXPECT_EQ(DayOfWeekInMonth(2006, 4, 6, 1), 0);
  EXPECT_THROW(DayOfWeekInMonth(2006, 13, 1, 1), Exception);
  EXPECT_THROW(DayOfWeekInMonth(2006, 13, 5, 1), Exception);
}

TEST(TransitionToDateTime, RelativeAbsoluteAndEmptyRules) {
  EXPECT_EQ(TransitionToDateTime(SystemTime{0, 0, 0, 5, 2, 0, 0, 0}, 2006), 0);  // month 0: no date
  // Last Sunday of October 2006, 02:00.
  TDateTime t = TransitionToDateTime(SystemTime{0, 10, 0, 5, 2, 0, 0, 0}, 2006);
  EXPECT_EQ(t, EncodeDate(2006, 10, 29) + EncodeTime(2, 0, 0, 0));
  // A rule holding a year is that very date, whatever year is asked for.
  t = TransitionToDateTime(SystemTime{1999, 3, 0, 28, 1, 30, 0, 0}, 2006);
  EXPECT_EQ(t, EncodeDate(1999, 3, 28) + EncodeTime(1, 30, 0, 0));
  // Occurrence 6 names no date at all.
  EXPECT_EQ(TransitionToDateTime(SystemTime{0, 3, 0, 6, 2, 0, 0, 0}, 2006), 0);
}

TEST(TransitionToDateTime, RulesNamingNoValidDateOrTimeRaise) {
  EXPECT_THROW(TransitionToDateTime(SystemTime{0, 13, 0, 1, 2, 0, 0, 0}, 2006), Exception);
  EXPECT_THROW(TransitionToDateTime(SystemTime{0, 3, 0, 1, 25, 0, 0, 0}, 2006), Exception);
  EXPECT_THROW(TransitionToDateTime(SystemTime{0, 3, 9, 5, 2, 0, 0, 0}, 2006), Exception);  // weekday 10
  EXPECT_THROW(TransitionToDateTime(SystemTime{2006, 2, 0, 30, 0, 0, 0, 0}, 2006), Exception);
}

TEST(DateTimeText, ShortDateThenLongTimeUnlessMidnight) {
  TFormatSettings us;
  EXPECT_EQ(DateTimeToText(0, us), "12/30/1899");
  EXPECT_EQ(DateTimeToText(EncodeDate(2006, 4, 2) + EncodeTime(2, 0, 0, 0), us), "4/2/2006 2:00:00 AM");
  EXPECT_EQ(DateTimeToText(EncodeDate(2006, 10, 29) + EncodeTime(14, 5, 0, 0), us), "10/29/2006 2:05:00 PM");
  TFormatSettings de;
  de.ShortDateFormat = "dd.MM.yyyy";
  de.LongTimeFormat = "HH:mm:ss";
  EXPECT_EQ(DateTimeToText(EncodeDate(2006, 3, 26) + EncodeTime(2, 0, 0, 0), de), "26.03.2006 02:00:00");
}

TEST(DateTimeText, PicturesWithNamesQuotesAndEras) {
  TFormatSettings s;
  TDateTime d = EncodeDate(2006, 4, 2) + EncodeTime(0, 7, 3, 0);
  EXPECT_EQ(FormatDatePicture(d, "dddd, MMMM dd, yyyy", s), "Sunday, April 02, 2006");
  EXPECT_EQ(FormatDatePicture(d, "ddd d MMM yy", s), "Sun 2 Apr 06");
  EXPECT_EQ(FormatDatePicture(d, "yyyy'年'M'月'd'''s'gg", s), "2006年4月2's");
  EXPECT_EQ(FormatTimePicture(d, "hh:mm:ss t", s), "12:07:03 A");
  EXPECT_EQ(FormatTimePicture(d, "H 'h' m", s), "0 h 7");
}

}  // namespace
}  // namespace nsx
