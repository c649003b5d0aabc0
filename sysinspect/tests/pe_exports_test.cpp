// Exports found by ordinal in a PE image as the loader maps it.
#include <gtest/gtest.h>

#include <vector>

#include "platform/PeExports.h"

namespace nsx::platform {
namespace {

void Put(std::vector<std::uint8_t>& b, size_t at, std::uint32_t v, int size) {
  if (b.size() < at + size) b.resize(at + size);
  for (int i = 0; i < size; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A mapped PE32 image (kernel32's form) whose export directory at 0x1000
// holds ordinals 1 to 4: code at 0x2000, a gap, a forwarder and code again.
std::vector<std::uint8_t> MappedImage(std::uint16_t magic = 0x10B) {
  const std::uint32_t kPe = 0x80, kOptional = kPe + 24, kExports = 0x1000, kFunctions = 0x1040;
  const std::uint32_t kDirectories = magic == 0x10B ? kOptional + 96 : kOptional + 112;
  std::vector<std::uint8_t> b(0x3000, 0);
  Put(b, 0, 0x5A4D, 2);
  Put(b, 0x3C, kPe, 4);
  Put(b, kPe, 0x00004550, 4);
  Put(b, kOptional, magic, 2);
  Put(b, kOptional + 56, 0x3000, 4);  // SizeOfImage
  Put(b, kDirectories - 4, 16, 4);     // directory count
  Put(b, kDirectories, kExports, 4);
  Put(b, kDirectories + 4, 0x100, 4);
  Put(b, kExports + 16, 1, 4);  // ordinal base
  Put(b, kExports + 20, 4, 4);  // functions
  Put(b, kExports + 28, kFunctions, 4);
  const std::uint32_t rvas[] = {0x2000, 0, kExports + 0x80, 0x2010};
  for (int i = 0; i < 4; ++i) Put(b, kFunctions + 4 * i, rvas[i], 4);
  return b;
}

TEST(PeExports, OrdinalsOfAMappedImage) {
  struct Case {
    std::uint16_t magic;
    std::uint32_t ordinal;
    bool found, forwarded;
    std::uint32_t rva;
  };
  const Case cases[] = {
      // magic  ordinal found forwarded rva
      {0x10B, 1, true, false, 0x2000}, {0x10B, 4, true, false, 0x2010}, {0x10B, 3, true, true, 0x1080},
      {0x10B, 2, false, false, 0},     {0x10B, 0, false, false, 0},     {0x10B, 5, false, false, 0},
      {0x20B, 1, true, false, 0x2000}, {0x107, 1, false, false, 0},
  };
  for (const auto& c : cases) {
    auto image = MappedImage(c.magic);
    EXPECT_EQ(PeImageSize(image.data(), 4096), 0x3000u);  // read whatever the magic
    auto entry = FindExportByOrdinal(image.data(), image.size(), c.ordinal);
    ASSERT_EQ(entry.has_value(), c.found) << c.magic << " ordinal " << c.ordinal;
    if (!entry) continue;
    EXPECT_EQ(entry->rva, c.rva);
    EXPECT_EQ(entry->forwarded, c.forwarded);
  }
}

TEST(PeExports, ShortOrForeignImagesHaveNoExports) {
  auto image = MappedImage();
  // Cut before the function table, or inside the headers.
  for (size_t size : {size_t{0x1044}, size_t{0x100}, size_t{0x3F}, size_t{0}})
    EXPECT_FALSE(FindExportByOrdinal(image.data(), size, 1)) << size;
  EXPECT_EQ(PeImageSize(image.data(), 0x80), 0u);
  image[0] = 'X';
  EXPECT_FALSE(FindExportByOrdinal(image.data(), image.size(), 1));
  EXPECT_EQ(PeImageSize(image.data(), 4096), 0u);
}

}  // namespace
}  // namespace nsx::platform
