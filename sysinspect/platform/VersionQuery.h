// The version query's answer, corrected where Windows 8.1 and later answer a
// program that does not declare them in its manifest with Windows 8 (6.2).
#pragma once
#include <optional>

#include "WinTypes.h"

namespace nsx::platform {

// True where GetVersionExA's answer may be a later release speaking as
// Windows 8: NT 6.2.
bool ReportsWindows8(const VersionInfo& reported);

// `reported` is GetVersionExA's answer, `native` RtlGetVersion's (nullopt
// where ntdll lacks the entry). Only an NT 6.2 answer is replaced, and only
// by a native answer of the NT platform.
VersionInfo PreferNativeVersion(const VersionInfo& reported, const std::optional<VersionInfo>& native);

}  // namespace nsx::platform
