#include "PeExports.h"

#include "ByteView.h"

namespace nsx::platform {
namespace {

// The offset of the optional header, 0 when the headers are not a PE's.
std::uint64_t OptionalHeader(const ByteView& r) {
  if (!r.Has(0, 0x40) || r.U16(0) != 0x5A4D) return 0;  // "MZ"
  std::uint64_t pe = r.U32(0x3C);
  if (!r.Has(pe, 24 + 2) || r.U32(pe) != 0x00004550u) return 0;  // "PE\0\0"
  return pe + 24;
}

}  // namespace

std::size_t PeImageSize(const std::uint8_t* image, std::size_t available) {
  ByteView r(image, available);
  std::uint64_t optional = OptionalHeader(r);
  if (optional == 0 || !r.Has(optional + 56, 4)) return 0;
  return r.U32(optional + 56);
}

std::optional<PeExport> FindExportByOrdinal(const std::uint8_t* image, std::size_t size, std::uint32_t ordinal) {
  ByteView r(image, size);
  std::uint64_t optional = OptionalHeader(r);
  if (optional == 0) return std::nullopt;
  // PE32 and PE32+ place the data directories differently.
  std::uint64_t countAt, directories;
  switch (r.U16(optional)) {
    case 0x10B: countAt = optional + 92, directories = optional + 96; break;
    case 0x20B: countAt = optional + 108, directories = optional + 112; break;
    default: return std::nullopt;
  }
  if (!r.Has(countAt, 4) || r.U32(countAt) < 1 || !r.Has(directories, 8)) return std::nullopt;
  std::uint32_t exportRva = r.U32(directories), exportSize = r.U32(directories + 4);
  if (exportRva == 0 || !r.Has(exportRva, 40)) return std::nullopt;
  std::uint32_t base = r.U32(exportRva + 16), count = r.U32(exportRva + 20), functions = r.U32(exportRva + 28);
  if (ordinal < base || ordinal - base >= count) return std::nullopt;
  std::uint64_t slot = functions + 4ull * (ordinal - base);
  if (!r.Has(slot, 4)) return std::nullopt;
  std::uint32_t rva = r.U32(slot);
  if (rva == 0 || !r.Has(rva, 1)) return std::nullopt;  // no entry, or none inside the image
  PeExport entry;
  entry.rva = rva;
  entry.forwarded = rva >= exportRva && rva - exportRva < exportSize;
  return entry;
}

}  // namespace nsx::platform
