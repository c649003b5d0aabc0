#include "StartWindow.h"

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

HWND CreateWideButton(HWND parent, const wchar_t* caption, int x, int y, int id) {
  HWND button = CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, y, 80,
                                27, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ui::Instance(), nullptr);
  // The dialog face the system links East Asian glyphs to.
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(ui::MakeFont("MS Shell Dlg", -11, false)), FALSE);
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
  CreateWideButton(Handle(), kOkCaption, 64 + 1, 200, ui::idStartOK);
  CreateWideButton(Handle(), kCloseCaption, 296 + 1, 200, ui::idStartClose);
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
