#include "CacheDescriptors.h"

#include <algorithm>
#include <cstdio>

#include "CpuVendors.h"
#include "IntelDescriptorTable.h"

namespace nsx {
namespace {

// 16 GB: larger than any cache, small enough that sums of sizes stay ints.
constexpr std::uint64_t kLargestCacheKB = std::uint64_t(1) << 24;

struct AssociativityRow {
  std::uint8_t code;
  const char* name;
};

// AMD's associativity codes of leaf 0x80000006.
const AssociativityRow kAssociativity[] = {
    // code  name
    {0, "Off"},
    {1, "Direct mapped"},
    {2, "2-way associative"},
    {4, "4-way associative"},
    {6, "8-way associative"},
    {8, "16-way associative"},
    {0x0A, "32-way associative"},
    {0x0B, "48-way associative"},
    {0x0C, "64-way associative"},
    {0x0D, "96-way associative"},
    {0x0E, "128-way associative"},
};

// Processors whose leaf 0x80000006 misstates the L2 size, with the size they
// have: AMD's revision guides, erratum T13 (order #21922) for the Duron A0
// (Spitfire) and the Athlon A1 and A2 (Thunderbird).
struct L2SizeErratum {
  int family, model, stepping;
  int kb;
};
const L2SizeErratum kAmdL2Errata[] = {
    // family model stepping KB
    {6, 3, 0, 64},
    {6, 4, 0, 256},
    {6, 4, 1, 256},
};

// Level-1 caches of processors that report none through CPUID (no leaf 2,
// no leaf 0x80000005), from their data sheets: Intel i486 (8 KB unified),
// IntelDX4 (16 KB), Pentium (8 KB code and 8 KB data) and Pentium with MMX
// technology (16 KB each); AMD Am5x86 (16 KB unified) and K5 (16 KB code,
// 8 KB data); Cyrix MediaGX, 5x86, 6x86 and MediaGXm (16 KB unified) and
// 6x86MX/M II (64 KB unified); IDT WinChip C6 and WinChip 2 (32 KB each).
struct KnownLevel1Row {
  int vendor, family, firstModel, lastModel;
  int dataKB, codeKB, unifiedKB;
};
const KnownLevel1Row kKnownLevel1[] = {
    // vendor     family models  data code unified
    {kVendorIntel, 4, 0, 7, 0, 0, 8},
    {kVendorIntel, 4, 8, 9, 0, 0, 16},
    {kVendorIntel, 5, 0, 3, 8, 8, 0},
    {kVendorIntel, 5, 4, 4, 16, 16, 0},
    {kVendorIntel, 5, 7, 7, 8, 8, 0},
    {kVendorIntel, 5, 8, 8, 16, 16, 0},
    {kVendorAMD, 4, 14, 15, 0, 0, 16},
    {kVendorAMD, 5, 0, 3, 8, 16, 0},
    {kVendorCyrix, 4, 4, 4, 0, 0, 16},
    {kVendorCyrix, 4, 9, 9, 0, 0, 16},
    {kVendorCyrix, 5, 2, 2, 0, 0, 16},
    {kVendorCyrix, 5, 4, 4, 0, 0, 16},
    {kVendorCyrix, 6, 0, 0, 0, 0, 64},
    {kVendorCentaur, 5, 4, 4, 32, 32, 0},
    {kVendorCentaur, 5, 8, 8, 32, 32, 0},
};

std::uint8_t Byte(std::uint32_t value, int index) { return static_cast<std::uint8_t>(value >> (8 * index)); }
std::uint8_t Nibble(std::uint32_t value, int index) { return static_cast<std::uint8_t>((value >> (4 * index)) & 0xF); }

AmdCacheRecord::Tlb TlbHigh(std::uint32_t value) { return {Byte(value, 2), Byte(value, 3)}; }
AmdCacheRecord::Tlb TlbLow(std::uint32_t value) { return {Byte(value, 0), Byte(value, 1)}; }
AmdCacheRecord::Cache CacheOf(std::uint32_t value) {
  return {Byte(value, 0), Byte(value, 1), Byte(value, 2), Byte(value, 3)};
}

// Leaf 0x80000005 counts its ways (1 direct mapped, 0xFF fully
// associative); leaf 0x80000006 codes them (AmdAssociativityName).
std::string Level1AssociativityName(std::uint8_t ways) {
  if (ways == 0) return AmdAssociativityName(0);
  if (ways == 1) return "Direct mapped";
  if (ways == 0xFF) return "fully associative";
  return std::to_string(ways) + "-way associative";
}

std::string Format(const char* format, const std::string& text, int number) {
  char line[160];
  std::snprintf(line, sizeof line, format, text.c_str(), number);
  return line;
}

// A TLB of leaf 0x80000005 (ways counted) or 0x80000006 (ways coded).
void AddTlb(std::vector<std::string>& out, const char* format, const AmdCacheRecord::Tlb& tlb, bool level1) {
  if (tlb.entries != 0 && tlb.associativity != 0)
    out.push_back(Format(format,
                         level1 ? Level1AssociativityName(tlb.associativity) : AmdAssociativityName(tlb.associativity),
                         tlb.entries));
}

// A cache in the layout of leaf 0x80000005's fields.
void AddCache(std::vector<std::string>& out, const char* kind, const AmdCacheRecord::Cache& cache) {
  if (cache.sizeKB == 0) return;
  char line[160];
  std::snprintf(line, sizeof line, "%s %dK, %s, %d byte line size, %d line per tag", kind, cache.sizeKB,
                Level1AssociativityName(cache.associativity).c_str(), cache.lineSize, cache.linesPerTag);
  out.push_back(line);
}

// A level-2 or level-3 line in the style of the level-1 lines.
void AddUnified(std::vector<std::string>& out, const char* kind, int kb, std::uint8_t associativity,
                std::uint8_t lineSize, std::uint8_t linesPerTag) {
  if (kb == 0) return;
  char line[160];
  std::snprintf(line, sizeof line, "%s %dK, %s, %d byte line size, %d line per tag", kind, kb,
                AmdAssociativityName(associativity).c_str(), lineSize, linesPerTag);
  out.push_back(line);
}

// The lines of leaf 0x80000005 and the TLBs of leaf 0x80000006, in order.
void DescribeLevel1AndTlbs(const AmdCacheRecord& r, std::vector<std::string>& out) {
  AddTlb(out, "Instruction TLB, 2M/4M pages, %s, %d entries", r.l1CodeTlb2M, true);
  AddTlb(out, "Instruction TLB, 4K pages, %s, %d entries", r.l1CodeTlb4K, true);
  AddCache(out, "Instruction cache", r.l1Code);
  AddTlb(out, "Data TLB, 2M/4M pages, %s, %d entries", r.l1DataTlb2M, true);
  AddTlb(out, "Data TLB, 4K pages, %s, %d entries", r.l1DataTlb4K, true);
  AddCache(out, "Data cache", r.l1Data);
  AddTlb(out, "L2 Instruction TLB, 2M/4M pages, %s, %d entries", r.l2CodeTlb2M, false);
  AddTlb(out, "L2 Instruction TLB, 4K pages, %s, %d entries", r.l2CodeTlb4K, false);
  AddTlb(out, "L2 Data TLB, 2M/4M pages, %s, %d entries", r.l2DataTlb2M, false);
  AddTlb(out, "L2 Data TLB, 4K pages, %s, %d entries", r.l2DataTlb4K, false);
}

void TakeLevel1(const AmdCacheRecord& r, CacheSizes& sizes) {
  sizes.level1Data = r.l1Data.sizeKB;
  sizes.level1Code = r.l1Code.sizeKB;
  sizes.level1 = sizes.level1Data + sizes.level1Code;
}

int AmdLevel2(const AmdCacheRecord& r, const CpuSignature& s, const std::string& nameString) {
  // Family 6 models 6 and 7 with a size of 256 KB or more: 256, or 64 on
  // the Duron, whatever the field says.
  if (s.family == 6 && (s.model == 6 || s.model == 7) && r.l2SizeHigh != 0)
    return nameString.find("Duron") != std::string::npos ? 64 : 256;
  for (const auto& row : kAmdL2Errata)
    if (row.family == s.family && row.model == s.model && row.stepping == s.stepping && r.l2SizeKB != 0)
      return row.kb;
  return r.l2SizeKB;
}

std::string SizeText(int kb) {
  char text[16];
  if (kb >= 1024 && kb % 1024 == 0)
    std::snprintf(text, sizeof text, "%dM", kb / 1024);
  else
    std::snprintf(text, sizeof text, "%dK", kb);
  return text;
}

// One cache of leaf 4 in the style of the descriptor texts: level-1 caches
// as "Data cache, 32K, 8-way set associative, 64 byte line size", the others
// as "Unified cache, 64 byte cache line, 4-way set associative, 256K".
std::string DeterministicCacheText(int level, int type, bool fully, unsigned ways, unsigned line, int kb) {
  char associativity[32];
  if (fully)
    std::snprintf(associativity, sizeof associativity, "fully associative");
  else
    std::snprintf(associativity, sizeof associativity, "%u-way set associative", ways);
  const char* kinds[] = {"", "Data", "Instruction", "Unified"};
  char kind[32];
  if (level == 1 && type != 3)
    std::snprintf(kind, sizeof kind, "%s cache", kinds[type]);
  else if (level == 2 && type == 3)
    std::snprintf(kind, sizeof kind, "Unified cache");
  else
    std::snprintf(kind, sizeof kind, "%s L%d cache", kinds[type], level);
  char text[160];
  if (level == 1)
    std::snprintf(text, sizeof text, "%s, %s, %s, %u byte line size", kind, SizeText(kb).c_str(), associativity, line);
  else
    std::snprintf(text, sizeof text, "%s, %u byte cache line, %s, %s", kind, line, associativity, SizeText(kb).c_str());
  return text;
}

}  // namespace

bool DecodeIntelDescriptors(const platform::CpuIdRegisters& leaf2, int family, int model, CacheSizes& sizes) {
  std::uint8_t bytes[15];
  int n = 0;
  for (int i = 1; i < 4; ++i) bytes[n++] = Byte(leaf2.eax, i);
  for (std::uint32_t reg : {leaf2.ebx, leaf2.ecx, leaf2.edx})
    for (int i = 0; i < 4; ++i) bytes[n++] = Byte(reg, i);
  bool useLeaf4 = false;
  for (std::uint8_t byte : bytes) {
    if (byte == 0) continue;
    if (byte == kDescriptorUseLeaf4) useLeaf4 = true;
    const IntelDescriptor* row = FindIntelDescriptor(byte);
    if (!row) continue;
    DescribedCache cache = row->cache;
    if (byte == kDescriptorLevel2Or3 && family == 15 && model == 6) cache = DescribedCache::Level3;
    switch (cache) {
      case DescribedCache::Level1Code: sizes.level1Code += row->kb; break;
      case DescribedCache::Level1Data: sizes.level1Data += row->kb; break;
      case DescribedCache::Level2: sizes.level2 = row->kb; break;
      case DescribedCache::Level3: sizes.level3 = row->kb; break;
      case DescribedCache::None: break;
    }
    sizes.descriptions.push_back(row->text);
  }
  sizes.level1 = sizes.level1Data + sizes.level1Code;
  return useLeaf4;
}

void DecodeDeterministicCaches(const std::vector<platform::CpuIdRegisters>& subleaves, CacheSizes& sizes) {
  int level1Data = 0, level1Code = 0, level1Unified = 0, level2 = 0, level3 = 0;
  bool any = false;
  for (const auto& r : subleaves) {
    int type = static_cast<int>(r.eax & 0x1F);  // 1 data, 2 instruction, 3 unified
    if (type == 0) break;                       // no more caches
    if (type > 3) continue;                     // reserved
    int level = static_cast<int>((r.eax >> 5) & 7);
    bool fully = (r.eax >> 9) & 1;
    unsigned line = (r.ebx & 0xFFF) + 1, partitions = ((r.ebx >> 12) & 0x3FF) + 1, ways = ((r.ebx >> 22) & 0x3FF) + 1;
    // Fields no processor fills could give sizes beyond any cache; they are
    // capped so that the sizes and their sums stay numbers.
    std::uint64_t setBytes = std::uint64_t(ways) * partitions * line, sets = std::uint64_t(r.ecx) + 1;
    std::uint64_t kb64 = setBytes > kLargestCacheKB * 1024 / sets ? kLargestCacheKB : setBytes * sets / 1024;
    int kb = static_cast<int>(std::min(kb64, kLargestCacheKB));
    any = true;
    if (level == 1 && type == 1) level1Data = kb;
    if (level == 1 && type == 2) level1Code = kb;
    if (level == 1 && type == 3) level1Unified = kb;
    if (level == 2) level2 = kb;
    if (level == 3) level3 = kb;
    sizes.descriptions.push_back(DeterministicCacheText(level, type, fully, ways, line, kb));
  }
  if (!any) return;
  sizes.level1Data = level1Data;
  sizes.level1Code = level1Code;
  sizes.level1 = level1Data + level1Code + level1Unified;
  sizes.level2 = level2;
  sizes.level3 = level3;
}

AmdCacheRecord DecodeAmdRecord(const platform::CpuIdRegisters& leaf5, const platform::CpuIdRegisters& leaf6) {
  AmdCacheRecord r;
  r.l1DataTlb2M = TlbHigh(leaf5.eax);
  r.l1CodeTlb2M = TlbLow(leaf5.eax);
  r.l1DataTlb4K = TlbHigh(leaf5.ebx);
  r.l1CodeTlb4K = TlbLow(leaf5.ebx);
  r.l1Data = CacheOf(leaf5.ecx);
  r.l1Code = CacheOf(leaf5.edx);
  r.l2DataTlb2M = TlbHigh(leaf6.eax);
  r.l2CodeTlb2M = TlbLow(leaf6.eax);
  r.l2DataTlb4K = TlbHigh(leaf6.ebx);
  r.l2CodeTlb4K = TlbLow(leaf6.ebx);
  r.l2LineSize = Byte(leaf6.ecx, 0);
  r.l2Byte1 = Byte(leaf6.ecx, 1);
  r.l2SizeHigh = Byte(leaf6.ecx, 3);
  r.l2SizeKB = static_cast<int>(leaf6.ecx >> 16);
  r.l2Associativity = Nibble(leaf6.ecx, 3);
  r.l2LinesPerTag = Nibble(leaf6.ecx, 2);
  r.l3SizeKB = static_cast<int>(leaf6.edx >> 18) * 512;
  r.l3Associativity = Nibble(leaf6.edx, 3);
  r.l3LinesPerTag = Nibble(leaf6.edx, 2);
  r.l3LineSize = Byte(leaf6.edx, 0);
  r.l2InLevel1Layout = CacheOf(leaf6.ecx);
  return r;
}

std::string AmdAssociativityName(std::uint8_t code) {
  for (const auto& row : kAssociativity)
    if (row.code == code) return row.name;
  return "fully associative";
}

void DecodeAmdCache(const AmdCacheRecord& r, const CpuSignature& signature, const std::string& nameString,
                    CacheSizes& sizes) {
  TakeLevel1(r, sizes);
  sizes.level2 = AmdLevel2(r, signature, nameString);
  sizes.level3 = r.l3SizeKB;
  DescribeLevel1AndTlbs(r, sizes.descriptions);
  AddUnified(sizes.descriptions, "Unified cache", sizes.level2, r.l2Associativity, r.l2LineSize, r.l2LinesPerTag);
  AddUnified(sizes.descriptions, "Unified L3 cache", sizes.level3, r.l3Associativity, r.l3LineSize,
             r.l3LinesPerTag);
}

void DecodeViaCache(const AmdCacheRecord& r, const CpuSignature& signature, CacheSizes& sizes) {
  TakeLevel1(r, sizes);
  DescribeLevel1AndTlbs(r, sizes.descriptions);
  // The C3 of models 7 and 8 (Samuel 2, Ezra, Ezra-T) fills ECX of leaf
  // 0x80000006 in the layout of its L1 fields, the size in bits 24-31 (VIA
  // C3 data sheets); its successors use AMD's layout.
  if (signature.family == 6 && (signature.model == 7 || signature.model == 8)) {
    sizes.level2 = r.l2InLevel1Layout.sizeKB;
    AddCache(sizes.descriptions, "Unified cache", r.l2InLevel1Layout);
    return;
  }
  sizes.level2 = r.l2SizeKB;
  sizes.level3 = r.l3SizeKB;
  AddUnified(sizes.descriptions, "Unified cache", sizes.level2, r.l2Associativity, r.l2LineSize, r.l2LinesPerTag);
  AddUnified(sizes.descriptions, "Unified L3 cache", sizes.level3, r.l3Associativity, r.l3LineSize,
             r.l3LinesPerTag);
}

void DecodeCyrixCache(std::uint32_t leaf5Ecx, CacheSizes& sizes) {
  for (int i = 0; i < 4; ++i)
    if (Byte(leaf5Ecx, i) == 0x80) sizes.level1 = 16;
}

void AddKnownLevel1Caches(int vendorIndex, const CpuSignature& s, CacheSizes& sizes) {
  if (sizes.level1 != 0 || sizes.level2 != 0 || sizes.level3 != 0) return;
  for (const auto& row : kKnownLevel1) {
    if (row.vendor != vendorIndex || row.family != s.family || s.model < row.firstModel || s.model > row.lastModel)
      continue;
    sizes.level1Data = row.dataKB;
    sizes.level1Code = row.codeKB;
    sizes.level1 = row.dataKB + row.codeKB + row.unifiedKB;
    return;
  }
}

}  // namespace nsx
