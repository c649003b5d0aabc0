// The profile's processor, memory, power and free-resources data: the
// [cpu], [memory], [power] and [resources] sections of machine.ini and the
// raw CPUID dump cpuid.txt (see docs/profile.md).
#pragma once
#include <string>

#include "CpuIdDump.h"
#include "IniFile.h"
#include "SimMachine.h"

namespace nsx::sim {

// Reads after the [version] section, whose platform decides the defaults.
void LoadHardwareProfile(const IniFile& ini, const std::string& dir, SimMachine& machine);

// A cpuid.txt file (its further subleaves to `subleaves` when given);
// throws ProfileError when it cannot be read or parsed.
CpuIdLeaves LoadCpuIdDumpFile(const std::string& path, CpuIdSubleaves* subleaves = nullptr);

}  // namespace nsx::sim
