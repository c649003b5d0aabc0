// The native NT system-information query the CPU-usage sampler reads the
// processors' times from (ntdll's ZwQuerySystemInformation, bound at run
// time). The 9x family's statistics are registry values under
// HKEY_DYN_DATA and need nothing beyond RegistryApi.
#pragma once
#include <cstdint>

#include "WinTypes.h"

namespace nsx::platform {

// NTSTATUS values the sampler tells apart.
enum : std::uint32_t {
  kStatusSuccess = 0,
  kStatusInfoLengthMismatch = 0xC0000004u,
  kStatusNotImplemented = 0xC0000002u,
};

// System information classes.
enum : std::uint32_t {
  kSystemProcessorTimes = 8,
};

class PerformanceApi {
 public:
  virtual ~PerformanceApi() = default;
  // ZwQuerySystemInformation(infoClass, buffer.data(), buffer.size()):
  // fills the buffer and returns the NTSTATUS; kStatusNotImplemented when
  // the entry point is not there.
  virtual std::uint32_t QuerySystemInformation(std::uint32_t infoClass, Bytes& buffer) = 0;
};

}  // namespace nsx::platform
