// Version resource blocks and PE images of any content decode, and exports
// are looked up, without reading outside their buffer.
#include <algorithm>
#include <cstdint>

#include "core/VersionResource.h"
#include "platform/PeExports.h"
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
  // The same bytes as a mapped image whose exports are looked up by ordinal.
  std::size_t mapped = std::min(size, nsx::platform::PeImageSize(data, size));
  for (std::uint32_t ordinal : {1u, 35u, 37u}) nsx::platform::FindExportByOrdinal(data, mapped, ordinal);
  return 0;
}
