// The simulated machine's processors as ZwQuerySystemInformation sees them.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "../Performance.h"

namespace nsx::sim {

// One processor's times in 100 ns units, as the processor-times class gives them.
struct SimProcessorTimes {
  std::uint64_t idle = 0, kernel = 0, user = 0, dpc = 0, interrupt = 0;
  std::uint32_t interruptCount = 0;
};

struct SimPerformanceData {
  std::vector<SimProcessorTimes> processors{SimProcessorTimes{}};
  // Bytes per processor record the system writes; a buffer smaller than one
  // record answers "length mismatch" (NT's record is 48 bytes, padded).
  std::uint32_t recordSize = 48;
  // When set, every query answers this status and writes nothing.
  std::optional<std::uint32_t> forcedStatus;
  std::uint32_t queries = 0;  // how often the query ran
};

class SimPerformanceApi : public platform::PerformanceApi {
 public:
  explicit SimPerformanceApi(SimPerformanceData& data) : data_(data) {}
  std::uint32_t QuerySystemInformation(std::uint32_t infoClass, platform::Bytes& buffer) override;

 private:
  SimPerformanceData& data_;
};

}  // namespace nsx::sim
