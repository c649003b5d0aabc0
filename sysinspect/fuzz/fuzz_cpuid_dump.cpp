// Raw CPUID dumps of any content parse or fail with a ProfileError, and the
// cache decoders take whatever registers they hold.
#include <cstdint>
#include <string>
#include <vector>

#include "hardware/CacheDescriptors.h"
#include "platform/sim/CpuIdDump.h"
#include "platform/sim/ProfileError.h"

namespace {

nsx::platform::CpuIdRegisters Leaf(const nsx::sim::CpuIdLeaves& leaves, std::uint32_t leaf) {
  auto it = leaves.find(leaf);
  return it == leaves.end() ? nsx::platform::CpuIdRegisters{} : it->second;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string content(reinterpret_cast<const char*>(data), size);
  nsx::sim::CpuIdLeaves leaves;
  nsx::sim::CpuIdSubleaves subleaves;
  try {
    leaves = nsx::sim::ParseCpuIdDump(content, "cpuid.txt", &subleaves);
  } catch (const nsx::sim::ProfileError&) {
    return 0;
  }
  auto signature = nsx::DecodeSignature(Leaf(leaves, 1).eax);
  nsx::CacheSizes intel, amd, via;
  nsx::DecodeIntelDescriptors(Leaf(leaves, 2), signature.family, signature.model, intel);
  std::vector<nsx::platform::CpuIdRegisters> caches = {Leaf(leaves, 4)};
  for (const auto& [key, registers] : subleaves)
    if (key.first == 4) caches.push_back(registers);
  nsx::DecodeDeterministicCaches(caches, intel);
  auto record = nsx::DecodeAmdRecord(Leaf(leaves, 0x80000005u), Leaf(leaves, 0x80000006u));
  nsx::DecodeAmdCache(record, signature, "AMD Duron(tm)", amd);
  nsx::DecodeViaCache(record, signature, via);
  for (int vendor = 0; vendor <= 8; ++vendor) nsx::AddKnownLevel1Caches(vendor, signature, via);
  return 0;
}
