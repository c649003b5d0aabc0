// The Operating System page (with its General, Folders, Internet and Locale
// sub-pages) and the Time Zone page.
#include "../core/DateTimeText.h"
#include "../core/Norvik_Routines.h"
#include "../core/Runtime.h"
#include "../software/NSX_Internet.h"
#include "../software/NSX_Locale.h"
#include "../software/NSX_OS.h"
#include "../software/NSX_TimeZone.h"
#include "ControlIds.h"
#include "NSX_DetailDlg.h"
#include "PageViews.h"
#include "WinUtil.h"
#include "logic/PageText.h"

namespace nsx::ui {
namespace {

const std::uint32_t kUserDefaultLocale = 0x400;

class TOSPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    auto sheets = BuildSubPages(sheet, idOSTabs, {" General ", " Folders ", " Internet ", " Locale "}, 4, 4,
                                width - 8, height - 8);
    RECT r{};
    GetClientRect(sheets[0], &r);
    int w = r.right, h = r.bottom;
    HWND g = sheets[0];
    lVersion_ = CreateLabel(g, "", 8, 8, w - 16, 18, idOSVersion);
    SendMessageA(lVersion_, WM_SETFONT, reinterpret_cast<WPARAM>(MakeFont("MS Sans Serif", -13, true)), FALSE);
    lVerNo_ = CreateLabel(g, "", 8, 30, w - 16, 16, idOSVerNo);
    lCSD_ = CreateLabel(g, "", 8, 48, w - 16, 16, idOSCSD);
    lDVD_ = CreateLabel(g, "", 8, 66, w - 16, 16, idOSDVD);
    ePID_ = CreateField(g, "Product ID:", 8, 92, 100, w - 116, idOSPID);
    ePKey_ = CreateField(g, "Product Key:", 8, 118, 100, w - 116, idOSPKey);
    eRegUser_ = CreateField(g, "Registered User:", 8, 144, 100, w - 116, idOSRegUser);
    eRegOrg_ = CreateField(g, "Registered Org.:", 8, 170, 100, w - 116, idOSRegOrg);
    CreateButton(g, "Environment...", 8, h - 33, 110, 25, idOSEnvironment);
    bNTSpec_ = CreateButton(g, "Installed Suites...", w - 8 - 110, h - 33, 110, 25, idOSNTSpec);

    folders_ = CreateReportList(sheets[1], 4, 4, w - 8, h - 8, idOSFolders, {{"System name", 120}, {"Location", 0}});

    HWND i = sheets[2];
    eBrowser_ = CreateField(i, "Default browser:", 8, 12, 100, w - 116, idOSBrowser);
    eMail_ = CreateField(i, "Mail client:", 8, 38, 100, w - 116, idOSMail);
    eProxy_ = CreateField(i, "Proxy server:", 8, 64, 100, w - 116, idOSProxy);
    lCT_ = CreateLabel(i, "", 8, 96, w - 16, 16, idOSConnection);

    locale_ = CreateReportList(sheets[3], 4, 4, w - 8, h - 8, idOSLocale, {{"Parameter", 170}, {"Value", 0}});
  }

  void Fill(TNSystemInfo& info) override {
    os_ = &info.OS();
    const auto& id = OSInfo();
    caption_ = OSTabCaption(static_cast<std::uint32_t>(os_->Platform()));
    SetText(lVersion_, OSVersionLine(id.OSFamilyName, id.IsNT, static_cast<std::uint32_t>(os_->NTSpecific().ProductType())));
    SetText(lVerNo_, VersionNumberLine(os_->MajorVersion(), os_->MinorVersion(), os_->BuildNumber()));
    SetText(lCSD_, os_->CSDEx());
    EnableWindow(bNTSpec_, id.Is2000 || id.IsXP);
    SetText(ePID_, os_->ProductID());
    SetText(ePKey_, os_->ProductKey());
    SetText(eRegUser_, os_->RegisteredUser());
    SetText(eRegOrg_, os_->RegisteredOrg());
    SetText(lDVD_, "DVD Region: " + os_->DVDRegion());

    SendMessageA(folders_, LVM_DELETEALLITEMS, 0, 0);
    for (const auto& line : os_->Folders()) {
      std::string name, value;
      SplitPair(line, &name, &value);
      if (!value.empty()) AddListRow(folders_, {name, value});
    }

    auto& internet = os_->Internet();
    SetText(eBrowser_, internet.DefaultBrowser());
    SetText(eMail_, internet.DefaultMailClient());
    SetText(eProxy_, internet.ProxyServer());
    SetText(lCT_, TInternet::GetConnectionTypeStr(internet.ConnectionType()));

    FillLocale(os_->LocaleInfo());
  }

  std::string TabCaption() const override { return caption_; }

  void OnCommand(int id, int, HWND) override {
    if (!os_) return;
    if (id == idOSEnvironment) cmEnvironment();
    if (id == idOSNTSpec) cmNTSpec();
  }

 private:
  void FillLocale(const TLocaleInfo& l) {
    SendMessageA(locale_, LVM_DELETEALLITEMS, 0, 0);
    const std::pair<const char*, std::string> rows[] = {
        // parameter                         value
        {"Abbreviate Country Code",          l.AbbreviateCountryCode},
        {"Abbreviate Language Code",         l.AbbreviateLanguageName},
        {"Country Code",                     l.CountryCode},
        {"Currency Decimal Digits",          l.CurrencyDecimalDigits},
        {"Full Country Code",                l.FullCountryCode},
        {"Full English Language Name",       l.FullLanguageEnglishName},
        {"Full Localize Language Name",      l.FullLocalizeLanguage},
        {"Intl. Monetary Symbol",            l.InternationalMonetarySymbol},
        {"Local Monetary Symbol",            l.LocalMonetarySymbol},
        {"Positive Currency Mode",           LocaleEnumText(lePositiveCurrencyMode, l.PositiveCurrencyMode)},
        {"Negative Currency Mode",           l.NegativeCurrencyMode},
        {"Currency Decimal Separator",       l.CurrencyDecimalSeparator},
        {"Currency Thousand Separator",      l.CurrencyThousandSeparator},
        {"Decimal Separator",                l.DecimalSeparator},
        {"Number Of Decimal Digits",         l.NumberOfDecimalDigits},
        {"List Separator",                   l.ListSeparator},
        {"Date Separator",                   l.DateSeparator},
        {"Long Date Order",                  LocaleEnumText(leDateOrder, l.LongDateOrder)},
        {"Short Date Order",                 LocaleEnumText(leDateOrder, l.ShortDateOrder)},
        {"Short Date Format",                l.ShortDateFormat},
        {"Time Format",                      l.TimeFormat},
        {"Time Format Specifier",            LocaleEnumText(leTimeFormatSpecifier, l.TimeFormatSpecifier)},
        {"Year Format",                      LocaleEnumText(leYearFormat, l.YearFormat)},
        {"Measurement System",               LocaleEnumText(leMeasurementSystem, l.MeasurementSystem)},
    };
    for (const auto& row : rows) AddListRow(locale_, {row.first, row.second});
  }

  void cmEnvironment() {
    TdlgNSX_Detail dialog(Owner());
    dialog.SetPage(TdlgNSX_Detail::nbListView);
    dialog.SetTitle("Environment");
    for (const auto& line : os_->Environment()) {
      std::string name, value;
      SplitPair(line, &name, &value);
      dialog.AddRow(name, value);
    }
    dialog.ShowModal();
  }

  void cmNTSpec() {
    TdlgNSX_Detail dialog(Owner());
    dialog.SetPage(TdlgNSX_Detail::nbCheckBox);
    dialog.SetTitle("Installed Suites");
    TStringList suites;
    os_->NTSpecific().GetSuiteList(suites);
    dialog.AddCheckItems(CheckItemsFromPairs(suites));
    dialog.ShowModal();
  }

  TOperatingSystem* os_ = nullptr;
  std::string caption_;
  HWND lVersion_ = nullptr, lVerNo_ = nullptr, lCSD_ = nullptr, lDVD_ = nullptr, bNTSpec_ = nullptr;
  HWND ePID_ = nullptr, ePKey_ = nullptr, eRegUser_ = nullptr, eRegOrg_ = nullptr;
  HWND folders_ = nullptr, locale_ = nullptr;
  HWND eBrowser_ = nullptr, eMail_ = nullptr, eProxy_ = nullptr, lCT_ = nullptr;
};

class TTimeZonePage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    (void)height;
    int w = width - 16;
    CreateLabel(sheet, "Time zone:", 8, 12, w, 16);
    eTZ_ = CreateReadOnlyEdit(sheet, 8, 30, w, 21, idTZName);
    gStd_ = CreateGroup(sheet, " Standard ", 8, 64, w, 84, idTZStdGroup);
    eStdStart_ = CreateField(sheet, "Start:", 18, 86, 60, w - 80, idTZStdStart);
    eStdBias_ = CreateField(sheet, "Bias:", 18, 114, 60, 60, idTZStdBias);
    CreateLabel(sheet, "min.", 144, 117, 40, 16);
    gDay_ = CreateGroup(sheet, " Daylight ", 8, 160, w, 84, idTZDayGroup);
    eDayStart_ = CreateField(sheet, "Start:", 18, 182, 60, w - 80, idTZDayStart);
    eDayBias_ = CreateField(sheet, "Bias:", 18, 210, 60, 60, idTZDayBias);
    CreateLabel(sheet, "min.", 144, 213, 40, 16);
  }

  void Fill(TNSystemInfo& info) override {
    auto& tz = info.OS().TimeZone();
    SetText(eTZ_, tz.DisplayName());
    SetText(gStd_, " " + tz.StandardName() + " ");
    SetText(gDay_, " " + tz.DaylightName() + " ");
    TFormatSettings settings = LoadFormatSettings(Machine().Regional(), kUserDefaultLocale);
    SetText(eStdStart_, DateTimeToText(tz.StandardStart(), settings));
    SetText(eDayStart_, DateTimeToText(tz.DaylightStart(), settings));
    SetText(eStdBias_, std::to_string(tz.StandardBias()));
    SetText(eDayBias_, std::to_string(tz.DaylightBias()));
  }

 private:
  HWND eTZ_ = nullptr, gStd_ = nullptr, gDay_ = nullptr, eStdStart_ = nullptr, eDayStart_ = nullptr;
  HWND eStdBias_ = nullptr, eDayBias_ = nullptr;
};

}  // namespace

std::unique_ptr<TOverviewPage> CreateOSPage() { return std::make_unique<TOSPage>(); }
std::unique_ptr<TOverviewPage> CreateTimeZonePage() { return std::make_unique<TTimeZonePage>(); }

}  // namespace nsx::ui
