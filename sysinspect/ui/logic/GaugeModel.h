// The gauge's value model and drawing geometry: the range with its clamped
// progress, the percentage shown, and where each kind draws its bar, slice,
// needle and text. The window class paints what this computes.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace nsx::ui {

enum TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

// Raised when the range would become empty (upper end below the lower end).
class EInvalidOperation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// x * 100 / z truncated toward zero; 0 when z is 0.
std::int32_t SolveForY(std::int64_t x, std::int64_t z);
// size * percent / 100 truncated toward zero.
std::int32_t SolveForX(std::int32_t percent, std::int32_t size);

// What a setter asks of the window: nothing, or a repaint.
enum class GaugeChange { None, Repaint };

class TGaugeModel {
 public:
  std::int32_t MinValue() const { return min_; }
  std::int32_t MaxValue() const { return max_; }
  std::int32_t Progress() const { return progress_; }
  std::int32_t PercentDone() const;

  // `loading`: the values come from a stored definition and may arrive in
  // any order, so the range is not checked.
  GaugeChange SetMinValue(std::int32_t value, bool loading = false);
  GaugeChange SetMaxValue(std::int32_t value, bool loading = false);
  GaugeChange SetProgress(std::int32_t value);

 private:
  std::int32_t min_ = 0;
  std::int32_t max_ = 100;
  std::int32_t progress_ = 0;
};

// Amounts wider than the gauge's 32-bit signed range, brought into it with
// their ratio kept: both are halved until the maximum fits.
struct TGaugeRange {
  std::int32_t maximum;
  std::int32_t progress;
};
TGaugeRange FitGaugeRange(std::uint64_t maximum, std::uint64_t progress);

struct TRect {
  int left, top, right, bottom;
  bool operator==(const TRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};
struct TPoint {
  int x, y;
  bool operator==(const TPoint& o) const { return x == o.x && y == o.y; }
};

// The drawing area: the client rectangle, one pixel in on every side when
// the gauge has a single border.
TRect GaugeArea(int width, int height, bool singleBorder);
int AreaWidth(const TRect& area);   // right - left, as the bar arithmetic counts it
int AreaHeight(const TRect& area);  // bottom - top

// The filled part of a bar; empty (false) when nothing is filled.
bool HorizontalBarRect(const TRect& area, std::int32_t percent, TRect* filled);
bool VerticalBarRect(const TRect& area, std::int32_t percent, TRect* filled);

// The ellipse bounds of the pie and needle (W, H widened by the border).
struct TPieGeometry {
  TRect ellipse;
  TPoint start;  // pie slice from here...
  TPoint end;    // ...to here, counter-clockwise
};
TPieGeometry PieGeometry(const TRect& area, bool singleBorder, std::int32_t percent);

struct TNeedleGeometry {
  TRect ellipse;      // the upper half of this ellipse is the dial
  TPoint arcStart, arcEnd;
  TPoint baseFrom, baseTo;   // the base line under the dial
  TPoint needleFrom, needleTo;
};
TNeedleGeometry NeedleGeometry(const TRect& area, bool singleBorder, int controlWidth, std::int32_t percent);

// The percentage text and its top-left corner for a text of the given size.
std::string GaugeText(std::int32_t percent);
TPoint GaugeTextOrigin(const TRect& area, int textWidth, int textHeight);

}  // namespace nsx::ui
