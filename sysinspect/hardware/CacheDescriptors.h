// Cache sizes and readable cache/TLB descriptions from the CPUID registers:
// Intel's descriptor bytes (leaf 2) and deterministic cache parameters
// (leaf 4), the extended leaves 0x80000005 and 0x80000006 of AMD and
// Centaur/VIA, Cyrix's one-byte L1 test, and the level-1 caches of
// processors that report none.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "../platform/Processor.h"
#include "CpuIdDecode.h"

namespace nsx {

struct CacheSizes {
  int level1Data = 0;  // KB
  int level1Code = 0;
  int level1 = 0;      // data + code, or a unified level-1 cache alone
  int level2 = 0;
  int level3 = 0;
  std::vector<std::string> descriptions;
};

// The 15 descriptor bytes of one leaf-2 answer (EAX bytes 1-3, then EBX,
// ECX, EDX bytes 0-3) added to `sizes`; Level1 is recomputed. Family and
// model tell the level of descriptor 0x49. True when a byte says the sizes
// are in leaf 4.
bool DecodeIntelDescriptors(const platform::CpuIdRegisters& leaf2, int family, int model, CacheSizes& sizes);

// Leaf 4's answers for subleaf 0, 1, ... up to the first of cache type 0:
// the sizes become those of the caches they describe (level 1 data and
// code, levels 2 and 3), each cache adds a description.
void DecodeDeterministicCaches(const std::vector<platform::CpuIdRegisters>& subleaves, CacheSizes& sizes);

// Leaves 0x80000005 and 0x80000006; the byte fields are taken as they stand.
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
  // Leaf 0x80000006 in the fields AMD defines: ECX bits 16-31 the L2 size in
  // KB, 12-15 its associativity code, 8-11 lines per tag; EDX bits 18-31 the
  // L3 size in 512 KB, then the same three fields.
  int l2SizeKB = 0;
  std::uint8_t l2Associativity = 0, l2LinesPerTag = 0;
  int l3SizeKB = 0;
  std::uint8_t l3Associativity = 0, l3LinesPerTag = 0, l3LineSize = 0;
  // ECX of leaf 0x80000006 read in the layout of the L1 fields (size, code,
  // lines per tag, line size, one byte each), as VIA's C3 fills it.
  Cache l2InLevel1Layout;
};
AmdCacheRecord DecodeAmdRecord(const platform::CpuIdRegisters& leaf5, const platform::CpuIdRegisters& leaf6);

// The associativity codes of leaf 0x80000006: "Off", "Direct mapped",
// "2-way associative", ..., "fully associative". (Leaf 0x80000005 counts
// the ways instead: 1 direct mapped, n n-way, 0xFF fully associative.)
std::string AmdAssociativityName(std::uint8_t code);

// Sizes and descriptions of an AMD processor (signature of leaf 1, the
// brand string for the Duron's L2). Leaf 0x80000006 of a processor without
// it must be given as zeros.
void DecodeAmdCache(const AmdCacheRecord& record, const CpuSignature& signature, const std::string& nameString,
                    CacheSizes& sizes);

// Centaur/VIA (and IDT): the same leaves in AMD's layout, with the C3's L2.
void DecodeViaCache(const AmdCacheRecord& record, const CpuSignature& signature, CacheSizes& sizes);

// Cyrix: a 16 KB level-1 cache when a byte of ECX of leaf 0x80000005 is 0x80.
void DecodeCyrixCache(std::uint32_t leaf5Ecx, CacheSizes& sizes);

// Processors that report no cache through CPUID: the level-1 caches their
// data sheets give, when `sizes` holds none.
void AddKnownLevel1Caches(int vendorIndex, const CpuSignature& signature, CacheSizes& sizes);

}  // namespace nsx
