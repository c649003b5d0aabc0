// The profile's screen and networking: the [display], [netbios], [winsock],
// [iphelper] and [adapter NAME] sections of machine.ini (see docs/profile.md).
#pragma once
#include "IniFile.h"
#include "SimMachine.h"

namespace nsx::sim {

// Reads after [machine]: texts go to the machine's code page.
void LoadDisplayProfile(const IniFile& ini, SimMachine& machine);
void LoadNetworkProfile(const IniFile& ini, SimMachine& machine);

}  // namespace nsx::sim
