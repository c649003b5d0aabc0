// The processor and memory interfaces answered from the simulated machine.
#pragma once
#include "SimHardware.h"

namespace nsx::sim {

class SimProcessorApi : public platform::ProcessorApi {
 public:
  explicit SimProcessorApi(SimProcessor& data) : data_(data) {}
  platform::CpuIdRegisters CpuId(std::uint32_t leaf) override;
  platform::CpuIdRegisters CpuIdSubleaf(std::uint32_t leaf, std::uint32_t subleaf) override;
  std::uint64_t TimeStampCounter() override;
  platform::SystemInformation SystemInfo() override { return data_.systemInfo; }
  std::uint32_t ProcessPriorityClass() override { return data_.priorityClass; }
  bool SetProcessPriorityClass(std::uint32_t priorityClass) override;
  int CurrentThreadPriority() override { return data_.threadPriority; }
  bool SetCurrentThreadPriority(int priority) override;
  void SleepMilliseconds(std::uint32_t milliseconds) override;
  std::optional<platform::PerformanceCount> PerformanceCounter() override;

 private:
  SimProcessor& data_;
};

class SimMemoryApi : public platform::MemoryApi {
 public:
  explicit SimMemoryApi(SimMemory& data) : data_(data) {}
  platform::MemoryStatus GlobalStatus() override { return data_.status; }
  bool HasGlobalStatusEx() override { return data_.statusEx.has_value(); }
  std::optional<platform::MemoryStatusEx> GlobalStatusEx() override { return data_.statusEx; }
  std::optional<platform::PowerStatus> SystemPowerStatus() override { return data_.power; }
  bool HasThunkGate() override { return data_.thunkGate; }
  std::uint32_t LoadModule16(const std::string& name) override;
  void FreeModule16(std::uint32_t module) override;
  std::uint32_t FindEntry16(std::uint32_t module, const std::string& name) override;
  std::uint16_t CallFreeSystemResources(std::uint32_t entry, std::uint16_t which) override;

 private:
  SimMemory& data_;
};

}  // namespace nsx::sim
