#include "PeResources.h"

#include <cstdint>
#include <vector>

#include "../ByteView.h"

namespace nsx::sim {
namespace {

using platform::ByteView;

constexpr std::uint32_t kRtVersion = 16;

struct Section {
  std::uint32_t virtualAddress, virtualSize, rawSize, rawOffset;
};

std::optional<std::uint64_t> RvaToOffset(const std::vector<Section>& sections, std::uint32_t rva) {
  for (const auto& s : sections) {
    std::uint32_t size = s.virtualSize ? s.virtualSize : s.rawSize;
    if (rva >= s.virtualAddress && rva - s.virtualAddress < size && rva - s.virtualAddress < s.rawSize)
      return std::uint64_t(s.rawOffset) + (rva - s.virtualAddress);
  }
  return std::nullopt;
}

// Returns the OffsetToData of the entry with `id` (or the first entry when
// `id` is 0) of the resource directory at `dir` (relative to `base`).
std::optional<std::uint32_t> FindEntry(const ByteView& r, std::uint64_t base, std::uint32_t dir, std::uint32_t id) {
  std::uint64_t at = base + dir;
  if (!r.Has(at, 16)) return std::nullopt;
  std::uint32_t count = std::uint32_t(r.U16(at + 12)) + r.U16(at + 14);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint64_t entry = at + 16 + 8ull * i;
    if (!r.Has(entry, 8)) return std::nullopt;
    std::uint32_t name = r.U32(entry);
    if (id == 0 || (!(name & 0x80000000u) && name == id)) return r.U32(entry + 4);
  }
  return std::nullopt;
}

}  // namespace

std::optional<platform::Bytes> ExtractVersionResource(const platform::Bytes& image) {
  ByteView r(image);
  if (!r.Has(0, 0x40) || image[0] != 'M' || image[1] != 'Z') return std::nullopt;
  std::uint64_t pe = r.U32(0x3C);
  if (!r.Has(pe, 24) || r.U32(pe) != 0x00004550u) return std::nullopt;
  std::uint16_t sectionCount = r.U16(pe + 6);
  std::uint16_t optionalSize = r.U16(pe + 20);
  std::uint64_t optional = pe + 24;
  if (!r.Has(optional, 2)) return std::nullopt;
  std::uint16_t magic = r.U16(optional);
  std::uint64_t directories = optional + (magic == 0x20B ? 112 : 96);
  std::uint64_t resourceDir = directories + 2 * 8;
  if (resourceDir + 8 > optional + optionalSize || !r.Has(resourceDir, 8)) return std::nullopt;
  std::uint32_t resourceRva = r.U32(resourceDir);
  if (resourceRva == 0) return std::nullopt;

  std::vector<Section> sections;
  std::uint64_t table = optional + optionalSize;
  for (std::uint16_t i = 0; i < sectionCount; ++i) {
    std::uint64_t s = table + 40ull * i;
    if (!r.Has(s, 40)) return std::nullopt;
    sections.push_back({r.U32(s + 12), r.U32(s + 8), r.U32(s + 16), r.U32(s + 20)});
  }
  auto base = RvaToOffset(sections, resourceRva);
  if (!base) return std::nullopt;

  // Type -> name -> language; each step must lead to a subdirectory but the last.
  auto type = FindEntry(r, *base, 0, kRtVersion);
  if (!type || !(*type & 0x80000000u)) return std::nullopt;
  auto name = FindEntry(r, *base, *type & 0x7FFFFFFFu, 0);
  if (!name || !(*name & 0x80000000u)) return std::nullopt;
  auto language = FindEntry(r, *base, *name & 0x7FFFFFFFu, 0);
  if (!language || (*language & 0x80000000u)) return std::nullopt;
  std::uint64_t dataEntry = *base + *language;
  if (!r.Has(dataEntry, 8)) return std::nullopt;
  auto offset = RvaToOffset(sections, r.U32(dataEntry));
  std::uint32_t size = r.U32(dataEntry + 4);
  if (!offset || !r.Has(*offset, size)) return std::nullopt;
  return platform::Bytes(image.begin() + static_cast<std::ptrdiff_t>(*offset),
                         image.begin() + static_cast<std::ptrdiff_t>(*offset + size));
}

}  // namespace nsx::sim
