// Exports of a PE image as the loader maps it (offsets are relative virtual
// addresses), found by ordinal in its export directory: Windows 95 to Me
// refuse kernel32's ordinal-only entries to GetProcAddress.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

namespace nsx::platform {

struct PeExport {
  std::uint32_t rva = 0;
  bool forwarded = false;  // the address holds a forwarder text ("DLL.Entry"), not code
};

// SizeOfImage from the headers within the first `available` bytes; 0 when
// they are no PE headers.
std::size_t PeImageSize(const std::uint8_t* image, std::size_t available);

// The export with `ordinal` of the image's first `size` bytes; nullopt when
// the image has no such export. Every offset is checked against `size`.
std::optional<PeExport> FindExportByOrdinal(const std::uint8_t* image, std::size_t size, std::uint32_t ordinal);

}  // namespace nsx::platform
