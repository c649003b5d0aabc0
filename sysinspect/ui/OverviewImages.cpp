#include "OverviewImages.h"

#include "WinUtil.h"

namespace nsx::ui {
namespace {

const int kSize = 16;
const COLORREF kMaskColour = RGB(255, 0, 255);

struct TPicture {
  COLORREF colour;
  const char* letters;  // one or two, drawn on the badge
};

// A coloured badge with letters for each picture (the pictures are ours to
// draw; what matters is that each kind of device is told apart at a glance).
const TPicture kPictures[kOverviewImageCount] = {
    // index: colour                letters   what
    /*  0 */ {RGB(0, 64, 128),      "PC"},  // computer (tree root)
    /*  1 */ {RGB(0, 96, 160),      "Sy"},  // computer, system devices
    /*  2 */ {RGB(0, 128, 128),     "Di"},  // display adapter
    /*  3 */ {RGB(0, 150, 110),     "Mo"},  // monitor
    /*  4 */ {RGB(110, 110, 110),   "HD"},  // disk drives and controllers
    /*  5 */ {RGB(130, 130, 60),    "Fd"},  // floppy disk
    /*  6 */ {RGB(90, 90, 150),     "Vo"},  // volume
    /*  7 */ {RGB(160, 120, 0),     "CD"},  // CD-ROM
    /*  8 */ {RGB(120, 80, 40),     "Ta"},  // tape
    /*  9 */ {RGB(0, 140, 0),       "Ba"},  // battery
    /* 10 */ {RGB(150, 0, 150),     "Im"},  // imaging device
    /* 11 */ {RGB(70, 70, 70),      "Kb"},  // keyboard
    /* 12 */ {RGB(90, 90, 90),      "Ms"},  // mouse
    /* 13 */ {RGB(0, 110, 170),     "Md"},  // modem
    /* 14 */ {RGB(140, 100, 0),     "Po"},  // ports
    /* 15 */ {RGB(0, 120, 60),      "Ca"},  // adapter cards: network adapter, PCMCIA, sound card
    /* 16 */ {RGB(0, 150, 50),      "Ap"},  // APM power management, installed applications
    /* 17 */ {RGB(100, 60, 140),    "Sc"},  // SCSI adapter
    /* 18 */ {RGB(128, 128, 128),   "?"},   // other devices
    /* 19 */ {RGB(170, 60, 0),      "Au"},  // sound, video and game controllers
    /* 20 */ {RGB(0, 80, 180),      "US"},  // USB
    /* 21 */ {RGB(150, 90, 0),      "Jo"},  // game port (joystick)
    /* 22 */ {RGB(128, 128, 128),   ""},
    /* 23 */ {RGB(128, 128, 128),   ""},
    /* 24 */ {RGB(128, 128, 128),   ""},
    /* 25 */ {RGB(120, 80, 40),     "Ch"},  // medium changer
    /* 26 */ {RGB(60, 60, 120),     "HI"},  // human interface device
    /* 27 */ {RGB(0, 130, 130),     "GP"},  // GPS
    /* 28 */ {RGB(100, 100, 0),     "MF"},  // multifunction, smart-card reader
    /* 29 */ {RGB(160, 0, 0),       "IR"},  // infrared
    /* 30 */ {RGB(130, 40, 130),    "Mi"},  // MIDI device
    /* 31 */ {RGB(200, 80, 0),      "Wa"},  // wave device
    /* 32 */ {RGB(90, 90, 40),      "Mx"},  // mixer
    /* 33 */ {RGB(110, 70, 40),     "Ax"},  // auxiliary audio device
    /* 34 */ {RGB(0, 90, 40),       "DX"},  // DirectX driver
    /* 35 */ {RGB(40, 40, 40),      "Pr"},  // printer
    /* 36 */ {RGB(0, 0, 160),       "Pr"},  // the default printer
    /* 37 */ {RGB(40, 90, 40),      "NP"},  // network printer
    /* 38 */ {RGB(0, 0, 160),       "NP"},  // the default printer, a network printer
    /* 39 */ {RGB(120, 80, 40),     "TC"},  // tape controller
    /* 40 */ {RGB(0, 100, 0),       "Me"},  // memory, cache
    /* 41 */ {RGB(120, 0, 60),      "CP"},  // processor
};

HBITMAP DrawPictures(HDC screen) {
  MemoryCanvas canvas(screen, kSize * kOverviewImageCount, kSize);
  HDC dc = canvas.Dc();
  GdiObject<HBRUSH> mask(CreateSolidBrush(kMaskColour));
  RECT all{0, 0, kSize * kOverviewImageCount, kSize};
  FillRect(dc, &all, mask.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  SelectGuard font(dc, MakeFont("Tahoma", -9, true));
  for (int i = 0; i < kOverviewImageCount; ++i) {
    GdiObject<HBRUSH> fill(CreateSolidBrush(kPictures[i].colour));
    GdiObject<HPEN> edge(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    SelectGuard brush(dc, fill.Get());
    SelectGuard pen(dc, edge.Get());
    RoundRect(dc, i * kSize, 1, i * kSize + kSize, kSize - 1, 4, 4);
    RECT cell{i * kSize, 1, i * kSize + kSize, kSize - 1};
    DrawTextA(dc, kPictures[i].letters, -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  // The strip leaves the canvas as a bitmap of its own.
  HDC copyDc = CreateCompatibleDC(screen);
  HBITMAP strip = CreateCompatibleBitmap(screen, kSize * kOverviewImageCount, kSize);
  HGDIOBJ previous = SelectObject(copyDc, strip);
  BitBlt(copyDc, 0, 0, kSize * kOverviewImageCount, kSize, dc, 0, 0, SRCCOPY);
  SelectObject(copyDc, previous);
  DeleteDC(copyDc);
  return strip;
}

}  // namespace

HIMAGELIST OverviewImages() {
  static HIMAGELIST images = [] {
    HIMAGELIST list = ImageList_Create(kSize, kSize, ILC_COLOR24 | ILC_MASK, kOverviewImageCount, 0);
    HDC screen = GetDC(nullptr);
    HBITMAP strip = DrawPictures(screen);
    ReleaseDC(nullptr, screen);
    ImageList_AddMasked(list, strip, kMaskColour);
    DeleteObject(strip);
    return list;
  }();
  return images;
}

void SetSharedImages(HWND list) {
  // Without this style a list view destroys its image lists with itself.
  SetWindowLongPtrA(list, GWL_STYLE, GetWindowLongPtrA(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
  SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(OverviewImages()));
}

}  // namespace nsx::ui
