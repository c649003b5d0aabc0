// The firmware, file and child-process and session interfaces answered by
// the real calls; what the 9x family or NT 4 lack is bound at run time.
#pragma once
#include <memory>

#include "../Firmware.h"
#include "../Process.h"
#include "../Session.h"

namespace nsx::win32 {

std::unique_ptr<platform::FirmwareApi> CreateWin32Firmware();
std::unique_ptr<platform::ProcessApi> CreateWin32Processes();
std::unique_ptr<platform::SessionApi> CreateWin32Session();

}  // namespace nsx::win32
