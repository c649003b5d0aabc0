#include "NSX_CPUUsage.h"

#include "../core/Norvik_Routines.h"
#include "WinUtil.h"

namespace nsx::ui {
namespace {

const char kTimerWindowClass[] = "NSXCPUUsageTimer";
const UINT_PTR kTimerId = 1;

}  // namespace

TNCPUUsage::TNCPUUsage() : sampler_(OSInfo().IsNT) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TNCPUUsage::WindowProc;
    wc.hInstance = Instance();
    wc.lpszClassName = kTimerWindowClass;
    RegisterClassA(&wc);
    registered = true;
  }
  window_ = CreateWindowExA(0, kTimerWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Instance(), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TNCPUUsage::~TNCPUUsage() {
  EnableTimer(false);
  if (started_) {
    started_ = false;
    try {
      sampler_.Stop();
    } catch (...) {
      // Nothing to tell anyone while going away.
    }
  }
  if (window_) DestroyWindow(window_);
}

void TNCPUUsage::SetActive(bool active) {
  if (active) {
    started_ = sampler_.Start();
    EnableTimer(started_);
  } else {
    if (started_) {
      sampler_.Stop();
      started_ = false;
    }
    EnableTimer(false);
  }
}

void TNCPUUsage::SetInterval(std::uint32_t milliseconds) {
  interval_ = milliseconds;
  if (timerEnabled_) EnableTimer(true);
}

void TNCPUUsage::EnableTimer(bool enable) {
  if (!window_) return;
  KillTimer(window_, kTimerId);
  timerEnabled_ = enable && interval_ > 0;
  if (timerEnabled_) SetTimer(window_, kTimerId, interval_, nullptr);
}

void TNCPUUsage::Tick() {
  lastValue_ = sampler_.Sample(interval_);
  if (OnInterval) OnInterval(*this, lastValue_);
}

LRESULT CALLBACK TNCPUUsage::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    auto* self = reinterpret_cast<TNCPUUsage*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) Guarded(nullptr, [self] { self->Tick(); });
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace nsx::ui
