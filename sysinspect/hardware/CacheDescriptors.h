// Cache sizes and readable cache/TLB descriptions from the CPUID registers:
// Intel's descriptor bytes (leaf 2), AMD's extended leaves 0x80000005 and
// 0x80000006, and Cyrix's one-byte L1 test.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "../platform/Processor.h"

namespace nsx {

struct CacheSizes {
  int level1Data = 0;  // KB
  int level1Code = 0;
  int level1 = 0;      // data + code
  int level2 = 0;
  int level3 = 0;
  std::vector<std::string> descriptions;
};

// The 15 descriptor bytes of one leaf-2 answer (EAX bytes 1-3, then EBX,
// ECX, EDX bytes 0-3) added to `sizes`; Level1 is recomputed.
void DecodeIntelDescriptors(const platform::CpuIdRegisters& leaf2, CacheSizes& sizes);

// One byte per field, taken as it stands.
struct AmdCacheRecord {
  struct Tlb {
    std::uint8_t entries = 0, associativity = 0;
  };
  struct Cache {
    std::uint8_t lineSize = 0, linesPerTag = 0, associativity = 0, sizeKB = 0;
  };
  Tlb l1DataTlb2M, l1CodeTlb2M, l1DataTlb4K, l1CodeTlb4K;
  Cache l1Data, l1Code;
  Tlb l2DataTlb2M, l2CodeTlb2M, l2DataTlb4K, l2CodeTlb4K;
  std::uint8_t l2LineSize = 0, l2Byte1 = 0, l2SizeHigh = 0;
};
AmdCacheRecord DecodeAmdRecord(const platform::CpuIdRegisters& leaf5, const platform::CpuIdRegisters& leaf6);

// "Off", "Direct mapped", "2-way associative", ..., "fully associative".
std::string AmdAssociativityName(std::uint8_t code);

// Sizes and descriptions of an AMD processor (family and model of leaf 1,
// the brand string for the Duron's L2).
void DecodeAmdCache(const AmdCacheRecord& record, int family, int model, const std::string& nameString,
                    CacheSizes& sizes);

// Cyrix: a 16 KB level-1 cache when a byte of ECX of leaf 0x80000005 is 0x80.
void DecodeCyrixCache(std::uint32_t leaf5Ecx, CacheSizes& sizes);

}  // namespace nsx
