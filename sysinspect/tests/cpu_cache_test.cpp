// Cache sizes and descriptions from Intel descriptor bytes, the AMD leaves
// and the Cyrix test.
#include <gtest/gtest.h>

#include "hardware/CacheDescriptors.h"

namespace nsx {
namespace {

TEST(IntelDescriptors, BytesInRegisterOrderAndTheFourTables) {
  CacheSizes s;
  DecodeIntelDescriptors({0x03020101, 0, 0, 0x0C040843}, s);
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

TEST(IntelDescriptors, TheLastLevel2ByteWinsAndSizesWithoutTextCount) {
  CacheSizes s;
  DecodeIntelDescriptors({0x00000001, 0x00002343, 0, 0}, s);  // 0x43 then 0x23
  EXPECT_EQ(s.level2, 1024);
  EXPECT_EQ(s.descriptions.size(), 1u);  // 0x23 has no text
  CacheSizes t;
  DecodeIntelDescriptors({0x00000001, 0x00004329, 0, 0}, t);  // 0x29 then 0x43
  EXPECT_EQ(t.level2, 512);
}

TEST(IntelDescriptors, RepeatedBytesAddUpAndRepeatTheirText) {
  CacheSizes s;
  DecodeIntelDescriptors({0x06060601, 0x00000068, 0, 0x00007272}, s);
  EXPECT_EQ(s.level1Code, 8 * 3 + 32 * 2);
  EXPECT_EQ(s.level1Data, 32);
  EXPECT_EQ(s.level1, 8 * 3 + 32 * 2 + 32);
  EXPECT_EQ(s.descriptions.size(), 6u);
  EXPECT_EQ(s.descriptions[0], s.descriptions[2]);
}

TEST(IntelDescriptors, TheCountByteIsNoDescriptorAndUnknownBytesDoNothing) {
  CacheSizes s;
  DecodeIntelDescriptors({0x00FFFE41, 0xB0B1B2F0, 0, 0}, s);  // count byte 0x41 must not count
  EXPECT_EQ(s.level2, 0);
  EXPECT_TRUE(s.descriptions.empty());
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
      {4, "4-way associative"}, {6, "8-way associative"}, {8, "16-way associative"}, {15, "fully associative"},
      {255, "fully associative"},
  };
  for (const auto& [code, name] : names) EXPECT_EQ(AmdAssociativityName(static_cast<std::uint8_t>(code)), name);
}

AmdCacheRecord WithL2(std::uint32_t c6) { return DecodeAmdRecord({}, {0, 0, c6, 0}); }

TEST(AmdCache, Level2OnlyForFamily6Models6And7) {
  struct Case {
    int family, model;
    std::uint32_t c6;
    const char* name;
    int level2;
  };
  const Case cases[] = {
      // family model C6 brand  Level2
      {6, 7, 0x00408140, "AMD Duron(tm) Processor", 0},   // 64 KB: high byte 0
      {6, 6, 0x01008140, "AMD Athlon(tm) XP 1800+", 256},
      {6, 7, 0x01008140, "AMD Duron(tm)", 64},
      {6, 6, 0x02008140, "AMD Athlon(tm) MP", 256},
      {6, 4, 0x01008140, "AMD Athlon(tm)", 0},
      {6, 8, 0x02008140, "AMD Athlon(tm) XP 2600+", 0},
      {15, 7, 0x02008140, "AMD Athlon(tm) 64", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CacheSizes s;
    DecodeAmdCache(WithL2(c.c6), c.family, c.model, c.name, s);
    EXPECT_EQ(s.level2, c.level2);
    bool unified = !s.descriptions.empty() && s.descriptions.back().rfind("Unified cache", 0) == 0;
    EXPECT_EQ(unified, c.level2 != 0);
  }
}

TEST(AmdCache, DescriptionsInOrderEachOnlyWhenItsFieldsAreSet) {
  // Every TLB with entries and associativity, both L1 caches, the L2 line.
  auto r = DecodeAmdRecord({0x0408FF08, 0xFF20FF10, 0x40020140, 0x40020140},
                           {0x02100420, 0x04200840, 0x01008140, 0});
  CacheSizes s;
  DecodeAmdCache(r, 6, 6, "AMD Athlon(tm) XP", s);
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
                "Unified cache 256K, 16-way associative, 64 byte line size, 129 line per tag",
            }));
  EXPECT_EQ(s.level1, 128);
  // A TLB with entries but associativity 0 (or the reverse) is left out.
  CacheSizes t;
  DecodeAmdCache(DecodeAmdRecord({0x00080400, 0, 0, 0}, {}), 6, 6, "", t);
  EXPECT_TRUE(t.descriptions.empty());
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
