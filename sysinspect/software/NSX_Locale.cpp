#include "NSX_Locale.h"

#include <cctype>

#include "../core/Runtime.h"
#include "../platform/Regional.h"

namespace nsx {
namespace {

using namespace platform;

// Negative currency patterns by LOCALE_INEGCURR value.
const char* const kNegativeCurrencyPatterns[] = {
    // 0        1        2        3        4         5        6        7
    "($1.1)", "-$1.1", "$-1.1", "$1.1-", "(1.1$)", "-1.1$", "1.1-$", "1.1$-",
    // 8        9         10        11        12        13        14         15
    "-1.1 $", "-$ 1.1", "1.1 $-", "$ 1.1-", "$ -1.1", "1.1- $", "($ 1.1)", "(1.1 $)",
};
const char* const kMeasureNames[] = {"Metric", "U.S."};
const char* const kPositiveCurrencyNames[] = {"Prefix_No_Separation", "Suffix_No_Separation",
                                              "Prefix_One_Char_Separation", "Suffix_One_Char_Separation"};
const char* const kDateOrderNames[] = {"M-D-Y", "D-M-Y", "Y-M-D"};
const char* const kTimeFormatNames[] = {"12H", "24H"};
const char* const kYearFormatNames[] = {"Two Digit", "Four Digit"};

template <size_t N>
std::string NameOf(const char* const (&names)[N], int ordinal) {
  return ordinal >= 0 && static_cast<size_t>(ordinal) < N ? names[ordinal] : "";
}

// The items gathered, in the order they are asked for: each fills a text or,
// decoded as a number, an enumeration.
struct LocaleItemRow {
  std::uint32_t item;
  std::string TLocaleInfo::*text;
  int TLocaleInfo::*ordinal;
};
const LocaleItemRow kLocaleItems[] = {
    // item                      text                                         ordinal
    {kLocaleSLanguage, &TLocaleInfo::FullLocalizeLanguage, nullptr},
    {kLocaleSEngLanguage, &TLocaleInfo::FullLanguageEnglishName, nullptr},
    {kLocaleSAbbrevLangName, &TLocaleInfo::AbbreviateLanguageName, nullptr},
    {kLocaleICountry, &TLocaleInfo::CountryCode, nullptr},
    {kLocaleSCountry, &TLocaleInfo::FullCountryCode, nullptr},
    {kLocaleSAbbrevCtryName, &TLocaleInfo::AbbreviateCountryCode, nullptr},
    {kLocaleSList, &TLocaleInfo::ListSeparator, nullptr},
    {kLocaleIMeasure, nullptr, &TLocaleInfo::MeasurementSystem},
    {kLocaleSDecimal, &TLocaleInfo::DecimalSeparator, nullptr},
    {kLocaleIDigits, &TLocaleInfo::NumberOfDecimalDigits, nullptr},
    {kLocaleSCurrency, &TLocaleInfo::LocalMonetarySymbol, nullptr},
    {kLocaleSIntlSymbol, &TLocaleInfo::InternationalMonetarySymbol, nullptr},
    {kLocaleSMonDecimalSep, &TLocaleInfo::CurrencyDecimalSeparator, nullptr},
    {kLocaleSMonThousandSep, &TLocaleInfo::CurrencyThousandSeparator, nullptr},
    {kLocaleICurrDigits, &TLocaleInfo::CurrencyDecimalDigits, nullptr},
    {kLocaleICurrency, nullptr, &TLocaleInfo::PositiveCurrencyMode},
    {kLocaleINegCurr, nullptr, nullptr},  // NegativeCurrencyMode, as a pattern
    {kLocaleSDate, &TLocaleInfo::DateSeparator, nullptr},
    {kLocaleSTime, &TLocaleInfo::TimeSeparator, nullptr},
    {kLocaleSTimeFormat, &TLocaleInfo::TimeFormat, nullptr},
    {kLocaleSShortDate, &TLocaleInfo::ShortDateFormat, nullptr},
    {kLocaleIDate, nullptr, &TLocaleInfo::ShortDateOrder},
    {kLocaleILDate, nullptr, &TLocaleInfo::LongDateOrder},
    {kLocaleITime, nullptr, &TLocaleInfo::TimeFormatSpecifier},
    {kLocaleICentury, nullptr, &TLocaleInfo::YearFormat},
};

// The report's lines, all of type string, in order.
struct LocaleReportRow {
  const char* dataName;
  std::string (*value)(const TLocaleInfo&);
};
#define LOCALE_TEXT(member) [](const TLocaleInfo& l) { return l.member; }
#define LOCALE_ENUM(method) [](const TLocaleInfo& l) { return l.method(); }
const LocaleReportRow kLocaleReport[] = {
    // data name                    value
    {"AbbreviateCountryCode", LOCALE_TEXT(AbbreviateCountryCode)},
    {"AbbreviateLanguageCode", LOCALE_TEXT(AbbreviateLanguageName)},
    {"CountryCode", LOCALE_TEXT(CountryCode)},
    {"CurrencyDecimalDigits", LOCALE_TEXT(CurrencyDecimalDigits)},
    {"FullCountryCode", LOCALE_TEXT(FullCountryCode)},
    {"FullEnglishLanguageName", LOCALE_TEXT(FullLanguageEnglishName)},
    {"FullLocalizeLanguageName", LOCALE_TEXT(FullLocalizeLanguage)},
    {"IntlMonetarySymbol", LOCALE_TEXT(InternationalMonetarySymbol)},
    {"LocalMonetarySymbol", LOCALE_TEXT(LocalMonetarySymbol)},
    {"PositiveCurrencyMode", LOCALE_ENUM(PositiveCurrencyModeText)},
    {"NegativeCurrencyMode", LOCALE_TEXT(NegativeCurrencyMode)},
    {"CurrencyDecimalSeparator", LOCALE_TEXT(CurrencyDecimalSeparator)},
    {"CurrencyThousandSeparator", LOCALE_TEXT(CurrencyThousandSeparator)},
    {"DecimalSeparator", LOCALE_TEXT(DecimalSeparator)},
    {"NumberOfDecimalDigits", LOCALE_TEXT(NumberOfDecimalDigits)},
    {"ListSeparator", LOCALE_TEXT(ListSeparator)},
    {"DateSeparator", LOCALE_TEXT(DateSeparator)},
    {"LongDateOrder", LOCALE_ENUM(LongDateOrderText)},
    {"ShortDateOrder", LOCALE_ENUM(ShortDateOrderText)},
    {"ShortDateFormat", LOCALE_TEXT(ShortDateFormat)},
    {"TimeFormat", LOCALE_TEXT(TimeFormat)},
    {"TimeFormatSpecifier", LOCALE_ENUM(TimeFormatSpecifierText)},
    {"YearFormat", LOCALE_ENUM(YearFormatText)},
    {"MeasurementSystem", LOCALE_ENUM(MeasurementSystemText)},
};
#undef LOCALE_TEXT
#undef LOCALE_ENUM

}  // namespace

int DecodeLocaleNumber(const std::string& text) {
  if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])))
    throw Exception("'" + text.substr(0, 1) + "' is not a valid integer value");
  // The whole leading number: LOCALE_INEGCURR goes up to 15.
  int value = 0;
  for (size_t i = 0; i < text.size() && i < 4 && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
    value = value * 10 + (text[i] - '0');
  return value;
}

std::string NegativeCurrencyPattern(int value) { return NameOf(kNegativeCurrencyPatterns, value); }

void TLocaleInfo::GetInfo(std::int32_t locale) {
  auto& regional = Machine().Regional();
  for (const auto& row : kLocaleItems) {
    // An item the system cannot answer reads as empty text.
    std::string text = regional.LocaleText(static_cast<std::uint32_t>(locale), row.item).value_or("");
    if (row.text) {
      this->*row.text = text;
    } else if (row.ordinal) {
      this->*row.ordinal = DecodeLocaleNumber(text);
    } else {
      NegativeCurrencyMode = NegativeCurrencyPattern(DecodeLocaleNumber(text));
    }
  }
}

std::string TLocaleInfo::MeasurementSystemText() const { return NameOf(kMeasureNames, MeasurementSystem); }
std::string TLocaleInfo::PositiveCurrencyModeText() const {
  return NameOf(kPositiveCurrencyNames, PositiveCurrencyMode);
}
std::string TLocaleInfo::ShortDateOrderText() const { return NameOf(kDateOrderNames, ShortDateOrder); }
std::string TLocaleInfo::LongDateOrderText() const { return NameOf(kDateOrderNames, LongDateOrder); }
std::string TLocaleInfo::TimeFormatSpecifierText() const { return NameOf(kTimeFormatNames, TimeFormatSpecifier); }
std::string TLocaleInfo::YearFormatText() const { return NameOf(kYearFormatNames, YearFormat); }

void TLocaleInfo::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "LocaleInfo", ClassName());
  for (const auto& row : kLocaleReport) WriteString(list, row.dataName, row.value(*this));
  WriteElementEnd(list, "LocaleInfo");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
