// The display interface answered from the simulated machine.
#pragma once
#include "../Display.h"
#include "SimDisplay.h"

namespace nsx::sim {

class SimDisplayApi : public platform::DisplayApi {
 public:
  explicit SimDisplayApi(SimDisplay& data) : data_(data) {}
  platform::DeviceContext GetScreenDC() override;
  void ReleaseScreenDC(platform::DeviceContext dc) override;
  std::int32_t DeviceCaps(platform::DeviceContext dc, int index) override;
  std::optional<platform::DisplayMode> DisplaySettings(std::uint32_t modeNumber) override;

 private:
  SimDisplay& data_;
};

}  // namespace nsx::sim
