// The profile's multimedia devices, ASPI layer and automation objects: the
// [media], [aspi], [aspi H:T], [aspi adapter H], [com] and [com local]
// sections of machine.ini, and [machine] CurrentDir (see docs/profile.md).
#pragma once
#include <string>

#include "IniFile.h"
#include "SimMachine.h"

namespace nsx::sim {

// Reads after [machine]: texts go to the machine's code page, and the
// library's default file is in its system directory.
void LoadEnginesProfile(const IniFile& ini, const std::string& dir, SimMachine& machine);

}  // namespace nsx::sim
