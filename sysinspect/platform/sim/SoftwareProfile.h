// The profile's printers, files with their shell links and initialisation
// files: the [spooler], [printer NAME] and [file PATH] sections of
// machine.ini and the ini/ directory (see docs/profile.md).
#pragma once
#include <string>

#include "IniFile.h"
#include "SimMachine.h"

namespace nsx::sim {

// Reads after [machine], whose code page and Windows directory it uses.
void LoadSoftwareProfile(const IniFile& ini, const std::string& dir, SimMachine& machine);

}  // namespace nsx::sim
