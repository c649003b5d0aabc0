// TscrNSX_Splash: the borderless, always-on-top window shown while every
// topic is gathered. It is painted once when shown; the gathering that
// follows blocks the thread, so it paints nothing later.
#pragma once
#include <windows.h>

#include "../core/NSX_GUI.h"

namespace nsx::ui {

constexpr const char* kSplashClass = "TscrNSX_Splash";

class TscrNSX_Splash : public TSplashHandle {
 public:
  TscrNSX_Splash();
  ~TscrNSX_Splash() override;
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
};

// For the aggregate: a splash window per gathering.
TSplashFactory SplashFactory();

}  // namespace nsx::ui
