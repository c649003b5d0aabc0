// Loads a simulated machine from a profile directory (see docs/profile.md).
#pragma once
#include <string>

#include "SimMachine.h"

namespace nsx::sim {

// Throws ProfileError naming the file (and line) that cannot be read.
SimMachine LoadProfile(const std::string& directory);

}  // namespace nsx::sim
