// Small pieces every window of the program uses: handles released by RAII,
// the dialog font, the hourglass cursor, control creation, text access,
// modal loops and the application's default error handler.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace nsx::ui {

// A GDI object deleted when it goes out of scope.
template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = other.handle_;
      other.handle_ = nullptr;
    }
    return *this;
  }
  ~GdiObject() { Reset(); }
  Handle Get() const { return handle_; }
  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

// A memory device context with its bitmap, both released together.
class MemoryCanvas {
 public:
  MemoryCanvas(HDC reference, int width, int height);
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;
  ~MemoryCanvas();
  HDC Dc() const { return dc_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// Selects an object into a device context for a scope.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The hourglass for a scope; the default cursor comes back however the
// scope is left.
class HourglassCursor {
 public:
  HourglassCursor();
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;
  ~HourglassCursor();
};
// True while an HourglassCursor scope is open (windows answer WM_SETCURSOR with it).
bool HourglassActive();

// "MS Sans Serif" at height -11, or another face and height; shared fonts
// live for the process.
HFONT DialogFont();
HFONT MakeFont(const char* face, int height, bool bold);

// Controls: created as children with the dialog font.
HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int w, int h,
                   int id, DWORD exStyle = 0);
HWND CreateLabel(HWND parent, const char* text, int x, int y, int w, int h, int id = -1, DWORD extra = 0);
HWND CreateReadOnlyEdit(HWND parent, int x, int y, int w, int h, int id);
HWND CreateButton(HWND parent, const char* text, int x, int y, int w, int h, int id, bool isDefault = false);
HWND CreateGroup(HWND parent, const char* text, int x, int y, int w, int h, int id = -1);

struct TColumn {
  const char* caption;
  int width;  // 0: the width left over
};
// A read-only report list that selects whole rows.
HWND CreateReportList(HWND parent, int x, int y, int w, int h, int id, const std::vector<TColumn>& columns,
                      bool checkBoxes = false, bool noHeader = false);
int AddListRow(HWND list, const std::vector<std::string>& cells, int image = -1);
void SetListChecked(HWND list, int row, bool checked);
bool ListChecked(HWND list, int row);
void FitLastColumn(HWND list, int firstWidth);

// Check lists are indicators: the program sets their marks while a fill
// scope is open, and a parent refuses every other change of a mark.
class CheckListFill {
 public:
  explicit CheckListFill(HWND list);
  CheckListFill(const CheckListFill&) = delete;
  CheckListFill& operator=(const CheckListFill&) = delete;
  ~CheckListFill();

 private:
  HWND list_;
};
// For WM_NOTIFY: true when the notification is a user's change of a check
// mark, which the parent refuses by returning TRUE.
bool RefuseCheckChange(LPARAM notifyHeader);

void SetText(HWND window, const std::string& text);
// A label and a read-only edit to its right; returns the edit.
HWND CreateField(HWND parent, const char* caption, int x, int y, int labelWidth, int editWidth, int id);
// The user's thousands separator.
std::string ThousandSeparator();
std::string GetText(HWND window);

// Centres a window on the screen (outer size; negative edges are kept).
void CentreOnScreen(HWND window);

// Runs a modal loop for `window`: its owner (when any) is disabled until
// the window is gone or `done` becomes true; dialog keys are handled.
void RunModal(HWND window, const bool& done);

// The application's default handler: the error's message in a box; the
// program goes on.
void ShowException(HWND owner, const std::exception& error);
void ShowUnknownException(HWND owner);
// Runs an action; anything that escapes goes to the default handler.
void Guarded(HWND owner, const std::function<void()>& action);

HINSTANCE Instance();

// The top-level window a window sits in (GetAncestor with GA_ROOT, which
// Windows 95 and NT 4.0 before SP4 lack: there the parents are walked).
HWND RootWindow(HWND window);

}  // namespace nsx::ui
