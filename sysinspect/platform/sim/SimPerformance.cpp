#include "SimPerformance.h"

#include <algorithm>

namespace nsx::sim {
namespace {

void PutLittleEndian(platform::Bytes& buffer, size_t offset, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes && offset + i < buffer.size(); ++i)
    buffer[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::uint32_t SimPerformanceApi::QuerySystemInformation(std::uint32_t infoClass, platform::Bytes& buffer) {
  ++data_.queries;
  if (data_.forcedStatus) return *data_.forcedStatus;
  if (infoClass != platform::kSystemProcessorTimes) return platform::kStatusNotImplemented;
  size_t record = std::max<std::uint32_t>(data_.recordSize, 44);
  if (buffer.size() < record || data_.processors.empty()) return platform::kStatusInfoLengthMismatch;
  size_t fits = std::min(buffer.size() / record, data_.processors.size());
  for (size_t i = 0; i < fits; ++i) {
    const auto& p = data_.processors[i];
    size_t at = i * record;
    PutLittleEndian(buffer, at, p.idle, 8);
    PutLittleEndian(buffer, at + 8, p.kernel, 8);
    PutLittleEndian(buffer, at + 16, p.user, 8);
    PutLittleEndian(buffer, at + 24, p.dpc, 8);
    PutLittleEndian(buffer, at + 32, p.interrupt, 8);
    PutLittleEndian(buffer, at + 40, p.interruptCount, 4);
  }
  return platform::kStatusSuccess;
}

}  // namespace nsx::sim
