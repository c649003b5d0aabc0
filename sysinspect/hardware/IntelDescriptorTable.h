// Intel's CPUID leaf-2 descriptor bytes: the readable text of each and the
// cache size it counts towards.
#pragma once
#include <cstdint>

namespace nsx {

enum class DescribedCache { None, Level1Code, Level1Data, Level2, Level3 };

struct IntelDescriptor {
  std::uint8_t byte;
  DescribedCache cache;  // where `kb` counts (the level-1 sizes add up, the others take the last byte)
  int kb;
  const char* text;
};

// The row of a descriptor byte, nullptr for a byte the table lacks.
const IntelDescriptor* FindIntelDescriptor(std::uint8_t byte);

// "The sizes are in leaf 4" (deterministic cache parameters).
constexpr std::uint8_t kDescriptorUseLeaf4 = 0xFF;
// 4 MB of level-3 cache on the Xeon MP of family 15 model 6, else level 2.
constexpr std::uint8_t kDescriptorLevel2Or3 = 0x49;

}  // namespace nsx
