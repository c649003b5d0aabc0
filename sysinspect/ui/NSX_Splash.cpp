#include "NSX_Splash.h"

#include <memory>

#include "../core/NSX_Common.h"
#include "WinUtil.h"

namespace nsx::ui {
namespace {

const int kClientWidth = 360, kClientHeight = 144;
const int kFrame = 3, kInfoStrip = 21;
const COLORREF kTeal = RGB(0, 128, 128);

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  RECT rect{left, top, right, bottom};
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.Get());
}

void Caption(HDC dc, const char* text, HFONT font, COLORREF colour, RECT rect, UINT format) {
  SelectGuard select(dc, font);
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text, -1, &rect, format | DT_NOPREFIX | DT_SINGLELINE);
}

void PaintSplash(HDC dc) {
  // A black panel with a 3-pixel border around a white panel, and the black
  // information strip at the bottom.
  Fill(dc, 0, 0, kClientWidth, kClientHeight, RGB(0, 0, 0));
  int whiteBottom = kClientHeight - kFrame - kInfoStrip;
  Fill(dc, kFrame, kFrame, kClientWidth - kFrame, whiteBottom, RGB(255, 255, 255));

  // The two pictures: the program's icon and a computer.
  HICON programIcon = LoadIconA(Instance(), MAKEINTRESOURCEA(1));
  DrawIcon(dc, 14, 16, programIcon ? programIcon : LoadIcon(nullptr, IDI_APPLICATION));
  DrawIcon(dc, kClientWidth - 14 - 32, 16, LoadIcon(nullptr, IDI_INFORMATION));

  HFONT title = MakeFont("Times New Roman", -27, true);
  HFONT subtitle = MakeFont("Times New Roman", -16, true);
  HFONT copyright = MakeFont("MS Sans Serif", -11, true);
  Caption(dc, "Computer Information", title, kTeal, RECT{50, 12, kClientWidth - 50, 48}, DT_CENTER);
  Caption(dc, "for Windows 95/98/NT/2000/XP", subtitle, kTeal, RECT{50, 50, kClientWidth - 50, 72}, DT_CENTER);
  Caption(dc, kCopyright, copyright, RGB(0, 0, 0), RECT{kFrame, 82, kClientWidth - kFrame, whiteBottom - 4},
          DT_CENTER | DT_VCENTER);

  Caption(dc, "Collecting information...", MakeFont("MS Sans Serif", -11, true), RGB(255, 255, 255),
          RECT{kFrame, whiteBottom, kClientWidth - kFrame, kClientHeight - kFrame}, DT_CENTER | DT_VCENTER);
}

}  // namespace

TscrNSX_Splash::TscrNSX_Splash() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TscrNSX_Splash::WindowProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_WAIT);
    wc.lpszClassName = kSplashClass;
    RegisterClassA(&wc);
    registered = true;
  }
  window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kSplashClass, "Collecting information...", WS_POPUP, 0,
                            0, kClientWidth, kClientHeight, nullptr, nullptr, Instance(), nullptr);
  if (!window_) return;
  CentreOnScreen(window_);
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  UpdateWindow(window_);
  GdiFlush();
}

TscrNSX_Splash::~TscrNSX_Splash() {
  if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK TscrNSX_Splash::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      PaintSplash(dc);
      EndPaint(window, &ps);
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TSplashFactory SplashFactory() {
  return [] { return std::unique_ptr<TSplashHandle>(new TscrNSX_Splash()); };
}

}  // namespace nsx::ui
