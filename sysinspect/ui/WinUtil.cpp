#include "WinUtil.h"

#include "platform/win32/Binding.h"

#include <map>
#include <utility>

namespace nsx::ui {
namespace {

int g_hourglassDepth = 0;  // nested long commands share one hourglass

}  // namespace

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

HWND RootWindow(HWND window) {
  using GetAncestorFunction = HWND(WINAPI*)(HWND, UINT);
  static const auto getAncestor = win32::LoadedModuleEntry<GetAncestorFunction>("user32.dll", "GetAncestor");
  if (getAncestor) return getAncestor(window, GA_ROOT);
  // A child's parent is its container; a top-level window's is its owner.
  while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
    HWND parent = GetParent(window);
    if (!parent) break;
    window = parent;
  }
  return window;
}

MemoryCanvas::MemoryCanvas(HDC reference, int width, int height) {
  dc_ = CreateCompatibleDC(reference);
  bitmap_ = CreateCompatibleBitmap(reference, width > 0 ? width : 1, height > 0 ? height : 1);
  previous_ = SelectObject(dc_, bitmap_);
}

MemoryCanvas::~MemoryCanvas() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

HourglassCursor::HourglassCursor() {
  ++g_hourglassDepth;
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

HourglassCursor::~HourglassCursor() {
  if (--g_hourglassDepth == 0) SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

bool HourglassActive() { return g_hourglassDepth > 0; }

HFONT MakeFont(const char* face, int height, bool bold) {
  // Fonts are shared by every window and live as long as the process.
  static std::map<std::pair<std::string, int>, HFONT> fonts;
  auto key = std::make_pair(std::string(face) + (bold ? "/b" : ""), height);
  auto found = fonts.find(key);
  if (found != fonts.end()) return found->second;
  HFONT font = CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           face);
  fonts[key] = font;
  return font;
}

HFONT DialogFont() { return MakeFont("MS Sans Serif", -11, false); }

HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int w, int h,
                   int id, DWORD exStyle) {
  HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
  if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  return control;
}

HWND CreateLabel(HWND parent, const char* text, int x, int y, int w, int h, int id, DWORD extra) {
  return CreateControl(parent, "STATIC", text, SS_LEFT | SS_NOPREFIX | extra, x, y, w, h, id);
}

HWND CreateReadOnlyEdit(HWND parent, int x, int y, int w, int h, int id) {
  return CreateControl(parent, "EDIT", "", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, x, y, w, h, id,
                       WS_EX_CLIENTEDGE);
}

HWND CreateButton(HWND parent, const char* text, int x, int y, int w, int h, int id, bool isDefault) {
  return CreateControl(parent, "BUTTON", text, (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, x, y, w,
                       h, id);
}

HWND CreateGroup(HWND parent, const char* text, int x, int y, int w, int h, int id) {
  return CreateControl(parent, "BUTTON", text, BS_GROUPBOX, x, y, w, h, id);
}

HWND CreateReportList(HWND parent, int x, int y, int w, int h, int id, const std::vector<TColumn>& columns,
                      bool checkBoxes, bool noHeader) {
  HWND list = CreateControl(parent, WC_LISTVIEWA, "",
                            LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_TABSTOP |
                                (noHeader ? LVS_NOCOLUMNHEADER : 0),
                            x, y, w, h, id, WS_EX_CLIENTEDGE);
  DWORD ex = LVS_EX_FULLROWSELECT | (checkBoxes ? LVS_EX_CHECKBOXES : 0);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
  int used = 0;
  for (size_t i = 0; i < columns.size(); ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(columns[i].caption);
    column.cx = columns[i].width > 0 ? columns[i].width : (w - used - GetSystemMetrics(SM_CXVSCROLL) - 4);
    used += column.cx;
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  return list;
}

int AddListRow(HWND list, const std::vector<std::string>& cells, int image) {
  if (cells.empty()) return -1;
  LVITEMA item{};
  item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
  item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = const_cast<char*>(cells[0].c_str());
  item.iImage = image;
  int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  for (size_t i = 1; i < cells.size() && row >= 0; ++i) {
    LVITEMA sub{};
    sub.iSubItem = static_cast<int>(i);
    sub.pszText = const_cast<char*>(cells[i].c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
  }
  return row;
}

void SetListChecked(HWND list, int row, bool checked) {
  LVITEMA item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

bool ListChecked(HWND list, int row) {
  UINT state = static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
  return (state >> 12) == 2;
}

void FitLastColumn(HWND list, int firstWidth) {
  RECT client{};
  GetClientRect(list, &client);
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, firstWidth);
  int rest = client.right - client.left - firstWidth;
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, rest > 20 ? rest : 20);
}

const char kFillingProperty[] = "nsx.filling";

CheckListFill::CheckListFill(HWND list) : list_(list) { SetPropA(list_, kFillingProperty, reinterpret_cast<HANDLE>(1)); }
CheckListFill::~CheckListFill() { RemovePropA(list_, kFillingProperty); }

bool RefuseCheckChange(LPARAM notifyHeader) {
  auto* header = reinterpret_cast<const NMHDR*>(notifyHeader);
  if (header->code != LVN_ITEMCHANGING) return false;
  auto* change = reinterpret_cast<const NMLISTVIEW*>(notifyHeader);
  if (!(change->uChanged & LVIF_STATE)) return false;
  if (((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) == 0) return false;
  if ((change->uOldState & LVIS_STATEIMAGEMASK) == 0) return false;  // the first mark of a new item
  return GetPropA(header->hwndFrom, kFillingProperty) == nullptr;
}

HWND CreateField(HWND parent, const char* caption, int x, int y, int labelWidth, int editWidth, int id) {
  CreateLabel(parent, caption, x, y + 3, labelWidth, 16);
  return CreateReadOnlyEdit(parent, x + labelWidth, y, editWidth, 21, id);
}

std::string ThousandSeparator() {
  char text[8] = {0};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, text, sizeof text) <= 0) return ",";
  return text;
}

void SetText(HWND window, const std::string& text) {
  if (window) SetWindowTextA(window, text.c_str());
}

std::string GetText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = GetWindowTextA(window, &text[0], length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

void CentreOnScreen(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  int width = outer.right - outer.left, height = outer.bottom - outer.top;
  int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

BOOL CALLBACK DisableOther(HWND other, LPARAM param) {
  auto* walk = reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(param);
  if (other != walk->first && IsWindowVisible(other) && IsWindowEnabled(other)) {
    EnableWindow(other, FALSE);
    walk->second->push_back(other);
  }
  return TRUE;
}

}  // namespace

void RunModal(HWND window, const bool& done) {
  // Every other window of the program is disabled while this one is up, as
  // a modal window does, whether or not it has an owner.
  std::vector<HWND> disabled;
  std::pair<HWND, std::vector<HWND>*> walk(window, &disabled);
  EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&walk));
  HWND owner = GetWindow(window, GW_OWNER);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  MSG msg;
  while (!done && IsWindow(window)) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit for the outer loop
      break;
    }
    if (got < 0) break;
    if (IsDialogMessageA(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // The others come back before the window goes, so one of them gets the activation.
  for (HWND other : disabled)
    if (IsWindow(other)) EnableWindow(other, TRUE);
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
  else if (!disabled.empty() && IsWindow(disabled.front())) SetActiveWindow(disabled.front());
}

void ShowException(HWND owner, const std::exception& error) {
  MessageBoxA(owner, error.what(), "Error", MB_OK | MB_ICONERROR);
}

void ShowUnknownException(HWND owner) {
  MessageBoxA(owner, "An unexpected error occurred.", "Error", MB_OK | MB_ICONERROR);
}

void Guarded(HWND owner, const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    ShowException(owner, error);
  } catch (...) {
    ShowUnknownException(owner);
  }
}

}  // namespace nsx::ui
