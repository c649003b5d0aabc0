#include <windows.h>

#include <cpuid.h>
#include <x86intrin.h>

#include "Win32Hardware.h"

namespace nsx::win32 {
namespace {

class Win32Processor : public platform::ProcessorApi {
 public:
  platform::CpuIdRegisters CpuId(std::uint32_t leaf) override {
    // No check of the highest leaf: the caller asks exactly what it wants,
    // as the instruction itself would be executed.
    return CpuIdSubleaf(leaf, 0);
  }

  platform::CpuIdRegisters CpuIdSubleaf(std::uint32_t leaf, std::uint32_t subleaf) override {
    unsigned a = 0, b = 0, c = 0, d = 0;
    __cpuid_count(leaf, subleaf, a, b, c, d);
    return {a, b, c, d};
  }

  std::uint64_t TimeStampCounter() override { return __rdtsc(); }

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
};

}  // namespace

std::unique_ptr<platform::ProcessorApi> CreateWin32Processor() { return std::make_unique<Win32Processor>(); }

}  // namespace nsx::win32
