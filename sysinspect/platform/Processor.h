// The processor: its identification instruction and time-stamp counter, the
// system information record, and the priority control and sleep that frame
// the clock measurement.
#pragma once
#include <cstdint>
#include <optional>

namespace nsx::platform {

// The four registers CPUID returns for one leaf.
struct CpuIdRegisters {
  std::uint32_t eax = 0;
  std::uint32_t ebx = 0;
  std::uint32_t ecx = 0;
  std::uint32_t edx = 0;
};

// SYSTEM_INFO as GetSystemInfo fills it (the fields the topics read).
struct SystemInformation {
  std::uint32_t pageSize = 0;
  std::uint32_t minimumApplicationAddress = 0;
  std::uint32_t maximumApplicationAddress = 0;
  std::uint32_t activeProcessorMask = 0;
  std::uint32_t numberOfProcessors = 0;
  std::uint32_t processorType = 0;
  std::uint32_t allocationGranularity = 0;
  std::uint16_t processorLevel = 0;
  std::uint16_t processorRevision = 0;
};

// Priority classes and thread priorities with their Windows values.
enum : std::uint32_t {
  kNormalPriorityClass = 0x20,
  kHighPriorityClass = 0x80,
  kRealtimePriorityClass = 0x100,
};
enum : int {
  kThreadPriorityNormal = 0,
  kThreadPriorityTimeCritical = 15,
};

// A reading of the high-resolution counter and its rate in counts per second.
struct PerformanceCount {
  std::uint64_t count = 0;
  std::uint64_t frequency = 0;
};

class ProcessorApi {
 public:
  virtual ~ProcessorApi() = default;
  // CPUID with EAX = leaf and ECX = 0, on whatever processor the thread runs.
  virtual CpuIdRegisters CpuId(std::uint32_t leaf) = 0;
  // CPUID with EAX = leaf and ECX = subleaf (leaf 4 lists one cache a
  // subleaf). A processor that lists no subleaves answers zeros beyond 0.
  virtual CpuIdRegisters CpuIdSubleaf(std::uint32_t leaf, std::uint32_t subleaf) {
    return subleaf == 0 ? CpuId(leaf) : CpuIdRegisters{};
  }
  // RDTSC.
  virtual std::uint64_t TimeStampCounter() = 0;
  // GetSystemInfo into a zeroed record.
  virtual SystemInformation SystemInfo() = 0;
  // GetPriorityClass / SetPriorityClass of the current process; the class is
  // 0 when the query fails.
  virtual std::uint32_t ProcessPriorityClass() = 0;
  virtual bool SetProcessPriorityClass(std::uint32_t priorityClass) = 0;
  // GetThreadPriority / SetThreadPriority of the current thread.
  virtual int CurrentThreadPriority() = 0;
  virtual bool SetCurrentThreadPriority(int priority) = 0;
  // Sleep.
  virtual void SleepMilliseconds(std::uint32_t milliseconds) = 0;
  // QueryPerformanceCounter with QueryPerformanceFrequency; nullopt when the
  // machine has no high-resolution counter.
  virtual std::optional<PerformanceCount> PerformanceCounter() = 0;
};

}  // namespace nsx::platform
