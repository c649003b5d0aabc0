#include "SimHardwareApi.h"

#include <cmath>

namespace nsx::sim {
namespace {

const std::uint32_t kUserModule = 0x1A2F;           // a plausible 16-bit module handle
const std::uint32_t kFreeResourcesEntry = 0x1A2F0B5Cu;  // selector:offset

}  // namespace

platform::CpuIdRegisters SimProcessorApi::CpuId(std::uint32_t leaf) {
  ++data_.cpuidCalls[leaf];
  auto it = data_.leaves.find(leaf);
  return it == data_.leaves.end() ? platform::CpuIdRegisters{} : it->second;
}

platform::CpuIdRegisters SimProcessorApi::CpuIdSubleaf(std::uint32_t leaf, std::uint32_t subleaf) {
  if (subleaf == 0) return CpuId(leaf);
  ++data_.cpuidCalls[leaf];
  auto it = data_.subleaves.find({leaf, subleaf});
  return it == data_.subleaves.end() ? platform::CpuIdRegisters{} : it->second;
}

std::uint64_t SimProcessorApi::TimeStampCounter() {
  data_.events.push_back("tsc class=" + std::to_string(data_.priorityClass) +
                         " thread=" + std::to_string(data_.threadPriority));
  return data_.timeStampCounter;
}

bool SimProcessorApi::SetProcessPriorityClass(std::uint32_t priorityClass) {
  data_.events.push_back("class=" + std::to_string(priorityClass));
  data_.priorityClass = priorityClass;
  return true;
}

bool SimProcessorApi::SetCurrentThreadPriority(int priority) {
  data_.events.push_back("thread=" + std::to_string(priority));
  data_.threadPriority = priority;
  return true;
}

namespace {
constexpr std::uint64_t kPerformanceFrequency = 1193182;
}  // namespace

void SimProcessorApi::SleepMilliseconds(std::uint32_t milliseconds) {
  data_.events.push_back("sleep=" + std::to_string(milliseconds));
  std::uint64_t slept = std::uint64_t(milliseconds) + data_.sleepOvershootMilliseconds;
  data_.timeStampCounter += static_cast<std::uint64_t>(std::llround(data_.clockMHz * 1000.0 * slept));
  data_.performanceCount += slept * kPerformanceFrequency / 1000;
}

std::optional<platform::PerformanceCount> SimProcessorApi::PerformanceCounter() {
  if (!data_.hasPerformanceCounter) return std::nullopt;
  return platform::PerformanceCount{data_.performanceCount, kPerformanceFrequency};
}

std::uint32_t SimMemoryApi::LoadModule16(const std::string& name) {
  data_.calls16.push_back("load " + name);
  return data_.userExeLoads ? kUserModule : 2;  // ERROR_FILE_NOT_FOUND as a handle
}

void SimMemoryApi::FreeModule16(std::uint32_t module) { data_.calls16.push_back("free"); }

std::uint32_t SimMemoryApi::FindEntry16(std::uint32_t module, const std::string& name) {
  data_.calls16.push_back("entry " + name);
  return module == kUserModule && data_.freeResourcesEntry && name == "GetFreeSystemResources"
             ? kFreeResourcesEntry
             : 0;
}

std::uint16_t SimMemoryApi::CallFreeSystemResources(std::uint32_t entry, std::uint16_t which) {
  data_.calls16.push_back("call " + std::to_string(which));
  if (entry != kFreeResourcesEntry) return 0;
  switch (which) {
    case 0: return data_.freeSystem;
    case 1: return data_.freeGdi;
    case 2: return data_.freeUser;
    default: return 0;
  }
}

}  // namespace nsx::sim
