// Raw CPUID dumps in the text layout of the Debian `cpuid -r` tool: a
// "CPU 0:" header, then one line per leaf and subleaf,
//    0x00000001 0x00: eax=0x00000695 ebx=0x00000814 ecx=0x00000000 edx=0xa7e9fbbf
// Only the first processor's leaves are read: subleaf 0 of each, and on
// request the further subleaves.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "../Processor.h"

namespace nsx::sim {

using CpuIdLeaves = std::map<std::uint32_t, platform::CpuIdRegisters>;
using CpuIdSubleaves = std::map<std::pair<std::uint32_t, std::uint32_t>, platform::CpuIdRegisters>;

// Subleaf 0 of each leaf; the further subleaves go to `subleaves` when it is
// given. Throws ProfileError naming `fileName` and the line that is not part
// of the layout.
CpuIdLeaves ParseCpuIdDump(const std::string& text, const std::string& fileName,
                           CpuIdSubleaves* subleaves = nullptr);

}  // namespace nsx::sim
