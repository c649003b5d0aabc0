// The About page: the component's title, version, notice and copyright,
// with buttons to its web site and its author's mail.
#include <windows.h>
#include <shellapi.h>

#include "../core/NSX_Common.h"
#include "ControlIds.h"
#include "PageViews.h"
#include "WinUtil.h"

namespace nsx::ui {
namespace {

const char kWebAddress[] = "https://sysinspect.example.org/";
const char kMailAddress[] = "sysinspect@example.org";
const char kNotice[] =
    "This program gathers a profile of the PC it runs on and shows it one topic per page.\r\n\r\n"
    "Nothing on the machine is changed: the registry is only read, and the only file written is "
    "the report you ask for with Report....\r\n\r\n"
    "Reports are XML documents that any XML reader opens.";

class TAboutPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    white_.Reset(CreateSolidBrush(RGB(255, 255, 255)));
    int inner = width - 16;
    title_ = CreateControl(sheet, "STATIC", "", SS_SUNKEN, 8, 8, inner, 64, -1);
    HWND icon = CreateControl(sheet, "STATIC", "", SS_ICON, 16, 24, 32, 32, -1);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(Instance(), MAKEINTRESOURCEA(1))), 0);
    HWND lTitle = CreateLabel(sheet, "Norvik System Information Component", 56, 18, inner - 56, 20, idAboutTitle,
                              SS_CENTER);
    SendMessageA(lTitle, WM_SETFONT, reinterpret_cast<WPARAM>(MakeFont("MS Sans Serif", -15, true)), FALSE);
    HWND lVer = CreateLabel(sheet, "Version 8.2", 56, 42, inner - 56, 18, idAboutVersion, SS_CENTER);
    SendMessageA(lVer, WM_SETFONT, reinterpret_cast<WPARAM>(MakeFont("MS Sans Serif", -13, true)), FALSE);
    whites_ = {title_, icon, lTitle, lVer};

    HWND memo = CreateControl(sheet, "EDIT", kNotice, ES_MULTILINE | ES_READONLY | ES_CENTER, 16, 90, inner - 16,
                              height - 90 - 52, idAboutMemo);
    EnableWindow(memo, FALSE);

    footer_ = CreateControl(sheet, "STATIC", kCopyright, SS_SUNKEN | SS_CENTER | SS_CENTERIMAGE, 8, height - 40,
                            inner, 32, idAboutFooter);
    whites_.push_back(footer_);
    HWND web = CreateButton(sheet, "www", 12, height - 35, 23, 22, idAboutWeb);
    HWND mail = CreateButton(sheet, "@", 8 + inner - 4 - 23, height - 35, 23, 22, idAboutMail);
    SetWindowPos(web, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(mail, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    AddHint(sheet, web, "Go to the Norvik website");
    AddHint(sheet, mail, "Send mail to author");
  }

  void OnCommand(int id, int, HWND) override {
    if (id == idAboutWeb) cmWeb();
    if (id == idAboutMail) cmMail();
  }

  HBRUSH OnColour(HDC dc, HWND control) override {
    for (HWND white : whites_)
      if (white == control) {
        SetBkColor(dc, RGB(255, 255, 255));
        return white_.Get();
      }
    return nullptr;
  }

 private:
  void cmWeb() { ShellExecuteA(Owner(), "open", kWebAddress, nullptr, nullptr, SW_SHOWNORMAL); }
  void cmMail() {
    std::string address = std::string("mailto:") + kMailAddress + "?subject=Norvik System Information Component";
    ShellExecuteA(Owner(), "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
  void AddHint(HWND sheet, HWND tool, const char* text) {
    if (!tips_) {
      tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, sheet, nullptr, Instance(), nullptr);
    }
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;  // understood by every comctl32
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = sheet;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }

  GdiObject<HBRUSH> white_;
  HWND title_ = nullptr, footer_ = nullptr, tips_ = nullptr;
  std::vector<HWND> whites_;
};

}  // namespace

std::unique_ptr<TOverviewPage> CreateAboutPage() { return std::make_unique<TAboutPage>(); }

}  // namespace nsx::ui
