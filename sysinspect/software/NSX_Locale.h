// TLocaleInfo: the regional settings of a locale (language, country,
// number, currency, date and time formats).
#pragma once
#include <cstdint>
#include <string>

#include "../core/NSX_Common.h"

namespace nsx {

enum TMeasureSystem { Metric = 0, US = 1 };
enum TPositiveCurrencyMode {
  Prefix_No_Separation = 0,
  Suffix_No_Separation = 1,
  Prefix_One_Char_Separation = 2,
  Suffix_One_Char_Separation = 3,
};
enum TDateOrder { MDY = 0, DMY = 1, YMD = 2 };
enum TTimeFormat { H12 = 0, H24 = 1 };
enum TYearFormat { TwoDigit = 0, FourDigit = 1 };

// The number at the start of a locale answer; an answer that does not begin
// with a digit raises nsx::Exception (the conversion error).
int DecodeLocaleNumber(const std::string& text);

// The negative currency pattern of a LOCALE_INEGCURR value ("-$1.1");
// empty for a value the system does not define.
std::string NegativeCurrencyPattern(int value);

class TLocaleInfo : public TTopic {
 public:
  // `locale`: the locale identifier (LOCALE_SYSTEM_DEFAULT from the
  // operating-system object).
  void GetInfo(std::int32_t locale);
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TLocaleInfo"; }

  std::string FullLocalizeLanguage, FullLanguageEnglishName, AbbreviateLanguageName, CountryCode, FullCountryCode,
      AbbreviateCountryCode, ListSeparator, DecimalSeparator, NumberOfDecimalDigits, LocalMonetarySymbol,
      InternationalMonetarySymbol, CurrencyDecimalSeparator, CurrencyThousandSeparator, CurrencyDecimalDigits,
      NegativeCurrencyMode, DateSeparator, TimeSeparator, TimeFormat, ShortDateFormat;
  // Ordinals of the enumerations above, as the system gave them (a value
  // outside an enumeration is reported as empty text).
  int MeasurementSystem = Metric;
  int PositiveCurrencyMode = Prefix_No_Separation;
  int ShortDateOrder = MDY;
  int LongDateOrder = MDY;
  int TimeFormatSpecifier = H12;
  int YearFormat = TwoDigit;

  // The report's texts of the enumerations.
  std::string MeasurementSystemText() const;
  std::string PositiveCurrencyModeText() const;
  std::string ShortDateOrderText() const;
  std::string LongDateOrderText() const;
  std::string TimeFormatSpecifierText() const;
  std::string YearFormatText() const;
};

}  // namespace nsx
