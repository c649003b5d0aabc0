// Registry export files of any content load or fail with a ProfileError.
#include <cstdint>
#include <string>

#include "platform/sim/ProfileError.h"
#include "platform/sim/RegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string content(reinterpret_cast<const char*>(data), size);
  for (std::uint32_t codePage : {1252u, 932u}) {
    nsx::sim::SimRegistry registry;
    try {
      nsx::sim::LoadRegFile(content, codePage, "fuzz.reg", registry);
    } catch (const nsx::sim::ProfileError&) {
    }
  }
  return 0;
}
