// The profile's time zone, clock, locales, program files and dial-up
// connections: the [timezone], [clock], [locale], [locale ID], [existing]
// and [ras] sections of machine.ini (see docs/profile.md).
#pragma once
#include <string>

#include "IniFile.h"
#include "SimMachine.h"

namespace nsx::sim {

// Reads after [machine], whose code page the texts are converted to.
void LoadOSProfile(const IniFile& ini, const std::string& dir, SimMachine& machine);

}  // namespace nsx::sim
