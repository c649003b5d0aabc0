#include "VersionQuery.h"

namespace nsx::platform {

bool ReportsWindows8(const VersionInfo& reported) {
  return reported.platformId == kPlatformNT && reported.majorVersion == 6 && reported.minorVersion == 2;
}

VersionInfo PreferNativeVersion(const VersionInfo& reported, const std::optional<VersionInfo>& native) {
  if (ReportsWindows8(reported) && native && native->platformId == kPlatformNT) return *native;
  return reported;
}

}  // namespace nsx::platform
