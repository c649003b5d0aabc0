// The screen: its device context's capabilities (gdi32) and the display
// modes its driver offers (user32).
#pragma once
#include <cstdint>
#include <optional>

namespace nsx::platform {

// GetDeviceCaps indices.
enum : int {
  kCapsDriverVersion = 0,
  kCapsTechnology = 2,
  kCapsHorzSize = 4,
  kCapsVertSize = 6,
  kCapsHorzRes = 8,
  kCapsVertRes = 10,
  kCapsBitsPixel = 12,
  kCapsCurveCaps = 28,
  kCapsLineCaps = 30,
  kCapsPolygonalCaps = 32,
  kCapsTextCaps = 34,
  kCapsRasterCaps = 38,
  kCapsAspectX = 40,
  kCapsAspectY = 42,
  kCapsAspectXY = 44,
  kCapsLogPixelsY = 90,
  kCapsVRefresh = 116,
  kCapsShadeBlendCaps = 120,
  kCapsColorMgmtCaps = 121,
};

// The DEVMODE fields of a display mode.
struct DisplayMode {
  std::uint32_t width = 0;       // dmPelsWidth
  std::uint32_t height = 0;      // dmPelsHeight
  std::uint32_t bitsPerPel = 0;  // dmBitsPerPel
  std::uint32_t frequency = 0;   // dmDisplayFrequency (0 or 1: the hardware's default)
};

using DeviceContext = std::uintptr_t;

class DisplayApi {
 public:
  virtual ~DisplayApi() = default;
  // GetDC(NULL): the screen's device context, 0 when the call fails. Every
  // context got must be released.
  virtual DeviceContext GetScreenDC() = 0;
  virtual void ReleaseScreenDC(DeviceContext dc) = 0;
  // GetDeviceCaps.
  virtual std::int32_t DeviceCaps(DeviceContext dc, int index) = 0;
  // EnumDisplaySettingsA(NULL, modeNumber, ...) on a DEVMODEA whose dmSize
  // is set: the mode, nullopt where the call answers FALSE (past the last).
  virtual std::optional<DisplayMode> DisplaySettings(std::uint32_t modeNumber) = 0;
};

// The screen's device context for a scope, released however it is left.
class ScreenDC {
 public:
  explicit ScreenDC(DisplayApi& api) : api_(api), dc_(api.GetScreenDC()) {}
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  ~ScreenDC() {
    if (dc_) api_.ReleaseScreenDC(dc_);
  }
  explicit operator bool() const { return dc_ != 0; }
  // 0 where there is no context.
  std::int32_t Caps(int index) const { return dc_ ? api_.DeviceCaps(dc_, index) : 0; }

 private:
  DisplayApi& api_;
  DeviceContext dc_;
};

}  // namespace nsx::platform
