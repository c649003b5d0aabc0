// Sampling the processor load: on the NT family from the idle time of the
// first processor (the native processor-times query), on the 9x family from
// the dynamic performance statistics under HKEY_DYN_DATA. The timer that
// drives the samples belongs to the window layer.
#pragma once
#include <cstdint>
#include <stdexcept>

#include "platform/WinTypes.h"

namespace nsx::ui {

// Bytes of one processor-times record: idle, kernel, user, deferred-procedure
// and interrupt times (64-bit counts of 100 ns) and an interrupt count.
constexpr std::uint32_t kProcessorTimesRecord = 44;

// The load in percent from the idle time that passed during one interval:
// (10,000,000 - delta / seconds) / 10,000,000 * 100, rounded half to even.
// The result keeps the low 32 bits, so a negative load reads as a huge
// unsigned number.
std::uint32_t UsageFromIdleDelta(std::int64_t idleDelta, std::uint32_t intervalMs);

// The first processor's idle time from a processor-times buffer (0 when the
// buffer is shorter than the field).
std::uint64_t FirstIdleTime(const platform::Bytes& buffer);

// Raised by the 9x start when the statistics cannot be opened or read.
class EPerformanceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TCPUUsageSampler {
 public:
  // `nt`: which family's source is used (the running release's IsNT).
  explicit TCPUUsageSampler(bool nt) : nt_(nt) {}

  // True when sampling could start; the 9x family raises EPerformanceError
  // instead of answering false.
  bool Start();
  // The load over the last `intervalMs`; 0xFFFFFFFF when the 9x data cannot
  // be read.
  std::uint32_t Sample(std::uint32_t intervalMs);
  void Stop();

  // The NT query state is shared by every sampler in the process: the
  // buffer, its length and the previous idle time of the first processor.
  static void ResetSharedState();

 private:
  bool nt_;
};

}  // namespace nsx::ui
