#include "DateTimeText.h"

#include <cstdio>

namespace nsx {
namespace {

using platform::RegionalApi;

std::string Padded(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

// Length of the run of `c` starting at `i`.
size_t RunLength(const std::string& picture, size_t i) {
  size_t n = 1;
  while (i + n < picture.size() && picture[i + n] == picture[i]) ++n;
  return n;
}

// Copies a quoted literal starting at the quote at `i`; '' inside it is one quote.
size_t CopyQuoted(const std::string& picture, size_t i, std::string& out) {
  ++i;
  while (i < picture.size()) {
    if (picture[i] == '\'') {
      if (i + 1 < picture.size() && picture[i + 1] == '\'') {
        out += '\'';
        i += 2;
        continue;
      }
      return i + 1;
    }
    out += picture[i++];
  }
  return i;
}

void Load(RegionalApi& regional, std::uint32_t locale, std::uint32_t item, std::string& field) {
  auto text = regional.LocaleText(locale, item);
  if (text && !text->empty()) field = *text;
}

}  // namespace

TFormatSettings LoadFormatSettings(RegionalApi& regional, std::uint32_t locale) {
  TFormatSettings s;
  Load(regional, locale, platform::kLocaleSShortDate, s.ShortDateFormat);
  Load(regional, locale, platform::kLocaleSTimeFormat, s.LongTimeFormat);
  for (std::uint32_t m = 0; m < 12; ++m) {
    Load(regional, locale, platform::kLocaleSMonthName1 + m, s.LongMonthNames[m]);
    Load(regional, locale, platform::kLocaleSAbbrevMonthName1 + m, s.ShortMonthNames[m]);
  }
  // The system counts days from Monday; the names here start on Sunday.
  for (std::uint32_t d = 0; d < 7; ++d) {
    size_t sundayFirst = (d + 1) % 7;
    Load(regional, locale, platform::kLocaleSDayName1 + d, s.LongDayNames[sundayFirst]);
    Load(regional, locale, platform::kLocaleSAbbrevDayName1 + d, s.ShortDayNames[sundayFirst]);
  }
  Load(regional, locale, platform::kLocaleS1159, s.TimeAMString);
  Load(regional, locale, platform::kLocaleS2359, s.TimePMString);
  return s;
}

std::string FormatDatePicture(TDateTime value, const std::string& picture, const TFormatSettings& settings) {
  int year, month, day;
  DecodeDate(value, year, month, day);
  int weekday = DayOfWeek(value);
  std::string out;
  size_t i = 0;
  while (i < picture.size()) {
    char c = picture[i];
    if (c == '\'') {
      i = CopyQuoted(picture, i, out);
      continue;
    }
    size_t n = RunLength(picture, i);
    switch (c) {
      case 'd':
        if (n == 1) out += std::to_string(day);
        else if (n == 2) out += Padded(day, 2);
        else if (n == 3) out += settings.ShortDayNames[weekday - 1];
        else out += settings.LongDayNames[weekday - 1];
        break;
      case 'M':
        if (n == 1) out += std::to_string(month);
        else if (n == 2) out += Padded(month, 2);
        else if (n == 3) out += settings.ShortMonthNames[month - 1];
        else out += settings.LongMonthNames[month - 1];
        break;
      case 'y':
        if (n <= 2) out += n == 1 ? std::to_string(year % 100) : Padded(year % 100, 2);
        else out += Padded(year, 4);
        break;
      case 'g':
        break;  // the Gregorian calendar names no era
      default:
        out.append(n, c);
        break;
    }
    i += n;
  }
  return out;
}

std::string FormatTimePicture(TDateTime value, const std::string& picture, const TFormatSettings& settings) {
  int hour, minute, second, ms;
  DecodeTime(value, hour, minute, second, ms);
  int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  const std::string& marker = hour < 12 ? settings.TimeAMString : settings.TimePMString;
  std::string out;
  size_t i = 0;
  while (i < picture.size()) {
    char c = picture[i];
    if (c == '\'') {
      i = CopyQuoted(picture, i, out);
      continue;
    }
    size_t n = RunLength(picture, i);
    int width = n >= 2 ? 2 : 1;
    switch (c) {
      case 'h': out += Padded(hour12, width); break;
      case 'H': out += Padded(hour, width); break;
      case 'm': out += Padded(minute, width); break;
      case 's': out += Padded(second, width); break;
      case 't': out += n == 1 ? marker.substr(0, 1) : marker; break;
      default: out.append(n, c); break;
    }
    i += n;
  }
  return out;
}

std::string DateTimeToText(TDateTime value, const TFormatSettings& settings) {
  std::string text = FormatDatePicture(value, settings.ShortDateFormat, settings);
  int hour, minute, second, ms;
  DecodeTime(value, hour, minute, second, ms);
  if (hour != 0 || minute != 0 || second != 0 || ms != 0)
    text += " " + FormatTimePicture(value, settings.LongTimeFormat, settings);
  return text;
}

}  // namespace nsx
