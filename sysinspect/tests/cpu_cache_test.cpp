// Cache sizes and descriptions from Intel descriptor bytes and leaf 4, the
// AMD and VIA leaves, the Cyrix test and the known L1 caches.
#include <gtest/gtest.h>

#include "hardware/CacheDescriptors.h"

namespace nsx {
namespace {

TEST(IntelDescriptors, BytesInRegisterOrderAndTheFourTables) {
  CacheSizes s;
  EXPECT_FALSE(DecodeIntelDescriptors({0x03020101, 0, 0, 0x0C040843}, 6, 7, s));
  EXPECT_EQ(s.descriptions,
            (std::vector<std::string>{"Instruction TLB, 4K pages, 4-way set associative, 32 entries",
                                      "Instruction TLB, 4M pages, fully associative, 2 entries",
                                      "Data TLB, 4K pages, 4-way set associative, 64 entries",
                                      "Unified cache, 32 byte cache line, 4-way set associative, 512K",
                                      "Instruction cache 16K, 4-way set associative, 32 byte line size",
                                      "Data TLB, 4M pages, 4-way set associative, 8 entries",
                                      "Data cache, 16K, 4-way set associative, 32 byte line size"}));
  EXPECT_EQ(s.level2, 512);
  EXPECT_EQ(s.level1Code, 16);
  EXPECT_EQ(s.level1Data, 16);
  EXPECT_EQ(s.level1, 32);
  EXPECT_EQ(s.level3, 0);
}

// Level 2 and level 3 each take their last byte; 0x22, 0x23, 0x25 and 0x29
// are the L3 of the Pentium 4 Xeon MP, 0x49 only on family 15 model 6.
TEST(IntelDescriptors, EachLevelTakesItsLastByte) {
  struct Case {
    std::uint32_t ebx;
    int family, model, level2, level3;
  };
  const Case cases[] = {
      // EBX (bytes low first)  family model L2  L3
      {0x00002343, 15, 2, 512, 1024},   // 0x43 then 0x23
      {0x00004329, 15, 2, 512, 4096},   // 0x29 then 0x43
      {0x00447B22, 15, 2, 1024, 512},   // 0x22, 0x7B, 0x44
      {0x00007B49, 15, 6, 512, 4096},   // the Xeon MP's L3
      {0x00007B49, 6, 15, 512, 0},      // 0x7B comes after 0x49
      {0x0000497B, 6, 15, 4096, 0},     // a Core 2's 4 MB L2
      {0x0000EC4E, 6, 29, 6144, 24576},
  };
  for (const auto& c : cases) {
    CacheSizes s;
    DecodeIntelDescriptors({0x00000001, c.ebx, 0, 0}, c.family, c.model, s);
    EXPECT_EQ(s.level2, c.level2) << std::hex << c.ebx;
    EXPECT_EQ(s.level3, c.level3) << std::hex << c.ebx;
  }
}

TEST(IntelDescriptors, RepeatedBytesAddUpAndRepeatTheirText) {
  CacheSizes s;
  DecodeIntelDescriptors({0x06060601, 0x00000068, 0, 0x00007272}, 6, 0, s);
  EXPECT_EQ(s.level1Code, 8 * 3 + 32 * 2);
  EXPECT_EQ(s.level1Data, 32);
  EXPECT_EQ(s.level1, 8 * 3 + 32 * 2 + 32);
  EXPECT_EQ(s.descriptions.size(), 6u);
  EXPECT_EQ(s.descriptions[0], s.descriptions[2]);
}

TEST(IntelDescriptors, TheCountByteIsNoDescriptorAndUnknownBytesDoNothing) {
  CacheSizes s;
  EXPECT_FALSE(DecodeIntelDescriptors({0x00260741, 0x817E0000, 0, 0}, 6, 0, s));  // count byte 0x41 must not count
  EXPECT_EQ(s.level2, 0);
  EXPECT_TRUE(s.descriptions.empty());
}

TEST(IntelDescriptors, ByteFFSendsToLeaf4) {
  CacheSizes s;
  EXPECT_TRUE(DecodeIntelDescriptors({0x00FEFF01, 0x000000F0, 0, 0}, 6, 14, s));
  EXPECT_EQ(s.descriptions, (std::vector<std::string>{"No cache information in leaf 2, see CPUID leaf 4",
                                                      "No TLB information in leaf 2, see CPUID leaf 0x18",
                                                      "64 byte prefetching"}));
  EXPECT_EQ(s.level1 + s.level2 + s.level3, 0);
}

// Leaf 4 of a Core i7-8700 (six cores): the sizes are ways x partitions x
// line size x sets of each cache.
TEST(DeterministicCaches, SizesAndTextsOfEachCacheUpToTheNullType) {
  const std::vector<platform::CpuIdRegisters> leaf4 = {
      {0x1C004121, 0x01C0003F, 0x0000003F, 0},
      {0x1C004122, 0x01C0003F, 0x0000003F, 0},
      {0x1C004143, 0x00C0003F, 0x000003FF, 0},
      {0x1C03C163, 0x03C0003F, 0x00002FFF, 6},
      {0, 0, 0, 0},
      {0x1C004143, 0x00C0003F, 0x000003FF, 0},  // after the end: not read
  };
  CacheSizes s;
  s.level2 = 999;  // what leaf 2 said is replaced
  s.descriptions = {"No cache information in leaf 2, see CPUID leaf 4"};
  DecodeDeterministicCaches(leaf4, s);
  EXPECT_EQ(s.level1Data, 32);
  EXPECT_EQ(s.level1Code, 32);
  EXPECT_EQ(s.level1, 64);
  EXPECT_EQ(s.level2, 256);
  EXPECT_EQ(s.level3, 12288);
  EXPECT_EQ(s.descriptions,
            (std::vector<std::string>{"No cache information in leaf 2, see CPUID leaf 4",
                                      "Data cache, 32K, 8-way set associative, 64 byte line size",
                                      "Instruction cache, 32K, 8-way set associative, 64 byte line size",
                                      "Unified cache, 64 byte cache line, 4-way set associative, 256K",
                                      "Unified L3 cache, 64 byte cache line, 16-way set associative, 12M"}));
  // Nothing listed: the sizes stay.
  CacheSizes none;
  none.level2 = 512;
  DecodeDeterministicCaches({{0, 0, 0, 0}}, none);
  EXPECT_EQ(none.level2, 512);
  // A fully associative cache says so; a 1.5 MB one counts in KB.
  CacheSizes odd;
  DecodeDeterministicCaches({{0x00000363, 0x02C0003F, 0x000007FF, 0}}, odd);
  EXPECT_EQ(odd.level3, 1536);
  EXPECT_EQ(odd.descriptions.back(), "Unified L3 cache, 64 byte cache line, fully associative, 1536K");
}

TEST(AmdCache, RecordFieldsAreWholeBytes) {
  auto r = DecodeAmdRecord({0x0408FF08, 0xFF20FF10, 0x40020140, 0x20010230},
                           {0x11223344, 0x42004200, 0x01008140, 0});
  EXPECT_EQ(r.l1DataTlb2M.entries, 0x08);
  EXPECT_EQ(r.l1DataTlb2M.associativity, 0x04);
  EXPECT_EQ(r.l1CodeTlb2M.entries, 0x08);
  EXPECT_EQ(r.l1CodeTlb2M.associativity, 0xFF);
  EXPECT_EQ(r.l1DataTlb4K.entries, 0x20);
  EXPECT_EQ(r.l1CodeTlb4K.entries, 0x10);
  EXPECT_EQ(r.l1Data.lineSize, 0x40);
  EXPECT_EQ(r.l1Data.linesPerTag, 0x01);
  EXPECT_EQ(r.l1Data.associativity, 0x02);
  EXPECT_EQ(r.l1Data.sizeKB, 0x40);
  EXPECT_EQ(r.l1Code.lineSize, 0x30);
  EXPECT_EQ(r.l1Code.sizeKB, 0x20);
  EXPECT_EQ(r.l2DataTlb2M.entries, 0x22);
  EXPECT_EQ(r.l2DataTlb2M.associativity, 0x11);
  EXPECT_EQ(r.l2CodeTlb2M.entries, 0x44);
  EXPECT_EQ(r.l2CodeTlb2M.associativity, 0x33);
  EXPECT_EQ(r.l2DataTlb4K.entries, 0x00);
  EXPECT_EQ(r.l2DataTlb4K.associativity, 0x42);
  EXPECT_EQ(r.l2LineSize, 0x40);
  EXPECT_EQ(r.l2Byte1, 0x81);
  EXPECT_EQ(r.l2SizeHigh, 0x01);
}

TEST(AmdCache, AssociativityNames) {
  const std::pair<int, const char*> names[] = {
      {0, "Off"}, {1, "Direct mapped"}, {2, "2-way associative"}, {3, "fully associative"},
      {4, "4-way associative"}, {6, "8-way associative"}, {8, "16-way associative"}, {10, "32-way associative"},
      {14, "128-way associative"}, {15, "fully associative"},
      {255, "fully associative"},
  };
  for (const auto& [code, name] : names) EXPECT_EQ(AmdAssociativityName(static_cast<std::uint8_t>(code)), name);
}

AmdCacheRecord WithL2(std::uint32_t c6) { return DecodeAmdRecord({}, {0, 0, c6, 0}); }

// L2 from leaf 0x80000006 on every processor; family 6 models 6 and 7 keep
// their rule (256, or 64 on a Duron, for a field of 256 KB or more), and the
// parts of AMD's erratum T13 have the size they really have.
TEST(AmdCache, Level2FromTheLeafAndTheErrata) {
  struct Case {
    int family, model, stepping;
    std::uint32_t c6;
    const char* name;
    int level2;
  };
  const Case cases[] = {
      // family model stepping C6  brand  Level2
      {6, 7, 1, 0x00408140, "AMD Duron(tm) Processor", 64},  // the field: 64 KB
      {6, 6, 2, 0x01008140, "AMD Athlon(tm) XP 1800+", 256},
      {6, 7, 0, 0x01008140, "AMD Duron(tm)", 64},
      {6, 6, 2, 0x02008140, "AMD Athlon(tm) MP", 256},
      {6, 4, 2, 0x01008140, "AMD Athlon(tm)", 256},
      {6, 8, 1, 0x02008140, "AMD Athlon(tm) XP 2600+", 512},
      {15, 15, 0, 0x02008140, "AMD Athlon(tm) 64", 512},
      {6, 3, 0, 0x00018140, "AMD Duron(tm) A0", 64},      // erratum T13
      {6, 4, 1, 0x00018140, "AMD Athlon(tm) A2", 256},    // erratum T13
      {6, 3, 1, 0x00408140, "AMD Duron(tm)", 64},
      {6, 3, 0, 0x00000000, "no leaf 0x80000006", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CacheSizes s;
    DecodeAmdCache(WithL2(c.c6), {0, c.family, c.model, c.stepping}, c.name, s);
    EXPECT_EQ(s.level2, c.level2);
    EXPECT_EQ(s.level3, 0);
    bool unified = !s.descriptions.empty() && s.descriptions.back().rfind("Unified cache", 0) == 0;
    EXPECT_EQ(unified, c.level2 != 0);
  }
}

TEST(AmdCache, DescriptionsInOrderEachOnlyWhenItsFieldsAreSet) {
  // Every TLB with entries and associativity, both L1 caches, L2 and L3.
  auto r = DecodeAmdRecord({0x0408FF08, 0xFF20FF10, 0x40020140, 0x40020140},
                           {0x02100420, 0x04200840, 0x01008140, 0x0010A140});
  CacheSizes s;
  DecodeAmdCache(r, {0, 6, 6, 2}, "AMD Athlon(tm) XP", s);
  EXPECT_EQ(s.descriptions,
            (std::vector<std::string>{
                "Instruction TLB, 2M/4M pages, fully associative, 8 entries",
                "Instruction TLB, 4K pages, fully associative, 16 entries",
                "Instruction cache 64K, 2-way associative, 64 byte line size, 1 line per tag",
                "Data TLB, 2M/4M pages, 4-way associative, 8 entries",
                "Data TLB, 4K pages, fully associative, 32 entries",
                "Data cache 64K, 2-way associative, 64 byte line size, 1 line per tag",
                "L2 Instruction TLB, 2M/4M pages, 4-way associative, 32 entries",
                "L2 Instruction TLB, 4K pages, 16-way associative, 64 entries",
                "L2 Data TLB, 2M/4M pages, 2-way associative, 16 entries",
                "L2 Data TLB, 4K pages, 4-way associative, 32 entries",
                "Unified cache 256K, 16-way associative, 64 byte line size, 1 line per tag",
                "Unified L3 cache 2048K, 32-way associative, 64 byte line size, 1 line per tag",
            }));
  EXPECT_EQ(s.level1, 128);
  EXPECT_EQ(s.level3, 2048);
  // A TLB with entries but associativity 0 (or the reverse) is left out.
  CacheSizes t;
  DecodeAmdCache(DecodeAmdRecord({0x00080400, 0, 0, 0}, {}), {0, 6, 6, 2}, "", t);
  EXPECT_TRUE(t.descriptions.empty());
}

// The C3 of models 7 and 8 gives its L2 in the layout of its L1 fields; the
// later models (and other Centaur parts) use AMD's.
TEST(ViaCache, TheC3sLevel2LayoutAndAmdsElsewhere) {
  const platform::CpuIdRegisters leaf5 = {0, 0x08800880, 0x40040120, 0x40040120};
  struct Case {
    int model;
    std::uint32_t c6;
    int level2;
    const char* line;
  };
  const Case cases[] = {
      {8, 0x40040120, 64, "Unified cache 64K, 4-way associative, 32 byte line size, 1 line per tag"},
      {7, 0x40040120, 64, "Unified cache 64K, 4-way associative, 32 byte line size, 1 line per tag"},
      {9, 0x00408140, 64, "Unified cache 64K, 16-way associative, 64 byte line size, 1 line per tag"},
      {6, 0x00000000, 0, "Data cache 64K, 4-way associative, 32 byte line size, 1 line per tag"},
  };
  for (const auto& c : cases) {
    CacheSizes s;
    DecodeViaCache(DecodeAmdRecord(leaf5, {0, 0, c.c6, 0}), {0, 6, c.model, 0}, s);
    EXPECT_EQ(s.level1Data, 64) << c.model;
    EXPECT_EQ(s.level1Code, 64) << c.model;
    EXPECT_EQ(s.level2, c.level2) << c.model;
    EXPECT_EQ(s.descriptions.back(), c.line) << c.model;
  }
}

// Processors without cache leaves get the L1 their data sheets give; one
// whose leaves said anything keeps it.
TEST(KnownLevel1, OnlyWhereCpuidToldNothing) {
  struct Case {
    int vendor, family, model;
    int given, data, code, total;
  };
  const Case cases[] = {
      // vendor family model given-L1  L1D L1C L1
      {1, 5, 4, 0, 16, 16, 32},  // Pentium MMX
      {1, 5, 2, 0, 8, 8, 16},    // Pentium (P54C)
      {1, 4, 8, 0, 0, 0, 16},    // IntelDX4: unified
      {3, 6, 0, 0, 0, 0, 64},    // 6x86MX: unified
      {2, 5, 0, 0, 8, 16, 24},   // K5
      {3, 6, 0, 16, 0, 0, 16},   // the Cyrix leaf said 16 KB
      {1, 6, 9, 0, 0, 0, 0},     // no row
  };
  for (const auto& c : cases) {
    CacheSizes s;
    s.level1 = c.given;
    AddKnownLevel1Caches(c.vendor, {0, c.family, c.model, 0}, s);
    EXPECT_EQ(s.level1Data, c.data) << c.vendor << "/" << c.family << "/" << c.model;
    EXPECT_EQ(s.level1Code, c.code) << c.vendor << "/" << c.family << "/" << c.model;
    EXPECT_EQ(s.level1, c.total) << c.vendor << "/" << c.family << "/" << c.model;
  }
}

TEST(CyrixCache, A0x80ByteAnywhereInEcxGives16KB) {
  for (std::uint32_t ecx : {0x00000080u, 0x00008000u, 0x00800000u, 0x80000000u}) {
    CacheSizes s;
    DecodeCyrixCache(ecx, s);
    EXPECT_EQ(s.level1, 16) << std::hex << ecx;
    EXPECT_EQ(s.level1Data + s.level1Code, 0);
    EXPECT_TRUE(s.descriptions.empty());
  }
  CacheSizes none;
  DecodeCyrixCache(0x7F818F08u, none);
  EXPECT_EQ(none.level1, 0);
}

}  // namespace
}  // namespace nsx
