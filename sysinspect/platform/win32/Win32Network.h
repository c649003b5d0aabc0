// The display and network interfaces answered by the real calls.
#pragma once
#include <memory>

#include "../Display.h"
#include "../Network.h"

namespace nsx::win32 {

std::unique_ptr<platform::DisplayApi> CreateWin32Display();
// Loads iphlpapi.dll where it exists; it is freed with the object.
std::unique_ptr<platform::NetworkApi> CreateWin32Network();

}  // namespace nsx::win32
