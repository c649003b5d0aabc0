// Raw CPUID dumps of any content parse or fail with a ProfileError.
#include <cstdint>
#include <string>

#include "platform/sim/CpuIdDump.h"
#include "platform/sim/ProfileError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string content(reinterpret_cast<const char*>(data), size);
  try {
    nsx::sim::ParseCpuIdDump(content, "cpuid.txt");
  } catch (const nsx::sim::ProfileError&) {
  }
  return 0;
}
