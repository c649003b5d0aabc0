#include "Norvik_Native.h"

namespace nsx {

TNativeEntries BindNativeEntries(platform::SystemApi& system, std::uint32_t platformId) {
  TNativeEntries entries;
  if (platformId != platform::kPlatformNT) return entries;
  entries.ZwOpenSection = system.HasLoadedModuleEntry("NTDLL.DLL", "ZwOpenSection");
  entries.ZwClose = system.HasLoadedModuleEntry("NTDLL.DLL", "ZwClose");
  entries.ZwQuerySystemInformation = system.HasLoadedModuleEntry("NTDLL.DLL", "ZwQuerySystemInformation");
  return entries;
}

}  // namespace nsx
