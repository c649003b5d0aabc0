#include "OverviewPage.h"

#include <commctrl.h>

#include "WinUtil.h"

namespace nsx::ui {
namespace {

const char kSheetClass[] = "NSXSheet";

LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* page = reinterpret_cast<TOverviewPage*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_COMMAND:
      if (page) {
        Guarded(RootWindow(window), [&] {
          page->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        });
        return 0;
      }
      break;
    case WM_NOTIFY:
      if (page) {
        LRESULT result = 0;
        bool handled = false;
        Guarded(RootWindow(window), [&] {
          handled = page->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam, &result);
        });
        if (handled) return result;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (page) {
        if (HBRUSH brush = page->OnColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
          return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_SETCURSOR:
      if (HourglassActive()) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateSheet(HWND parent, int x, int y, int width, int height, int id, TOverviewPage* page) {
  WNDCLASSA existing{};
  if (!GetClassInfoA(Instance(), kSheetClass, &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = SheetProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kSheetClass;
    RegisterClassA(&wc);
  }
  HWND sheet = CreateWindowExA(WS_EX_CONTROLPARENT, kSheetClass, "", WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
  SetWindowLongPtrA(sheet, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
  return sheet;
}

bool TOverviewPage::OnNotify(const NMHDR& header, LPARAM lParam, LRESULT* result) {
  if (RefuseCheckChange(lParam)) {
    *result = TRUE;
    return true;
  }
  if (header.code == TCN_SELCHANGE) {
    for (auto& sub : subPages_) {
      if (sub.tabs != header.hwndFrom) continue;
      SelectSubPage(sub.id, static_cast<int>(SendMessageA(sub.tabs, TCM_GETCURSEL, 0, 0)));
      *result = 0;
      return true;
    }
  }
  return false;
}

std::vector<HWND> TOverviewPage::BuildSubPages(HWND parent, int id, const std::vector<const char*>& captions, int x,
                                               int y, int width, int height, DWORD style) {
  TSubPages sub{id, nullptr, {}};
  sub.tabs = CreateControl(parent, WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP | style, x, y, width, height, id);
  for (size_t i = 0; i < captions.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(captions[i]);
    SendMessageA(sub.tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  RECT display{0, 0, width, height};
  SendMessageA(sub.tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (size_t i = 0; i < captions.size(); ++i) {
    HWND sheet = CreateSheet(parent, x + display.left, y + display.top, display.right - display.left,
                             display.bottom - display.top, id + 50 + static_cast<int>(i), this);
    sub.sheets.push_back(sheet);
  }
  subPages_.push_back(sub);
  SelectSubPage(id, 0);
  return subPages_.back().sheets;
}

void TOverviewPage::SelectSubPage(int id, int index) {
  for (auto& sub : subPages_) {
    if (sub.id != id) continue;
    SendMessageA(sub.tabs, TCM_SETCURSEL, index, 0);
    for (size_t i = 0; i < sub.sheets.size(); ++i) {
      if (static_cast<int>(i) == index) {
        SetWindowPos(sub.sheets[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
      } else {
        ShowWindow(sub.sheets[i], SW_HIDE);
      }
    }
  }
}

}  // namespace nsx::ui
