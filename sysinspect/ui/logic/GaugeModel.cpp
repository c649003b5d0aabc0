#include "GaugeModel.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace nsx::ui {
namespace {

const double kPi = 3.14159265358979323846;

// The framework's Round: to the nearest integer, halves to even.
int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

std::string RangeMessage(std::int64_t low, std::int64_t high) {
  char text[96];
  std::snprintf(text, sizeof text, "Value must be between %lld and %lld", static_cast<long long>(low),
                static_cast<long long>(high));
  return text;
}

}  // namespace

std::int32_t SolveForY(std::int64_t x, std::int64_t z) {
  if (z == 0) return 0;
  return static_cast<std::int32_t>(std::trunc(static_cast<double>(x) * 100.0 / static_cast<double>(z)));
}

std::int32_t SolveForX(std::int32_t percent, std::int32_t size) {
  return static_cast<std::int32_t>(std::trunc(static_cast<double>(size) * (percent * 0.01)));
}

std::int32_t TGaugeModel::PercentDone() const {
  // In 64 bits: a range across zero would overflow 32-bit differences.
  return SolveForY(static_cast<std::int64_t>(progress_) - min_, static_cast<std::int64_t>(max_) - min_);
}

GaugeChange TGaugeModel::SetMinValue(std::int32_t value, bool loading) {
  if (value == min_) return GaugeChange::None;
  if (value > max_ && !loading)
    throw EInvalidOperation(RangeMessage(-2147483647, static_cast<std::int64_t>(max_) - 1));
  min_ = value;
  if (progress_ < value) progress_ = value;
  return GaugeChange::Repaint;
}

GaugeChange TGaugeModel::SetMaxValue(std::int32_t value, bool loading) {
  if (value == max_) return GaugeChange::None;
  if (value < min_ && !loading)
    throw EInvalidOperation(RangeMessage(static_cast<std::int64_t>(min_) + 1, 2147483647));
  max_ = value;
  if (progress_ > value) progress_ = value;
  return GaugeChange::Repaint;
}

GaugeChange TGaugeModel::SetProgress(std::int32_t value) {
  std::int32_t clamped = value;
  if (clamped < min_) clamped = min_;
  if (clamped > max_) clamped = max_;
  if (clamped == progress_) return GaugeChange::None;
  std::int32_t before = PercentDone();
  progress_ = clamped;
  return PercentDone() != before ? GaugeChange::Repaint : GaugeChange::None;
}

TGaugeRange FitGaugeRange(std::uint64_t maximum, std::uint64_t progress) {
  const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  while (maximum > limit) {
    maximum >>= 1;
    progress >>= 1;
  }
  if (progress > maximum) progress = maximum;
  return {static_cast<std::int32_t>(maximum), static_cast<std::int32_t>(progress)};
}

TRect GaugeArea(int width, int height, bool singleBorder) {
  if (singleBorder) return {1, 1, width - 1, height - 1};
  return {0, 0, width, height};
}

int AreaWidth(const TRect& area) { return area.right - area.left; }
int AreaHeight(const TRect& area) { return area.bottom - area.top; }

bool HorizontalBarRect(const TRect& area, std::int32_t percent, TRect* filled) {
  int w = SolveForX(percent, AreaWidth(area) + 1);
  if (w > AreaWidth(area) + 1) w = AreaWidth(area) + 1;
  if (w < 1) return false;
  *filled = {area.left, area.top, w, AreaHeight(area) + 1};
  return true;
}

bool VerticalBarRect(const TRect& area, std::int32_t percent, TRect* filled) {
  int full = AreaHeight(area) + 1;
  int h = SolveForX(percent, full);
  int top = h < full ? full - h : 1;
  *filled = {area.left, top, AreaWidth(area) + 1, full};
  return filled->top < filled->bottom && filled->left < filled->right;
}

TPieGeometry PieGeometry(const TRect& area, bool singleBorder, std::int32_t percent) {
  int w = AreaWidth(area) + (singleBorder ? 1 : 0);
  int h = AreaHeight(area) + (singleBorder ? 1 : 0);
  TPieGeometry g;
  g.ellipse = {area.left, area.top, w, h};
  double angle = kPi * (percent / 50.0 + 0.5);
  int midX = w / 2, midY = h / 2;
  g.start = {RoundHalfEven(midX * (1 - std::cos(angle))), RoundHalfEven(midY * (1 - std::sin(angle)))};
  g.end = {midX, 0};
  return g;
}

TNeedleGeometry NeedleGeometry(const TRect& area, bool singleBorder, int controlWidth, std::int32_t percent) {
  int w = AreaWidth(area) + (singleBorder ? 1 : 0);
  int h = AreaHeight(area) + (singleBorder ? 1 : 0);
  TNeedleGeometry g;
  g.ellipse = {area.left, area.top, w, 2 * h - 1};
  g.arcStart = {area.left + w, area.bottom - 1};
  g.arcEnd = {area.left, area.bottom - 1};
  g.baseFrom = {area.left, area.bottom};
  g.baseTo = {area.left + w, area.bottom};
  int mid = controlWidth / 2;
  double a = kPi * percent / 100.0;
  g.needleFrom = {mid, area.bottom - 1};
  g.needleTo = {RoundHalfEven(mid * (1 - std::cos(a))), RoundHalfEven((area.bottom - 1) * (1 - std::sin(a)))};
  return g;
}

std::string GaugeText(std::int32_t percent) { return std::to_string(percent) + "%"; }

TPoint GaugeTextOrigin(const TRect& area, int textWidth, int textHeight) {
  return {area.left + (AreaWidth(area) + 1 - textWidth) / 2, area.top + (AreaHeight(area) + 1 - textHeight) / 2};
}

}  // namespace nsx::ui
