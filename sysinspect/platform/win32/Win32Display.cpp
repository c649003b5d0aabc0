#include <windows.h>

#include "Win32Network.h"

namespace nsx::win32 {
namespace {

class Win32Display : public platform::DisplayApi {
 public:
  platform::DeviceContext GetScreenDC() override { return reinterpret_cast<platform::DeviceContext>(GetDC(nullptr)); }

  void ReleaseScreenDC(platform::DeviceContext dc) override { ReleaseDC(nullptr, reinterpret_cast<HDC>(dc)); }

  std::int32_t DeviceCaps(platform::DeviceContext dc, int index) override {
    return GetDeviceCaps(reinterpret_cast<HDC>(dc), index);
  }

  std::optional<platform::DisplayMode> DisplaySettings(std::uint32_t modeNumber) override {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;  // the driver fills only what the size announces
    mode.dmDriverExtra = 0;
    if (!EnumDisplaySettingsA(nullptr, modeNumber, &mode)) return std::nullopt;
    return platform::DisplayMode{mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel, mode.dmDisplayFrequency};
  }
};

}  // namespace

std::unique_ptr<platform::DisplayApi> CreateWin32Display() { return std::make_unique<Win32Display>(); }

}  // namespace nsx::win32
