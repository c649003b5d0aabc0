#include "CPUUsageSampler.h"

#include <cmath>

#include "core/Norvik_Native.h"
#include "core/Runtime.h"
#include "platform/Performance.h"
#include "platform/Registry.h"

namespace nsx::ui {
namespace {

const char kStatisticName[] = "KERNEL\\CPUUsage";
// A system that keeps asking for more is not believed beyond this many
// records; the start fails instead of growing the buffer for ever.
const std::uint32_t kMaxProcessorRecords = 1024;

struct SharedNtState {
  platform::Bytes buffer;
  std::uint64_t previousIdle = 0;
};

SharedNtState& NtState() {
  static SharedNtState state;
  return state;
}

bool StartNt() {
  auto& state = NtState();
  state.buffer.assign(kProcessorTimesRecord, 0);
  if (!NativeEntries().ZwQuerySystemInformation) return false;
  auto& perf = Machine().Performance();
  std::uint32_t status = perf.QuerySystemInformation(platform::kSystemProcessorTimes, state.buffer);
  while (status == platform::kStatusInfoLengthMismatch &&
         state.buffer.size() < kProcessorTimesRecord * kMaxProcessorRecords) {
    state.buffer.assign(state.buffer.size() + kProcessorTimesRecord, 0);
    status = perf.QuerySystemInformation(platform::kSystemProcessorTimes, state.buffer);
  }
  return status == platform::kStatusSuccess;
}

std::uint32_t SampleNt(std::uint32_t intervalMs) {
  auto& state = NtState();
  if (!state.buffer.empty())
    Machine().Performance().QuerySystemInformation(platform::kSystemProcessorTimes, state.buffer);
  std::uint64_t idle = FirstIdleTime(state.buffer);
  std::int64_t delta = static_cast<std::int64_t>(idle - state.previousIdle);
  state.previousIdle = idle;
  return UsageFromIdleDelta(delta, intervalMs);
}

// Reads the statistic through the given key, discarding the data; false
// when the key or the value cannot be read.
enum class StatRead { NoKey, NoValue, Read };
StatRead ReadStatistic(const char* keyPath, platform::Bytes* data) {
  auto key = platform::RegKey::Open(Reg(), platform::RegRoot::DynData, keyPath);
  if (!key) return StatRead::NoKey;
  auto value = key.Value(kStatisticName);
  if (!value) return StatRead::NoValue;
  if (data) *data = value->data;
  return StatRead::Read;
}

bool Start9x() {
  switch (ReadStatistic("PerfStats\\StartStat", nullptr)) {
    case StatRead::NoKey:
      throw EPerformanceError("Unable to start performance monitoring");
    case StatRead::NoValue:
      throw EPerformanceError("Unable to read performance data");
    case StatRead::Read:
      break;
  }
  return true;
}

std::uint32_t Sample9x() {
  platform::Bytes data;
  if (ReadStatistic("PerfStats\\StatData", &data) != StatRead::Read || data.size() < 4) return 0xFFFFFFFFu;
  return static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
         static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

}  // namespace

std::uint32_t UsageFromIdleDelta(std::int64_t idleDelta, std::uint32_t intervalMs) {
  double seconds = intervalMs / 1000.0;
  if (seconds <= 0) seconds = 1;  // no interval: the timer never runs, but never divide by zero
  double usage = (10000000.0 - static_cast<double>(idleDelta) / seconds) / 10000000.0 * 100.0;
  double rounded = std::nearbyint(usage);  // halves to even
  if (!(std::fabs(rounded) < 9.2e18)) rounded = 0;  // beyond any 64-bit count: nothing sensible to report
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(rounded));
}

std::uint64_t FirstIdleTime(const platform::Bytes& buffer) {
  if (buffer.size() < 8) return 0;
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | buffer[i];
  return value;
}

bool TCPUUsageSampler::Start() { return nt_ ? StartNt() : Start9x(); }

std::uint32_t TCPUUsageSampler::Sample(std::uint32_t intervalMs) {
  return nt_ ? SampleNt(intervalMs) : Sample9x();
}

void TCPUUsageSampler::Stop() {
  if (nt_) {
    platform::Bytes().swap(NtState().buffer);
    return;
  }
  ReadStatistic("PerfStats\\StopStat", nullptr);
}

void TCPUUsageSampler::ResetSharedState() { NtState() = SharedNtState(); }

}  // namespace nsx::ui
