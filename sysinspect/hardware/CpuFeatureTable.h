// The processor feature flags: where each comes from in the CPUID feature
// registers and how the overview and the report name it.
#pragma once
#include <array>
#include <cstdint>

namespace nsx {

enum class FeatureSource { Leaf1Edx, ExtendedEdx };

struct FeatureRow {
  const char* property;  // the published property
  FeatureSource source;
  std::uint32_t bits;    // set when any of these bits is set
  const char* label;     // text of the overview's list
  const char* dataName;  // name of the report line
};

constexpr int kFeatureCount = 31;
extern const FeatureRow kFeatureRows[kFeatureCount];

using FeatureFlags = std::array<bool, kFeatureCount>;

// The flags of the table decoded from EDX of leaf 1 and of leaf 0x80000001.
FeatureFlags DecodeFeatures(std::uint32_t leaf1Edx, std::uint32_t extendedEdx);

}  // namespace nsx
