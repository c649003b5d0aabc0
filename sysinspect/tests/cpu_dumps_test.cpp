// Processors read from real machines and written from the vendors' published
// identification values: vendor, names, family/model/stepping, the cache
// sizes the processors really have, and the descriptor texts, as the CPU
// topic gathers and reports them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CpuTestMachine.h"
#include "hardware/NSX_CPU.h"

namespace nsx {
namespace {

const char kIntel[] = "Intel Corporation";
const char kAMD[] = "Advanced Micro Devices";

// Intel descriptor texts by byte.
const char k01[] = "Instruction TLB, 4K pages, 4-way set associative, 32 entries";
const char k02[] = "Instruction TLB, 4M pages, fully associative, 2 entries";
const char k03[] = "Data TLB, 4K pages, 4-way set associative, 64 entries";
const char k04[] = "Data TLB, 4M pages, 4-way set associative, 8 entries";
const char k08[] = "Instruction cache 16K, 4-way set associative, 32 byte line size";
const char k0C[] = "Data cache, 16K, 4-way set associative, 32 byte line size";
const char k40[] = "No L2 cache (P6 family), or No L3 cache (Pentium 4 and Xeon processors)";
const char k41[] = "Unified cache, 32 byte cache line,4-way set associative, 128K";
const char k42[] = "Unified cache, 32 byte cache line, 4-way set associative, 256K";
const char k43[] = "Unified cache, 32 byte cache line, 4-way set associative, 512K";
const char k50[] = "Instruction TLB, 4K, 2M or 4M pages, fully associative, 64 entries";
const char k5B[] = "Data TLB, 4K or 4M pages, fully associative, 64 entries";
const char k66[] = "Data cache, sectored, 64 byte cache line, 4 way set associative, 8K";
const char k70[] = "Instruction Trace cache, 8 way set associative, 12K uOps";
const char k7B[] = "Unified cache, sectored, 64 byte cache line, 8 way set associative, 512K";
const char k82[] = "Unified cache, 32 byte cache line, 8 way set associative, 256K";

const char k83[] = "Unified cache, 32 byte cache line, 8 way set associative, 512K";
const char kB0[] = "Instruction TLB, 4K pages, 4-way set associative, 128 entries";
const char kB3[] = "Data TLB, 4K pages, 4-way set associative, 128 entries";
const char k2C[] = "Data cache, 32K, 8-way set associative, 64 byte line size";
const char k30[] = "Instruction cache, 32K, 8-way set associative, 64 byte line size";

// AMD lines shared by the K7 family and the K6 family.
const char kK7Code2M[] = "Instruction TLB, 2M/4M pages, fully associative, 8 entries";
const char kK7Code4K[] = "Instruction TLB, 4K pages, fully associative, 16 entries";
const char kK7Code[] = "Instruction cache 64K, 2-way associative, 64 byte line size, 1 line per tag";
const char kK7Data2M[] = "Data TLB, 2M/4M pages, 4-way associative, 8 entries";
const char kK7Data4K24[] = "Data TLB, 4K pages, fully associative, 24 entries";
const char kK7Data4K32[] = "Data TLB, 4K pages, fully associative, 32 entries";
const char kK7Data[] = "Data cache 64K, 2-way associative, 64 byte line size, 1 line per tag";
const char kK7L2of256[] = "Unified cache 256K, 16-way associative, 64 byte line size, 1 line per tag";
const char kK6Code4K[] = "Instruction TLB, 4K pages, Direct mapped, 64 entries";
const char kK6Code[] = "Instruction cache 32K, 2-way associative, 32 byte line size, 2 line per tag";
const char kK6Data4K[] = "Data TLB, 4K pages, 2-way associative, 128 entries";
const char kK6Data[] = "Data cache 32K, 2-way associative, 32 byte line size, 2 line per tag";
// The VIA C3 (Ezra): 8-way TLBs of 128 entries, 64 KB L1 caches and L2.
const std::vector<std::string> kC3Lines = {
    "Instruction TLB, 4K pages, 8-way associative, 128 entries",
    "Instruction cache 64K, 4-way associative, 32 byte line size, 1 line per tag",
    "Data TLB, 4K pages, 8-way associative, 128 entries",
    "Data cache 64K, 4-way associative, 32 byte line size, 1 line per tag",
    "Unified cache 64K, 4-way associative, 32 byte line size, 1 line per tag"};

struct DumpCase {
  const char* file;
  bool shared;  // from the shared set of real machines
  double clockMHz;
  const char* vendor;
  const char* friendlyName;
  const char* codeName;
  int family, model, stepping;
  int level1Data, level1Code, level1, level2, level3;  // KB, as the processor really has them
  std::vector<std::string> descriptions;
};

// The cache sizes are the processors' own, from the vendors' documents:
// the Athlon 64 3200+ (signature 0x20FF0, a 512 KB core by AMD's revision
// guide #25759) from the Athlon 64 Product Data Sheet #24659; the Athlon
// slot A (model 2) from the Athlon Processor Data Sheet #21016 (512 KB L2
// on the module); the Athlon XP model 8 (Thoroughbred) from data sheet
// #26237; the Athlon model 4 (Thunderbird) from #23792, the Athlon XP model 6
// (Palomino) from #24309 and the Duron model 7 (Morgan) from #24310 (256,
// 256 and 64 KB of L2); the K6 and K6-2 from the AMD-K6 and AMD-K6-2 data
// sheets #20695 and #21850 (32 KB + 32 KB L1, no L2 on the chip); Intel's
// Pentium with MMX technology, Mobile Pentium II (Dixon, 256 KB on-die L2),
// Pentium II and Pentium III (512 KB), Celeron (Mendocino, 128 KB), Pentium
// III Coppermine (256 KB) and Tualatin (512 KB), Pentium 4 Northwood (8 KB
// L1 data, 12K-uop trace cache counted as 12, 512 KB L2) data sheets; the
// ultra-low-voltage Celeron 600 MHz (Banias core with no L2, as its
// descriptor 0x40 states) from the Celeron M data sheet; the Core i7-8700
// (32 KB + 32 KB L1, 256 KB L2, 12 MB L3) from the 8th Generation Core
// Processor Families Datasheet, volume 1; the VIA C3 Ezra and Ezra-T
// (64 KB + 64 KB L1, 64 KB L2) from VIA's C3 data sheets; the Cyrix
// 6x86MX (64 KB unified L1) from its data sheet.
const std::vector<DumpCase>& Cases() {
  static const std::vector<DumpCase> cases = {
      // file  shared  clock  vendor  FriendlyName  CodeName  family model stepping  L1D L1C L1 L2 L3  descriptions
      {"amd-athlon-64-processor-3200+.txt", true, 2000, kAMD, "AMD Athlon(tm) 64 Processor 3200+", "", 15, 15, 0,
       64, 64, 128, 512, 0,
       {kK7Code2M, "Instruction TLB, 4K pages, fully associative, 32 entries", kK7Code,
        "Data TLB, 2M/4M pages, fully associative, 8 entries", kK7Data4K32, kK7Data,
        "Unified cache 512K, 16-way associative, 64 byte line size, 1 line per tag"}},
      {"amd-athlon-processor.txt", true, 700, kAMD, "Athlon", "K75 (0.18 \xB5m)", 6, 2, 2, 64, 64, 128, 512, 0,
       {kK7Code2M, kK7Code4K, kK7Code, kK7Data2M, kK7Data4K24, kK7Data,
        "Unified cache 512K, 2-way associative, 64 byte line size, 1 line per tag"}},
      {"amd-athlon-xp.txt", true, 1800, kAMD, "Athlon", "Thoroughbred (0.13 \xB5m)", 6, 8, 1, 64, 64, 128, 256, 0,
       {kK7Code2M, kK7Code4K, kK7Code, kK7Data2M, kK7Data4K32, kK7Data, kK7L2of256}},
      {"amd-k6-2-chomper.txt", true, 350, kAMD, "K6-II", "Chomper (0.25 \xB5m)", 5, 8, 0, 32, 32, 64, 0, 0,
       {kK6Code4K, kK6Code, kK6Data4K, kK6Data}},
      {"amd-k6.txt", true, 233, kAMD, "K6", "K6 (0.30 \xB5m)", 5, 6, 2, 32, 32, 64, 0, 0,
       {kK6Code4K, kK6Code, kK6Data4K, kK6Data}},
      {"intel-celeron-processor-600mhz.txt", true, 600, kIntel, "Intel(R) Celeron(R) processor            600MHz", "",
       6, 9, 5, 32, 32, 64, 0, 0, {kB0, kB3, k02, k40, k30, k04, k2C}},
      {"intel-pentium-4-cpu-1.60ghz.txt", true, 1600, kIntel, "Pentium 4", "Northwood (0.13 \xB5m)", 15, 2, 4, 8, 12,
       20, 512, 0, {k50, k5B, k66, k40, k70, k7B}},
      {"intel-pentium-ii-dixon.txt", true, 400, kIntel, "Pentium II PE", "Dixon (0,25\xB5m)", 6, 6, 10, 16, 16, 32,
       256, 0, {k01, k02, k03, k42, k08, k04, k0C}},
      {"intel-pentium-iii-katmai.txt", true, 500, kIntel, "Pentium III", "Katmai (0.25 \xB5m)", 6, 7, 3, 16, 16, 32,
       512, 0, {k01, k02, k03, k43, k08, k04, k0C}},
      {"via-c3-ezra.txt", true, 800, "IDT/Centaur/VIA", "VIA C3", "Ezra-T (0.13\xB5m)", 6, 8, 9, 64, 64, 128, 64, 0,
       kC3Lines},

      {"intel-pentium-mmx.txt", false, 200, kIntel, "Pentium MMX", "P55C (0,28\xB5m)", 5, 4, 3, 16, 16, 32, 0, 0, {}},
      {"intel-pentium-ii-deschutes.txt", false, 400, kIntel, "Pentium II", "Deschutes (0,25\xB5m)", 6, 5, 2, 16, 16,
       32, 512, 0, {k01, k02, k03, k43, k08, k04, k0C}},
      {"intel-celeron-mendocino.txt", false, 366, kIntel, "Celeron A", "Mendocino (0,25\xB5m)", 6, 6, 5, 16, 16, 32,
       128, 0, {k01, k02, k03, k41, k08, k04, k0C}},
      {"intel-pentium-iii-coppermine.txt", false, 866, kIntel, "Pentium III", "Coppermine (0.18 \xB5m)", 6, 8, 3, 16,
       16, 32, 256, 0, {k01, k02, k03, k82, k08, k04, k0C}},
      {"intel-pentium-iii-tualatin.txt", false, 1400, kIntel, "Pentium III", "Tualatin (0.13 \xB5m)", 6, 11, 1, 16, 16,
       32, 512, 0, {k01, k02, k03, k83, k08, k04, k0C}},
      {"intel-pentium-4-northwood.txt", false, 2400, kIntel, "Pentium 4", "Northwood (0.13 \xB5m)", 15, 2, 7, 8, 12,
       20, 512, 0, {k50, k5B, k66, k40, k70, k7B}},
      {"intel-core-i7-8700.txt", false, 3200, kIntel, "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz", "", 6, 14, 10, 32, 32,
       64, 256, 12288,
       {"No cache information in leaf 2, see CPUID leaf 4", "No TLB information in leaf 2, see CPUID leaf 0x18",
        "64 byte prefetching", "Data cache, 32K, 8-way set associative, 64 byte line size",
        "Instruction cache, 32K, 8-way set associative, 64 byte line size",
        "Unified cache, 64 byte cache line, 4-way set associative, 256K",
        "Unified L3 cache, 64 byte cache line, 16-way set associative, 12M"}},
      {"amd-athlon-thunderbird.txt", false, 1200, kAMD, "Athlon", "Thunderbird (0.18 \xB5m)", 6, 4, 2, 64, 64, 128,
       256, 0, {kK7Code2M, kK7Code4K, kK7Code, kK7Data2M, kK7Data4K24, kK7Data, kK7L2of256}},
      {"amd-athlon-xp-palomino.txt", false, 1533, kAMD, "Athlon XP", "Palomino (0.18 \xB5m)", 6, 6, 2, 64, 64, 128,
       256, 0, {kK7Code2M, kK7Code4K, kK7Code, kK7Data2M, kK7Data4K32, kK7Data, kK7L2of256}},
      {"amd-duron-morgan.txt", false, 1000, kAMD, "Duron", "Morgan (0.18 \xB5m)", 6, 7, 1, 64, 64, 128, 64, 0,
       {kK7Code2M, kK7Code4K, kK7Code, kK7Data2M, kK7Data4K32, kK7Data,
        "Unified cache 64K, 16-way associative, 64 byte line size, 1 line per tag"}},
      {"amd-k6-2-cxt.txt", false, 500, kAMD, "K6-II", "Chomper (0.25 \xB5m)", 5, 8, 12, 32, 32, 64, 0, 0,
       {kK6Code4K, kK6Code, kK6Data4K, kK6Data}},
      // A unified L1: no data or code half.
      {"cyrix-6x86mx.txt", false, 200, "Cyrix Corporation", "6x86MX (PR166-266)", "M2 (0.35 \xB5m)", 6, 0, 0, 0, 0, 64,
       0, 0, {}},
      // This dump gives the L1 caches 64-byte lines, the real Ezra-T 32.
      {"via-c3-ezra.txt", false, 800, "IDT/Centaur/VIA", "VIA C3", "Ezra (0.13\xB5m)", 6, 7, 8, 64, 64, 128, 64, 0,
       {kC3Lines[0], "Instruction cache 64K, 4-way associative, 64 byte line size, 1 line per tag", kC3Lines[2],
        "Data cache 64K, 4-way associative, 64 byte line size, 1 line per tag", kC3Lines[4]}},
  };
  return cases;
}

std::string PathOf(const DumpCase& c) {
  return c.shared ? test::SharedCpuIdDump(c.file) : test::OwnCpuIdDump(c.file);
}

TEST(CpuDumps, EveryProcessorGetsItsVendorNamesSignatureAndCaches) {
  for (const auto& c : Cases()) {
    SCOPED_TRACE(PathOf(c));
    test::TestMachine machine(test::MachineWithDump(PathOf(c), c.clockMHz));
    TCPU cpu;
    cpu.GetInfo(1, true);
    EXPECT_EQ(cpu.Vendor(), c.vendor);
    EXPECT_EQ(cpu.FriendlyName(), c.friendlyName);
    EXPECT_EQ(cpu.CodeName(), c.codeName);
    EXPECT_EQ(cpu.Family(), c.family);
    EXPECT_EQ(cpu.Model(), c.model);
    EXPECT_EQ(cpu.Stepping(), c.stepping);
    EXPECT_EQ(cpu.Cache().Level1Data(), c.level1Data);
    EXPECT_EQ(cpu.Cache().Level1Code(), c.level1Code);
    EXPECT_EQ(cpu.Cache().Level1(), c.level1);
    EXPECT_EQ(cpu.Cache().Level2(), c.level2);
    EXPECT_EQ(cpu.Cache().Level3(), c.level3);
    EXPECT_EQ(cpu.Cache().Descriptions(), c.descriptions);
  }
}

// The report carries the same values, each description on its own line.
TEST(CpuDumps, ReportWritesTheThreeElementsOfEveryProcessor) {
  for (const auto& c : Cases()) {
    SCOPED_TRACE(PathOf(c));
    test::TestMachine machine(test::MachineWithDump(PathOf(c), c.clockMHz));
    TCPU cpu;
    cpu.GetInfo(1, true);
    TReportList list(1252);
    cpu.Report(list, false);
    const auto& lines = list.Lines();
    ASSERT_EQ(lines.size(), 24u + 33u + 6u + c.descriptions.size());
    EXPECT_EQ(lines[0], "<CPU classname=\"TCPU\">");
    EXPECT_EQ(lines[8], std::string("<data name=\"FriendlyName\" type=\"string\" source=\"CPUID\">") +
                            EscapeXML(c.friendlyName) + "</data>");
    EXPECT_EQ(lines[9],
              std::string("<data name=\"CodeName\" type=\"string\" source=\"CPUID\">") + c.codeName + "</data>");
    EXPECT_EQ(lines[20], "<data name=\"Frequency\" type=\"integer\" source=\"CPUID\" unit=\"MHz\">" +
                             std::to_string(RoundFrequency(static_cast<int>(c.clockMHz))) + "</data>");
    EXPECT_EQ(lines[23], "</CPU>");
    EXPECT_EQ(lines[24], "<CPUFeatures classname=\"TCPUFeatures\">");
    EXPECT_EQ(lines[56], "</CPUFeatures>");
    EXPECT_EQ(lines[57], "<CPUCache classname=\"TCPUCache\">");
    EXPECT_EQ(lines[59], "<data name=\"Level1Code\" type=\"integer\" source=\"CPUID\" unit=\"KB\">" +
                             std::to_string(c.level1Code) + "</data>");
    EXPECT_EQ(lines[60], "<data name=\"Level2\" type=\"integer\" source=\"CPUID\" unit=\"KB\">" +
                             std::to_string(c.level2) + "</data>");
    for (size_t i = 0; i < c.descriptions.size(); ++i)
      EXPECT_EQ(lines[62 + i], "<data name=\"CacheDescriptions\" type=\"string\" source=\"CPUID\">" +
                                   c.descriptions[i] + "</data>");
    EXPECT_EQ(lines.back(), "</CPUCache>");
  }
}

TEST(CpuDumps, BrandStringIsReportedTrimmedButKeptAsStored) {
  test::TestMachine machine(test::MachineWithDump(test::SharedCpuIdDump("intel-pentium-4-cpu-1.60ghz.txt"), 1600));
  TCPU cpu;
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.CPUIDNameString(), "              Intel(R) Pentium(R) 4 CPU 1.60GHz");
  EXPECT_EQ(cpu.Cache().NameString(), cpu.CPUIDNameString());
  TReportList list(1252);
  cpu.Report(list, false);
  EXPECT_EQ(list[7], "<data name=\"NameString\" type=\"string\" source=\"CPUID\">Intel(R) Pentium(R) 4 CPU 1.60GHz</data>");
  EXPECT_EQ(cpu.FamilyType(), cf786);
  EXPECT_EQ(cpu.Architecture(), IA_32);
  EXPECT_EQ(cpu.Brand(), 9);
  EXPECT_EQ(cpu.SerialNumber(), "0000-0F24-3FEB-FBFF-0000-0000");
}

TEST(CpuDumps, ExtendedFamilyComesFromTheExtendedLeaf) {
  // The Athlon 64 repeats its signature in leaf 0x80000001: extended family
  // 15, which no family class knows.
  test::TestMachine machine(
      test::MachineWithDump(test::SharedCpuIdDump("amd-athlon-64-processor-3200+.txt"), 2000));
  TCPU cpu;
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.ExtendedFamily(), 15);
  EXPECT_EQ(cpu.ExtendedModel(), 15);
  EXPECT_EQ(cpu.ExtendedStepping(), 0);
  EXPECT_EQ(cpu.FamilyType(), cfUnknown);
  EXPECT_EQ(cpu.Architecture(), IA_32);
  EXPECT_EQ(cpu.MaximumExtendedFunctionLevel(), 0x80000018u);
  EXPECT_EQ(cpu.MaximumFunctionLevel(), 1u);
}

TEST(CpuDumps, FeatureFlagsFollowTheFeatureRegisters) {
  struct Expect {
    const char* file;
    bool shared;
    bool mmx, sse, sse2, htt, _3dnow, ex3dnow, exmmx, psn;
  };
  const Expect cases[] = {
      // file  shared  MMX SSE SSE2 HTT 3DNow Ex3DNow ExMMX PSN
      {"amd-athlon-xp.txt", true, true, true, false, false, true, true, true, false},
      {"amd-k6.txt", true, true, false, false, false, false, false, false, false},
      {"amd-k6-2-chomper.txt", true, true, false, false, false, true, false, false, false},
      {"intel-pentium-4-cpu-1.60ghz.txt", true, true, true, true, true, false, false, false, false},
      {"intel-pentium-iii-coppermine.txt", false, true, true, false, false, false, false, false, true},
      {"intel-core-i7-8700.txt", false, true, true, true, true, false, false, false, false},
      {"via-c3-ezra.txt", true, true, false, false, false, true, false, false, false},
  };
  for (const auto& c : cases) {
    std::string path = c.shared ? test::SharedCpuIdDump(c.file) : test::OwnCpuIdDump(c.file);
    SCOPED_TRACE(path);
    test::TestMachine machine(test::MachineWithDump(path, 1000));
    TCPU cpu;
    cpu.GetInfo(1, true);
    const auto& f = cpu.Features();
    EXPECT_TRUE(f.FPU());
    EXPECT_EQ(f.MMX(), c.mmx);
    EXPECT_EQ(f.SSE(), c.sse);
    EXPECT_EQ(f.SSE2(), c.sse2);
    EXPECT_EQ(f.HTT(), c.htt);
    EXPECT_EQ(f._3DNOW(), c._3dnow);
    EXPECT_EQ(f.EX_3DNOW(), c.ex3dnow);
    EXPECT_EQ(f.EX_MMX(), c.exmmx);
    EXPECT_EQ(f.PSN(), c.psn);
  }
}

}  // namespace
}  // namespace nsx
