// Date-time values as text in the user's formats: the short date picture,
// then a blank and the long time picture unless the time is exactly
// midnight (the framework's DateTimeToStr). Pictures follow the system's
// notation (d dd ddd dddd, M MM MMM MMMM, y yy yyyy, g gg, h hh H HH, m mm,
// s ss, t tt, 'quoted text').
#pragma once
#include <array>
#include <string>

#include "../platform/Regional.h"
#include "Norvik_Datetime.h"

namespace nsx {

struct TFormatSettings {
  std::string ShortDateFormat = "M/d/yyyy";
  std::string LongTimeFormat = "h:mm:ss tt";
  std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                             "July",    "August",   "September", "October", "November", "December"};
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  // Sunday first.
  std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
  std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
};

// The settings of a locale as the system answers them; items it cannot
// answer keep the defaults above.
TFormatSettings LoadFormatSettings(platform::RegionalApi& regional, std::uint32_t locale);

std::string FormatDatePicture(TDateTime value, const std::string& picture, const TFormatSettings& settings);
std::string FormatTimePicture(TDateTime value, const std::string& picture, const TFormatSettings& settings);
std::string DateTimeToText(TDateTime value, const TFormatSettings& settings);

}  // namespace nsx
