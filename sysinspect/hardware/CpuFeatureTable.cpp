#include "CpuFeatureTable.h"

namespace nsx {
namespace {
constexpr std::uint32_t Bit(int n) { return 1u << n; }
constexpr FeatureSource L1 = FeatureSource::Leaf1Edx;
constexpr FeatureSource X = FeatureSource::ExtendedEdx;
}  // namespace

// In the order of the overview's list and of the report.
const FeatureRow kFeatureRows[kFeatureCount] = {
    // property  source, bits  label  data name
    {"FPU", L1, Bit(0), "Built-In FPU", "BuiltInFPU"},
    {"VME", L1, Bit(1), "Virtual Mode Extension", "VirtualModeExtension"},
    {"DE", L1, Bit(2), "Debugging Extension", "DebuggingExtension"},
    {"PSE", L1, Bit(3), "Page Size Extension", "PageSizeExtension"},
    {"TSC", L1, Bit(4), "Time Stamp Counter", "TimeStampCounter"},
    {"MSR", L1, Bit(5), "Model Specific Registers", "ModelSpecificRegisters"},
    {"PAE", L1, Bit(6), "Physical Address Extension", "PhysicalAddressExtension"},
    {"MCE", L1, Bit(7), "Machine Check Exception", "MachineCheckException"},
    {"CX8", L1, Bit(8), "CMPXCHG8B Instruction Supported", "CMPXCHG8BInstruction"},
    {"APIC", L1, Bit(9), "On-chip APIC Hardware Supported", "OnChipAPICHardware"},
    {"SEP", L1, Bit(11), "Fast System Call", "FastSystemCall"},
    {"MTRR", L1, Bit(12), "Memory Type Range Registers", "MemoryTypeRangeRegisters"},
    {"PGE", L1, Bit(13), "Page Global Extension", "PageGlobalExtension"},
    {"MCA", L1, Bit(14), "Machine Check Architecture", "MachineCheckArchitecture"},
    {"CMOV", L1, Bit(15), "Conditional Move Instruction Supported", "ConditionalMoveInstruction"},
    {"PAT", L1, Bit(16), "Page Attribute Table", "PageAttributeTable"},
    {"PSE36", L1, Bit(17), "36bit Page Size Extension", "PageSizeExtension36bit"},
    {"PSN", L1, Bit(18), "Processor serial number is present and enabled", "SerialNumber"},
    {"CLFSH", L1, Bit(19), "CLFLUSH Instruction Supported", "CLFLUSHInstruction"},
    {"DS", L1, Bit(21), "Debug Store", "DebugStore"},
    {"ACPI", L1, Bit(22), "Thermal Monitor and Software Controlled Clock Facilities (ACPI)", "ACPI"},
    {"MMX", L1, Bit(23), "Intel Architecture MMX technology supported", "MMX"},
    {"FXSR", L1, Bit(24), "Fast floating point save and restore", "FastFloatingPointSaveRestore"},
    {"SSE", L1, Bit(25), "Streaming SIMD Extensions", "StreamingSIMDExtensions"},
    {"SSE2", L1, Bit(26), "Streaming SIMD Extensions 2", "StreamingSIMDExtensions2"},
    {"SS", L1, Bit(27), "Self-Snoop", "SelfSnoop"},
    {"HTT", L1, Bit(28), "Hyper-Threading Technology", "HyperThreadingTechnology"},
    {"TM", L1, Bit(29), "Thermal Monitor supported", "ThermalMonitor"},
    {"_3DNOW", X, Bit(31), "3D Now! Extensions", "3DNow"},
    {"EX_3DNOW", X, Bit(30), "Enhanced 3D Now! Extensions", "Enhanced3DNow"},
    {"EX_MMX", X, Bit(22) | Bit(24), "Enhanced MMX Extensions", "EnhancedMMX"},
};

FeatureFlags DecodeFeatures(std::uint32_t leaf1Edx, std::uint32_t extendedEdx) {
  FeatureFlags flags{};
  for (int i = 0; i < kFeatureCount; ++i) {
    const auto& row = kFeatureRows[i];
    std::uint32_t reg = row.source == FeatureSource::Leaf1Edx ? leaf1Edx : extendedEdx;
    flags[i] = (reg & row.bits) != 0;
  }
  return flags;
}

}  // namespace nsx
