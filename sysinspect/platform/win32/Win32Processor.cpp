#include <windows.h>

#include <cpuid.h>
#include <x86intrin.h>

#include "Win32Hardware.h"

namespace nsx::win32 {
namespace {

// Processors before the late i486 have no CPUID instruction, and those
// before the Pentium no time-stamp counter: either would stop the program
// with an illegal-instruction fault. CPUID runs only when the EFLAGS ID bit
// can be toggled (cpuid.h's test on 32-bit x86), RDTSC only when CPUID lists
// the counter (leaf 1, EDX bit 4).
bool CpuIdPresent() { return __get_cpuid_max(0, nullptr) != 0; }

bool TimeStampCounterPresent(bool cpuid) {
  if (!cpuid) return false;
  unsigned a = 0, b = 0, c = 0, d = 0;
  __cpuid(0, a, b, c, d);
  if (a < 1) return false;
  __cpuid(1, a, b, c, d);
  return (d & (1u << 4)) != 0;
}

class Win32Processor : public platform::ProcessorApi {
 public:
  Win32Processor() : cpuid_(CpuIdPresent()), timeStampCounter_(TimeStampCounterPresent(cpuid_)) {}

  platform::CpuIdRegisters CpuId(std::uint32_t leaf) override {
    // No check of the highest leaf: the caller asks exactly what it wants,
    // as the instruction itself would be executed.
    return CpuIdSubleaf(leaf, 0);
  }

  platform::CpuIdRegisters CpuIdSubleaf(std::uint32_t leaf, std::uint32_t subleaf) override {
    // Without the instruction every leaf reads as zeros, as an unsupported one.
    if (!cpuid_) return {};
    unsigned a = 0, b = 0, c = 0, d = 0;
    __cpuid_count(leaf, subleaf, a, b, c, d);
    return {a, b, c, d};
  }

  // Without a counter both readings are 0, which measures no clock.
  std::uint64_t TimeStampCounter() override { return timeStampCounter_ ? __rdtsc() : 0; }

  std::optional<platform::PerformanceCount> PerformanceCounter() override {
    LARGE_INTEGER count, frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return std::nullopt;
    if (!QueryPerformanceCounter(&count)) return std::nullopt;
    return platform::PerformanceCount{static_cast<std::uint64_t>(count.QuadPart),
                                      static_cast<std::uint64_t>(frequency.QuadPart)};
  }

  platform::SystemInformation SystemInfo() override {
    SYSTEM_INFO si;
    ZeroMemory(&si, sizeof si);
    ::GetSystemInfo(&si);
    platform::SystemInformation info;
    info.pageSize = si.dwPageSize;
    // Application addresses are 32-bit values in the program's model; the
    // x86-64 build keeps their low half.
    info.minimumApplicationAddress = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(si.lpMinimumApplicationAddress));
    info.maximumApplicationAddress = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(si.lpMaximumApplicationAddress));
    info.activeProcessorMask = static_cast<std::uint32_t>(si.dwActiveProcessorMask);
    info.numberOfProcessors = si.dwNumberOfProcessors;
    info.processorType = si.dwProcessorType;
    info.allocationGranularity = si.dwAllocationGranularity;
    info.processorLevel = si.wProcessorLevel;
    info.processorRevision = si.wProcessorRevision;
    return info;
  }

  std::uint32_t ProcessPriorityClass() override { return ::GetPriorityClass(::GetCurrentProcess()); }
  bool SetProcessPriorityClass(std::uint32_t priorityClass) override {
    return ::SetPriorityClass(::GetCurrentProcess(), priorityClass) != 0;
  }
  int CurrentThreadPriority() override { return ::GetThreadPriority(::GetCurrentThread()); }
  bool SetCurrentThreadPriority(int priority) override {
    return ::SetThreadPriority(::GetCurrentThread(), priority) != 0;
  }
  void SleepMilliseconds(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }

 private:
  const bool cpuid_;
  const bool timeStampCounter_;
};

}  // namespace

std::unique_ptr<platform::ProcessorApi> CreateWin32Processor() { return std::make_unique<Win32Processor>(); }

}  // namespace nsx::win32
