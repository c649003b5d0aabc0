// Simulated machines with a processor read from a raw CPUID dump.
#pragma once
#include <string>

#include "TestMachine.h"
#include "platform/sim/HardwareProfile.h"

namespace nsx::test {

inline std::string SharedCpuIdDump(const std::string& name) {
  return std::string(SYSINSPECT_SHARED_DATA) + "/cpuid/" + name;
}
inline std::string OwnCpuIdDump(const std::string& name) {
  return std::string(SYSINSPECT_TEST_DATA) + "/cpuid/" + name;
}

// Windows XP on the dumped processor, its counter running at `clockMHz`.
inline sim::SimMachine MachineWithDump(const std::string& path, double clockMHz) {
  sim::SimMachine m = WinXPSP3();
  m.processor.leaves = sim::LoadCpuIdDumpFile(path, &m.processor.subleaves);
  m.processor.clockMHz = clockMHz;
  return m;
}

}  // namespace nsx::test
