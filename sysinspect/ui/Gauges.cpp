#include "Gauges.h"

#include "WinUtil.h"

namespace nsx::ui {
namespace {

const char kGaugeClass[] = "NSXGauge";

void RegisterGaugeClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;  // replaced per window below
  wc.hInstance = Instance();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kGaugeClass;
  RegisterClassA(&wc);
  registered = true;
}

void FillColour(HDC dc, const RECT& rect, COLORREF colour) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.Get());
}

RECT ToRect(const TRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

TGauge::TGauge(HWND parent, int x, int y, int width, int height, int id) {
  RegisterGaugeClass();
  window_ = CreateWindowExA(0, kGaugeClass, "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TGauge::WindowProc));
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
}

TGauge::~TGauge() {
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

LRESULT CALLBACK TGauge::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TGauge*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the whole control is painted from the buffer
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (self) self->Paint(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_NCDESTROY:
      if (self) self->window_ = nullptr;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void TGauge::Repaint() {
  if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void TGauge::SetKind(TGaugeKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  Repaint();
}

void TGauge::SetShowText(bool show) {
  if (show == showText_) return;
  showText_ = show;
  Repaint();
}

void TGauge::SetBorderSingle(bool single) {
  if (single == borderSingle_) return;
  borderSingle_ = single;
  Repaint();
}

void TGauge::SetForeColor(COLORREF colour) {
  if (colour == foreColor_) return;
  foreColor_ = colour;
  Repaint();
}

void TGauge::SetBackColor(COLORREF colour) {
  if (colour == backColor_) return;
  backColor_ = colour;
  Repaint();
}

void TGauge::SetMinValue(std::int32_t value) {
  if (model_.SetMinValue(value) == GaugeChange::Repaint) Repaint();
}

void TGauge::SetMaxValue(std::int32_t value) {
  if (model_.SetMaxValue(value) == GaugeChange::Repaint) Repaint();
}

void TGauge::SetProgress(std::int32_t value) {
  if (model_.SetProgress(value) == GaugeChange::Repaint) Repaint();
}

void TGauge::DrawKind(HDC dc, const TRect& area, int width, int height) {
  RECT areaRect = ToRect(area);
  int percent = model_.PercentDone();
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  switch (kind_) {
    case gkText:
      FillColour(dc, areaRect, backColor_);
      break;
    case gkHorizontalBar:
    case gkVerticalBar: {
      FillColour(dc, areaRect, backColor_);
      TRect bar{};
      bool any = kind_ == gkHorizontalBar ? HorizontalBarRect(area, percent, &bar) : VerticalBarRect(area, percent, &bar);
      if (any) FillColour(dc, ToRect(bar), foreColor_);
      break;
    }
    case gkPie: {
      FillColour(dc, areaRect, face);
      TPieGeometry g = PieGeometry(area, borderSingle_, percent);
      GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, foreColor_));
      GdiObject<HBRUSH> back(CreateSolidBrush(backColor_));
      SelectGuard selectPen(dc, pen.Get());
      {
        SelectGuard selectBrush(dc, back.Get());
        Ellipse(dc, g.ellipse.left, g.ellipse.top, g.ellipse.right, g.ellipse.bottom);
      }
      if (percent > 0) {
        GdiObject<HBRUSH> fore(CreateSolidBrush(foreColor_));
        SelectGuard selectBrush(dc, fore.Get());
        Pie(dc, g.ellipse.left, g.ellipse.top, g.ellipse.right, g.ellipse.bottom, g.start.x, g.start.y, g.end.x,
            g.end.y);
      }
      break;
    }
    case gkNeedle: {
      FillColour(dc, areaRect, face);
      TNeedleGeometry g = NeedleGeometry(area, borderSingle_, width, percent);
      GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, foreColor_));
      GdiObject<HBRUSH> back(CreateSolidBrush(backColor_));
      SelectGuard selectPen(dc, pen.Get());
      SelectGuard selectBrush(dc, back.Get());
      Pie(dc, g.ellipse.left, g.ellipse.top, g.ellipse.right, g.ellipse.bottom, g.arcStart.x, g.arcStart.y,
          g.arcEnd.x, g.arcEnd.y);
      MoveToEx(dc, g.baseFrom.x, g.baseFrom.y, nullptr);
      LineTo(dc, g.baseTo.x, g.baseTo.y);
      if (percent > 0) {
        MoveToEx(dc, g.needleFrom.x, g.needleFrom.y, nullptr);
        LineTo(dc, g.needleTo.x, g.needleTo.y);
      }
      break;
    }
  }
  (void)height;
}

void TGauge::Paint(HDC target) {
  RECT client{};
  GetClientRect(window_, &client);
  int width = client.right, height = client.bottom;
  TRect area = GaugeArea(width, height, borderSingle_);

  MemoryCanvas image(target, width, height);
  FillColour(image.Dc(), client, RGB(0, 0, 0));

  MemoryCanvas overlay(target, width, height);
  FillColour(overlay.Dc(), client, GetSysColor(COLOR_WINDOWFRAME));
  FillColour(overlay.Dc(), client, RGB(0, 0, 0));
  DrawKind(overlay.Dc(), area, width, height);
  BitBlt(image.Dc(), 0, 0, width, height, overlay.Dc(), 0, 0, SRCINVERT);

  if (showText_) {
    MemoryCanvas text(target, width, height);
    FillColour(text.Dc(), client, RGB(0, 0, 0));
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
    SelectGuard selectFont(text.Dc(), font ? font : DialogFont());
    SetTextColor(text.Dc(), RGB(255, 255, 255));
    SetBkMode(text.Dc(), TRANSPARENT);
    std::string caption = GaugeText(model_.PercentDone());
    SIZE size{};
    GetTextExtentPoint32A(text.Dc(), caption.c_str(), static_cast<int>(caption.size()), &size);
    TPoint origin = GaugeTextOrigin(area, size.cx, size.cy);
    RECT clip = ToRect(area);
    ExtTextOutA(text.Dc(), origin.x, origin.y, ETO_CLIPPED, &clip, caption.c_str(),
                static_cast<UINT>(caption.size()), nullptr);
    BitBlt(image.Dc(), 0, 0, width, height, text.Dc(), 0, 0, SRCINVERT);
  }

  BitBlt(target, 0, 0, width, height, image.Dc(), 0, 0, SRCCOPY);
}

}  // namespace nsx::ui
