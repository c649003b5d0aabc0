// The native system-information query, looked up in the loaded ntdll.
#pragma once
#include "../Performance.h"

namespace nsx::win32 {

class Win32Performance : public platform::PerformanceApi {
 public:
  std::uint32_t QuerySystemInformation(std::uint32_t infoClass, platform::Bytes& buffer) override;
};

}  // namespace nsx::win32
