// Version resource blocks and PE images of any content decode without
// reading outside their buffer.
#include <cstdint>

#include "core/VersionResource.h"
#include "platform/sim/PeResources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nsx::platform::Bytes bytes(data, data + size);
  auto toAnsi = [](const std::u16string& s) { return std::string(s.begin(), s.end()); };
  if (auto block = nsx::ParseVersionBlock(bytes)) {
    nsx::QueryFixedFileInfo(*block);
    auto translation = nsx::QueryFirstTranslation(*block);
    nsx::QueryVersionString(*block, translation ? nsx::TranslationKey(*translation) : "", "CompanyName", toAnsi);
  }
  nsx::sim::ExtractVersionResource(bytes);
  return 0;
}
