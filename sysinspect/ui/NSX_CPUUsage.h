// TNCPUUsage: samples the processor load once per interval on the
// user-interface thread and reports it through OnInterval.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include "logic/CPUUsageSampler.h"

namespace nsx::ui {

class TNCPUUsage {
 public:
  using TIntervalEvent = std::function<void(TNCPUUsage& sender, std::uint32_t value)>;

  TNCPUUsage();
  TNCPUUsage(const TNCPUUsage&) = delete;
  TNCPUUsage& operator=(const TNCPUUsage&) = delete;
  ~TNCPUUsage();

  bool Active() const { return timerEnabled_; }
  // Starting may raise the 9x family's statistics error.
  void SetActive(bool active);
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t milliseconds);
  std::uint32_t LastValue() const { return lastValue_; }

  TIntervalEvent OnInterval;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void EnableTimer(bool enable);
  void Tick();

  HWND window_ = nullptr;  // a hidden window that receives the timer
  TCPUUsageSampler sampler_;
  std::uint32_t interval_ = 1000;
  std::uint32_t lastValue_ = 0;
  bool started_ = false;
  bool timerEnabled_ = false;
};

}  // namespace nsx::ui
