// Entry points of the native NT layer, looked up once at start in the
// already loaded NTDLL.DLL (never loaded here); absent ones stay unbound.
#pragma once

#include "../platform/System.h"

namespace nsx {

struct TNativeEntries {
  bool ZwOpenSection = false;
  bool ZwClose = false;
  bool ZwQuerySystemInformation = false;
};

// Only on the NT platform (platform id 2) is anything looked up.
TNativeEntries BindNativeEntries(platform::SystemApi& system, std::uint32_t platformId);

const TNativeEntries& NativeEntries();

}  // namespace nsx
