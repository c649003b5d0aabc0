#include "SimDisplayApi.h"

namespace nsx::sim {

namespace {
const platform::DeviceContext kScreenDC = 0x0101004B;
}

platform::DeviceContext SimDisplayApi::GetScreenDC() {
  if (!data_.screenDC) return 0;
  ++data_.openDCs;
  return kScreenDC;
}

void SimDisplayApi::ReleaseScreenDC(platform::DeviceContext dc) {
  if (dc == kScreenDC) --data_.openDCs;
}

std::int32_t SimDisplayApi::DeviceCaps(platform::DeviceContext dc, int index) {
  if (dc != kScreenDC) return 0;
  auto it = data_.caps.find(index);
  return it == data_.caps.end() ? 0 : it->second;
}

std::optional<platform::DisplayMode> SimDisplayApi::DisplaySettings(std::uint32_t modeNumber) {
  ++data_.modeQueries;
  if (modeNumber < data_.modes.size()) return data_.modes[modeNumber];
  if (data_.endlessModes && !data_.modes.empty()) return data_.modes.back();
  return std::nullopt;
}

}  // namespace nsx::sim
