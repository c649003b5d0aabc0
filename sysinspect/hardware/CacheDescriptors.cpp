#include "CacheDescriptors.h"

#include <cstdio>

namespace nsx {
namespace {

struct DescriptorText {
  std::uint8_t byte;
  const char* text;
};

const DescriptorText kDescriptorTexts[] = {
    // byte  text
    {0x01, "Instruction TLB, 4K pages, 4-way set associative, 32 entries"},
    {0x02, "Instruction TLB, 4M pages, fully associative, 2 entries"},
    {0x03, "Data TLB, 4K pages, 4-way set associative, 64 entries"},
    {0x04, "Data TLB, 4M pages, 4-way set associative, 8 entries"},
    {0x06, "Instruction cache, 8K, 4-way set associative, 32 byte line size"},
    {0x08, "Instruction cache 16K, 4-way set associative, 32 byte line size"},
    {0x0A, "Data cache, 8K, 2-way set associative, 32 byte line size"},
    {0x0C, "Data cache, 16K, 4-way set associative, 32 byte line size"},
    {0x40, "No L2 cache (P6 family), or No L3 cache (Pentium 4 and Xeon processors)"},
    {0x41, "Unified cache, 32 byte cache line,4-way set associative, 128K"},
    {0x42, "Unified cache, 32 byte cache line, 4-way set associative, 256K"},
    {0x43, "Unified cache, 32 byte cache line, 4-way set associative, 512K"},
    {0x44, "Unified cache, 32 byte cache line, 4-way set associative, 1M"},
    {0x45, "Unified cache, 32 byte cache line, 4-way set associative, 2M"},
    {0x50, "Instruction TLB, 4K, 2M or 4M pages, fully associative, 64 entries"},
    {0x51, "Instruction TLB, 4K, 2M or 4M pages, fully associative, 128 entries"},
    {0x52, "Instruction TLB, 4K, 2M or 4M pages, fully associative, 256 entries"},
    {0x5B, "Data TLB, 4K or 4M pages, fully associative, 64 entries"},
    {0x5C, "Data TLB, 4K or 4M pages, fully associative, 128 entries"},
    {0x5D, "Data TLB, 4K or 4M pages, fully associative, 256 entries"},
    {0x66, "Data cache, sectored, 64 byte cache line, 4 way set associative, 8K"},
    {0x67, "Data cache, sectored, 64 byte cache line, 4 way set associative, 16K"},
    {0x68, "Data cache, sectored, 64 byte cache line, 4 way set associative, 32K"},
    {0x70, "Instruction Trace cache, 8 way set associative, 12K uOps"},
    {0x71, "Instruction Trace cache, 8 way set associative, 16K uOps"},
    {0x72, "Instruction Trace cache, 8 way set associative, 32K uOps"},
    {0x79, "Unified cache, sectored, 64 byte cache line, 8 way set associative, 128K"},
    {0x7A, "Unified cache, sectored, 64 byte cache line, 8 way set associative, 256K"},
    {0x7B, "Unified cache, sectored, 64 byte cache line, 8 way set associative, 512K"},
    {0x7C, "Unified cache, sectored, 64 byte cache line, 8 way set associative, 1M"},
    {0x82, "Unified cache, 32 byte cache line, 8 way set associative, 256K"},
    {0x84, "Unified cache, 32 byte cache line, 8 way set associative, 1M"},
    {0x85, "Unified cache, 32 byte cache line, 8 way set associative, 2M"},
};

struct DescriptorSize {
  std::uint8_t byte;
  int kb;
};

// Level2 takes the size of the last matching byte.
const DescriptorSize kLevel2Sizes[] = {
    // byte  KB
    {0x41, 128},  {0x79, 128},  {0x42, 256},  {0x7A, 256},  {0x82, 256},  {0x22, 512},
    {0x43, 512},  {0x7B, 512},  {0x83, 512},  {0x23, 1024}, {0x44, 1024}, {0x7C, 1024},
    {0x84, 1024}, {0x25, 2048}, {0x45, 2048}, {0x85, 2048}, {0x29, 4096},
};

// Level1Code and Level1Data add up their bytes' sizes.
const DescriptorSize kLevel1CodeSizes[] = {
    // byte  KB
    {0x06, 8}, {0x70, 12}, {0x08, 16}, {0x71, 16}, {0x72, 32},
};
const DescriptorSize kLevel1DataSizes[] = {
    // byte  KB
    {0x0A, 8}, {0x66, 8}, {0x0C, 16}, {0x67, 16}, {0x68, 32},
};

template <size_t N>
const DescriptorSize* FindSize(const DescriptorSize (&table)[N], std::uint8_t byte) {
  for (const auto& row : table)
    if (row.byte == byte) return &row;
  return nullptr;
}

const char* FindText(std::uint8_t byte) {
  for (const auto& row : kDescriptorTexts)
    if (row.byte == byte) return row.text;
  return nullptr;
}

struct AssociativityRow {
  std::uint8_t code;
  const char* name;
};

const AssociativityRow kAssociativity[] = {
    // code  name
    {0, "Off"},
    {1, "Direct mapped"},
    {2, "2-way associative"},
    {4, "4-way associative"},
    {6, "8-way associative"},
    {8, "16-way associative"},
};

std::uint8_t Byte(std::uint32_t value, int index) { return static_cast<std::uint8_t>(value >> (8 * index)); }

AmdCacheRecord::Tlb TlbHigh(std::uint32_t value) { return {Byte(value, 2), Byte(value, 3)}; }
AmdCacheRecord::Tlb TlbLow(std::uint32_t value) { return {Byte(value, 0), Byte(value, 1)}; }
AmdCacheRecord::Cache CacheOf(std::uint32_t value) {
  return {Byte(value, 0), Byte(value, 1), Byte(value, 2), Byte(value, 3)};
}

std::string Format(const char* format, const std::string& text, int number) {
  char line[160];
  std::snprintf(line, sizeof line, format, text.c_str(), number);
  return line;
}

void AddTlb(std::vector<std::string>& out, const char* format, const AmdCacheRecord::Tlb& tlb) {
  if (tlb.entries != 0 && tlb.associativity != 0)
    out.push_back(Format(format, AmdAssociativityName(tlb.associativity), tlb.entries));
}

void AddCache(std::vector<std::string>& out, const char* kind, const AmdCacheRecord::Cache& cache) {
  if (cache.sizeKB == 0) return;
  char line[160];
  std::snprintf(line, sizeof line, "%s %dK, %s, %d byte line size, %d line per tag", kind, cache.sizeKB,
                AmdAssociativityName(cache.associativity).c_str(), cache.lineSize, cache.linesPerTag);
  out.push_back(line);
}

}  // namespace

void DecodeIntelDescriptors(const platform::CpuIdRegisters& leaf2, CacheSizes& sizes) {
  std::uint8_t bytes[15];
  int n = 0;
  for (int i = 1; i < 4; ++i) bytes[n++] = Byte(leaf2.eax, i);
  for (std::uint32_t reg : {leaf2.ebx, leaf2.ecx, leaf2.edx})
    for (int i = 0; i < 4; ++i) bytes[n++] = Byte(reg, i);
  for (std::uint8_t byte : bytes) {
    if (byte == 0) continue;
    if (auto* row = FindSize(kLevel2Sizes, byte)) sizes.level2 = row->kb;
    if (auto* row = FindSize(kLevel1CodeSizes, byte)) sizes.level1Code += row->kb;
    if (auto* row = FindSize(kLevel1DataSizes, byte)) sizes.level1Data += row->kb;
    if (const char* text = FindText(byte)) sizes.descriptions.push_back(text);
  }
  sizes.level1 = sizes.level1Data + sizes.level1Code;
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
  return r;
}

std::string AmdAssociativityName(std::uint8_t code) {
  for (const auto& row : kAssociativity)
    if (row.code == code) return row.name;
  return "fully associative";
}

void DecodeAmdCache(const AmdCacheRecord& r, int family, int model, const std::string& nameString,
                    CacheSizes& sizes) {
  sizes.level1Data = r.l1Data.sizeKB;
  sizes.level1Code = r.l1Code.sizeKB;
  sizes.level1 = sizes.level1Data + sizes.level1Code;
  // The L2 size is trusted only on the models whose size field was known to
  // read right; the Duron's is fixed at 64 KB.
  if (family == 6 && (model == 6 || model == 7) && r.l2SizeHigh != 0)
    sizes.level2 = nameString.find("Duron") != std::string::npos ? 64 : 256;
  sizes.level3 = 0;
  auto& out = sizes.descriptions;
  AddTlb(out, "Instruction TLB, 2M/4M pages, %s, %d entries", r.l1CodeTlb2M);
  AddTlb(out, "Instruction TLB, 4K pages, %s, %d entries", r.l1CodeTlb4K);
  AddCache(out, "Instruction cache", r.l1Code);
  AddTlb(out, "Data TLB, 2M/4M pages, %s, %d entries", r.l1DataTlb2M);
  AddTlb(out, "Data TLB, 4K pages, %s, %d entries", r.l1DataTlb4K);
  AddCache(out, "Data cache", r.l1Data);
  AddTlb(out, "L2 Instruction TLB, 2M/4M pages, %s, %d entries", r.l2CodeTlb2M);
  AddTlb(out, "L2 Instruction TLB, 4K pages, %s, %d entries", r.l2CodeTlb4K);
  AddTlb(out, "L2 Data TLB, 2M/4M pages, %s, %d entries", r.l2DataTlb2M);
  AddTlb(out, "L2 Data TLB, 4K pages, %s, %d entries", r.l2DataTlb4K);
  if (sizes.level2 != 0) {
    char line[160];
    std::snprintf(line, sizeof line, "Unified cache %dK, 16-way associative, %d byte line size, %d line per tag",
                  sizes.level2, r.l2LineSize, r.l2Byte1);
    out.push_back(line);
  }
}

void DecodeCyrixCache(std::uint32_t leaf5Ecx, CacheSizes& sizes) {
  for (int i = 0; i < 4; ++i)
    if (Byte(leaf5Ecx, i) == 0x80) sizes.level1 = 16;
}

}  // namespace nsx
