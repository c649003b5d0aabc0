// TGauge: a painted progress indicator in five kinds (text only, horizontal
// bar, vertical bar, pie, needle), double-buffered, with the percentage
// written over it by exclusive-or so it stays readable on bar and ground.
#pragma once
#include <windows.h>

#include <cstdint>

#include "logic/GaugeModel.h"

namespace nsx::ui {

class TGauge {
 public:
  TGauge(HWND parent, int x, int y, int width, int height, int id);
  TGauge(const TGauge&) = delete;
  TGauge& operator=(const TGauge&) = delete;
  ~TGauge();

  HWND Handle() const { return window_; }

  TGaugeKind Kind() const { return kind_; }
  void SetKind(TGaugeKind kind);
  void SetShowText(bool show);
  void SetBorderSingle(bool single);
  void SetForeColor(COLORREF colour);
  void SetBackColor(COLORREF colour);
  // Range errors (EInvalidOperation) come from these two setters only.
  void SetMinValue(std::int32_t value);
  void SetMaxValue(std::int32_t value);
  void SetProgress(std::int32_t value);
  std::int32_t MinValue() const { return model_.MinValue(); }
  std::int32_t MaxValue() const { return model_.MaxValue(); }
  std::int32_t Progress() const { return model_.Progress(); }
  std::int32_t PercentDone() const { return model_.PercentDone(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Repaint();
  void Paint(HDC target);
  void DrawKind(HDC dc, const TRect& area, int width, int height);

  HWND window_ = nullptr;
  TGaugeModel model_;
  TGaugeKind kind_ = gkHorizontalBar;
  bool showText_ = true;
  bool borderSingle_ = true;
  COLORREF foreColor_ = RGB(0, 0, 0);
  COLORREF backColor_ = RGB(255, 255, 255);
};

}  // namespace nsx::ui
