#include "StartWindow.h"

#include <string>

#include "../ui/ControlIds.h"
#include "../ui/NSX_Overview.h"
#include "../ui/NSX_Splash.h"
#include "../ui/WinUtil.h"

namespace nsx::app {
namespace {

const int kClientWidth = 478, kClientHeight = 247;

// The captions as UTF-16, so they do not depend on the ANSI code page.
const wchar_t kOkCaption[] = L"\u786E\u5B9A";     // 确定
const wchar_t kCloseCaption[] = L"\u5173\u95ED";  // 关闭

// The caption in the ANSI code page where it has every character (a Chinese
// system), else the plain English word: the 9x family makes no windows
// through the wide functions (they are stubs there).
std::string AnsiCaption(const wchar_t* caption, const char* english) {
  char text[64];
  BOOL lossy = FALSE;
  int n = WideCharToMultiByte(CP_ACP, 0, caption, -1, text, sizeof text, nullptr, &lossy);
  return n > 0 && !lossy ? std::string(text) : std::string(english);
}

HWND CreateWideButton(HWND parent, const wchar_t* caption, const char* english, int x, int y, int id) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
  HMENU menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  HWND button = CreateWindowExW(0, L"BUTTON", caption, style, x, y, 80, 27, parent, menuId, ui::Instance(), nullptr);
  if (!button)
    button = CreateWindowExA(0, "BUTTON", AnsiCaption(caption, english).c_str(), style, x, y, 80, 27, parent, menuId,
                             ui::Instance(), nullptr);
  // The dialog face the system links East Asian glyphs to.
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(ui::MakeFont("MS Shell Dlg", -11, false)), FALSE);
  return button;
}

}  // namespace

TForm1::TForm1() {
  // The stored setting, written as the window loads (it propagates).
  NSystemInfo1.SetExceptionMode(emMessage);
  NSystemInfo1.SetSplashFactory(ui::SplashFactory());
  NSystemInfo1.SetOverviewRunner([](TNSystemInfo& info) { ui::RunOverview(info); });

  CreateFrame(kStartWindowClass, ui::kApplicationTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
              kClientWidth, kClientHeight, nullptr);
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(ui::DialogFont()), FALSE);
  CreateWideButton(Handle(), kOkCaption, "OK", 64 + 1, 200, ui::idStartOK);
  CreateWideButton(Handle(), kCloseCaption, "Close", 296 + 1, 200, ui::idStartClose);
}

void TForm1::Show() {
  // FormShow: centred with the outer size, no clamping.
  ui::CentreOnScreen(Handle());
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
}

void TForm1::sknButton1Click() { NSystemInfo1.ShowOverview(); }

void TForm1::sknButton2Click() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == ui::idStartOK) {
        ui::Guarded(Handle(), [this] { sknButton1Click(); });
        return 0;
      }
      if (LOWORD(wParam) == ui::idStartClose) {
        sknButton2Click();
        return 0;
      }
      break;
    case WM_CLOSE:
      DestroyWindow(Handle());
      return 0;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

void TForm1::Destroyed() { PostQuitMessage(0); }

}  // namespace nsx::app
