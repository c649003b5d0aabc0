// The locale settings: items in order, enumerations decoded from the
// system's digits, the negative currency patterns, and the report element.
#include <gtest/gtest.h>

#include "OSTestMachines.h"
#include "software/NSX_Locale.h"

namespace nsx {
namespace {

using namespace platform;

sim::SimLocaleItems German() {
  return {
      {kLocaleSLanguage, "Deutsch (Deutschland)"}, {kLocaleSEngLanguage, "German"},
      {kLocaleSAbbrevLangName, "DEU"},             {kLocaleICountry, "49"},
      {kLocaleSCountry, "Deutschland"},            {kLocaleSAbbrevCtryName, "DEU"},
      {kLocaleSList, ";"},                         {kLocaleIMeasure, "0"},
      {kLocaleSDecimal, ","},                      {kLocaleIDigits, "2"},
      {kLocaleSCurrency, "\x80"},                  {kLocaleSIntlSymbol, "EUR"},
      {kLocaleSMonDecimalSep, ","},                {kLocaleSMonThousandSep, "."},
      {kLocaleICurrDigits, "2"},                   {kLocaleICurrency, "3"},
      {kLocaleINegCurr, "8"},                      {kLocaleSDate, "."},
      {kLocaleSTime, ":"},                         {kLocaleSTimeFormat, "HH:mm:ss"},
      {kLocaleSShortDate, "dd.MM.yyyy"},           {kLocaleIDate, "1"},
      {kLocaleILDate, "1"},                        {kLocaleITime, "1"},
      {kLocaleICentury, "1"},
  };
}

TEST(DecodeLocaleNumber, LeadingDigitsOrAConversionError) {
  EXPECT_EQ(DecodeLocaleNumber("0"), 0);
  EXPECT_EQ(DecodeLocaleNumber("3"), 3);
  EXPECT_EQ(DecodeLocaleNumber("15"), 15);
  EXPECT_EQ(DecodeLocaleNumber("2x"), 2);
  EXPECT_THROW(DecodeLocaleNumber(""), Exception);
  EXPECT_THROW(DecodeLocaleNumber(" 1"), Exception);
  EXPECT_THROW(DecodeLocaleNumber("-1"), Exception);
}

TEST(NegativeCurrencyPattern, EveryValueTheSystemDefines) {
  const char* expected[] = {"($1.1)", "-$1.1",  "$-1.1",  "$1.1-",  "(1.1$)",  "-1.1$",   "1.1-$",   "1.1$-",
                            "-1.1 $", "-$ 1.1", "1.1 $-", "$ 1.1-", "$ -1.1", "1.1- $", "($ 1.1)", "(1.1 $)"};
  for (int value = 0; value < 16; ++value) EXPECT_EQ(NegativeCurrencyPattern(value), expected[value]) << value;
  EXPECT_EQ(NegativeCurrencyPattern(16), "");
  EXPECT_EQ(NegativeCurrencyPattern(-1), "");
}

TEST(TLocaleInfo, ValuesTenToFifteenOfTheNegativeCurrencyAreTheirOwnPatterns) {
  for (auto [value, pattern] : std::vector<std::pair<const char*, const char*>>{
           {"10", "1.1 $-"}, {"11", "$ 1.1-"}, {"12", "$ -1.1"}, {"13", "1.1- $"}, {"14", "($ 1.1)"}, {"15", "(1.1 $)"}}) {
    sim::SimMachine m;
    m.regional.locales[0x0409][kLocaleINegCurr] = value;
    test::TestMachine machine(m);
    TLocaleInfo locale;
    locale.GetInfo(kLocaleSystemDefault);
    EXPECT_EQ(locale.NegativeCurrencyMode, pattern) << value;
  }
}

TEST(TLocaleInfo, TheSystemDefaultLocaleAndItsReport) {
  sim::SimMachine m;
  m.regional.locales[0x0407] = German();
  m.regional.systemLocale = 0x0407;  // the user's locale stays English
  test::TestMachine machine(m);
  TLocaleInfo locale;
  locale.GetInfo(kLocaleSystemDefault);
  EXPECT_EQ(locale.FullLocalizeLanguage, "Deutsch (Deutschland)");
  EXPECT_EQ(locale.CountryCode, "49");
  EXPECT_EQ(locale.TimeSeparator, ":");
  EXPECT_EQ(locale.MeasurementSystem, Metric);
  EXPECT_EQ(locale.PositiveCurrencyMode, Suffix_One_Char_Separation);
  EXPECT_EQ(locale.ShortDateOrder, DMY);
  EXPECT_EQ(locale.TimeFormatSpecifier, H24);
  EXPECT_EQ(locale.YearFormat, FourDigit);

  TReportList list(1252);
  locale.Report(list, false);
  EXPECT_EQ(test::ElementLines(list, "LocaleInfo"),
            (std::vector<std::string>{
                "<LocaleInfo classname=\"TLocaleInfo\">",
                "<data name=\"AbbreviateCountryCode\" type=\"string\">DEU</data>",
                "<data name=\"AbbreviateLanguageCode\" type=\"string\">DEU</data>",
                "<data name=\"CountryCode\" type=\"string\">49</data>",
                "<data name=\"CurrencyDecimalDigits\" type=\"string\">2</data>",
                "<data name=\"FullCountryCode\" type=\"string\">Deutschland</data>",
                "<data name=\"FullEnglishLanguageName\" type=\"string\">German</data>",
                "<data name=\"FullLocalizeLanguageName\" type=\"string\">Deutsch (Deutschland)</data>",
                "<data name=\"IntlMonetarySymbol\" type=\"string\">EUR</data>",
                "<data name=\"LocalMonetarySymbol\" type=\"string\">\x80</data>",
                "<data name=\"PositiveCurrencyMode\" type=\"string\">Suffix_One_Char_Separation</data>",
                "<data name=\"NegativeCurrencyMode\" type=\"string\">-1.1 $</data>",
                "<data name=\"CurrencyDecimalSeparator\" type=\"string\">,</data>",
                "<data name=\"CurrencyThousandSeparator\" type=\"string\">.</data>",
                "<data name=\"DecimalSeparator\" type=\"string\">,</data>",
                "<data name=\"NumberOfDecimalDigits\" type=\"string\">2</data>",
                "<data name=\"ListSeparator\" type=\"string\">;</data>",
                "<data name=\"DateSeparator\" type=\"string\">.</data>",
                "<data name=\"LongDateOrder\" type=\"string\">D-M-Y</data>",
                "<data name=\"ShortDateOrder\" type=\"string\">D-M-Y</data>",
                "<data name=\"ShortDateFormat\" type=\"string\">dd.MM.yyyy</data>",
                "<data name=\"TimeFormat\" type=\"string\">HH:mm:ss</data>",
                "<data name=\"TimeFormatSpecifier\" type=\"string\">24H</data>",
                "<data name=\"YearFormat\" type=\"string\">Four Digit</data>",
                "<data name=\"MeasurementSystem\" type=\"string\">Metric</data>",
                "</LocaleInfo>"}));
}

TEST(TLocaleInfo, AnEmptyEnumerationAnswerStopsTheGatheringThere) {
  sim::SimMachine m;
  m.regional.locales[0x0407] = German();
  m.regional.locales[0x0407][kLocaleIDate] = "";  // short date order
  test::TestMachine machine(m);
  TLocaleInfo locale;
  locale.GetInfo(0x0409);  // first an English gathering
  ASSERT_EQ(locale.LongDateOrder, MDY);
  try {
    locale.GetInfo(0x0407);
    FAIL() << "no conversion error";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
  // Items before the short date order hold the German answers, later ones
  // the English ones.
  EXPECT_EQ(locale.ShortDateFormat, "dd.MM.yyyy");
  EXPECT_EQ(locale.MeasurementSystem, Metric);
  EXPECT_EQ(locale.ShortDateOrder, MDY);
  EXPECT_EQ(locale.LongDateOrder, MDY);
  EXPECT_EQ(locale.TimeFormatSpecifier, H12);
}

TEST(TLocaleInfo, UnknownLocalesAndOutOfRangeValues) {
  sim::SimMachine m;
  m.regional.locales[0x0419] = German();
  m.regional.locales[0x0419][kLocaleIMeasure] = "7";
  m.regional.locales[0x0419][kLocaleICurrency] = "9";
  m.regional.locales[0x0419][kLocaleINegCurr] = "16";
  m.regional.locales[0x0419].erase(kLocaleSCountry);
  test::TestMachine machine(m);
  TLocaleInfo locale;
  locale.GetInfo(0x0419);
  EXPECT_EQ(locale.FullCountryCode, "");  // an item the system cannot answer
  EXPECT_EQ(locale.MeasurementSystemText(), "");
  EXPECT_EQ(locale.PositiveCurrencyModeText(), "");
  EXPECT_EQ(locale.NegativeCurrencyMode, "");
  // A locale the system does not know answers nothing at all.
  EXPECT_THROW(locale.GetInfo(0x0411), Exception);
}

}  // namespace
}  // namespace nsx
