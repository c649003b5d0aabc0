#include "OverviewImages.h"

#include "WinUtil.h"

namespace nsx::ui {
namespace {

const int kSize = 16;
const COLORREF kTransparent = RGB(255, 0, 255);

enum TGlyph { glPrinter, glNetworkPrinter, glProgram };

struct TImageRow {
  int index;
  TGlyph glyph;
  bool defaultMark;  // the black disc with a white tick of a default printer
};
const TImageRow kImages[] = {
    // index  glyph              default
    {16, glProgram, false},
    {35, glPrinter, false},
    {36, glPrinter, true},
    {37, glNetworkPrinter, false},
    {38, glNetworkPrinter, true},
};

void Box(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF edge) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(fill));
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, edge));
  SelectGuard b(dc, brush.Get());
  SelectGuard p(dc, pen.Get());
  Rectangle(dc, left, top, right, bottom);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) {
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
  SelectGuard p(dc, pen.Get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void DrawPrinter(HDC dc, int x, int top) {
  Box(dc, x + 4, top, x + 12, top + 6, RGB(255, 255, 255), RGB(64, 64, 64));  // paper
  Box(dc, x + 1, top + 4, x + 15, top + 11, RGB(192, 192, 192), RGB(64, 64, 64));
  Line(dc, x + 3, top + 8, x + 13, top + 8, RGB(96, 96, 96));  // paper slot
  SetPixel(dc, x + 12, top + 6, RGB(0, 160, 0));                // lamp
}

void DrawGlyph(HDC dc, int x, const TImageRow& row) {
  switch (row.glyph) {
    case glPrinter:
      DrawPrinter(dc, x, 3);
      break;
    case glNetworkPrinter:
      DrawPrinter(dc, x, 1);
      Line(dc, x + 8, 12, x + 8, 15, RGB(0, 0, 0));  // the cable to the network
      Line(dc, x + 2, 15, x + 15, 15, RGB(0, 128, 0));
      break;
    case glProgram:
      Box(dc, x + 1, 2, x + 15, 14, RGB(255, 255, 255), RGB(0, 0, 0));
      Box(dc, x + 1, 2, x + 15, 5, RGB(0, 0, 128), RGB(0, 0, 0));
      Box(dc, x + 3, 7, x + 8, 12, RGB(0, 128, 128), RGB(0, 96, 96));
      break;
  }
  if (row.defaultMark) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(0, 0, 0)));
    SelectGuard b(dc, brush.Get());
    SelectGuard p(dc, GetStockObject(BLACK_PEN));
    Ellipse(dc, x, 8, x + 8, 16);
    Line(dc, x + 2, 12, x + 3, 13, RGB(255, 255, 255));
    Line(dc, x + 3, 13, x + 6, 10, RGB(255, 255, 255));
  }
}

}  // namespace

HIMAGELIST CreateOverviewImageList() {
  HIMAGELIST list = ImageList_Create(kSize, kSize, ILC_COLOR24 | ILC_MASK, kOverviewImageCount, 0);
  if (!list) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  // One strip of every picture, added at once; the bitmap leaves the
  // device context before the list takes it.
  GdiObject<HBITMAP> strip(CreateCompatibleBitmap(screen, kSize * kOverviewImageCount, kSize));
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(dc, strip.Get());
  RECT all{0, 0, kSize * kOverviewImageCount, kSize};
  GdiObject<HBRUSH> background(CreateSolidBrush(kTransparent));
  FillRect(dc, &all, background.Get());
  for (const auto& row : kImages) DrawGlyph(dc, row.index * kSize, row);
  SelectObject(dc, previous);
  DeleteDC(dc);
  ImageList_AddMasked(list, strip.Get(), kTransparent);
  return list;
}

}  // namespace nsx::ui
