// A top-level window whose messages reach a C++ object: the object is
// handed over at creation and found again through the window's user data.
#pragma once
#include <windows.h>

namespace nsx::ui {

// The application's title: the start window's caption and the detail dialog's.
constexpr const char* kApplicationTitle = "System Information";

class TWindowBase {
 public:
  TWindowBase() = default;
  TWindowBase(const TWindowBase&) = delete;
  TWindowBase& operator=(const TWindowBase&) = delete;
  virtual ~TWindowBase();

  HWND Handle() const { return window_; }

 protected:
  // Registers the class once (button-face background, arrow cursor) and
  // creates the window with the given client size.
  bool CreateFrame(const char* className, const char* caption, DWORD style, DWORD exStyle, int clientWidth,
                   int clientHeight, HWND owner);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once when the window is gone.
  virtual void Destroyed() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
};

}  // namespace nsx::ui
