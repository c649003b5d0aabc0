// The profile's logical drives, network connections and IDE drives: the
// [disks], [drive X], [connections] and [ide] sections of machine.ini and
// the identify sectors ide/0.bin to ide/3.bin (see docs/profile.md).
#pragma once
#include <string>

#include "IniFile.h"
#include "SimMachine.h"

namespace nsx::sim {

// Reads after [machine] and [version]: texts go to the machine's code
// page, and the family decides the defaults.
void LoadDiskProfile(const IniFile& ini, const std::string& dir, SimMachine& machine);

}  // namespace nsx::sim
