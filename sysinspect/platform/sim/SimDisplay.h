// The simulated machine's screen: the answers of its device context and
// the display modes of its driver, and what was asked of them.
#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "../Display.h"

namespace nsx::sim {

struct SimDisplay {
  bool screenDC = true;                       // GetDC(NULL) answers a context
  std::map<int, std::int32_t> caps;           // GetDeviceCaps by index; others answer 0
  std::vector<platform::DisplayMode> modes;   // EnumDisplaySettingsA by mode number
  // A driver that never answers FALSE: past its list every mode number
  // answers the last mode again.
  bool endlessModes = false;
  int openDCs = 0;                 // contexts got and not yet released
  std::uint32_t modeQueries = 0;   // EnumDisplaySettingsA calls
};

}  // namespace nsx::sim
