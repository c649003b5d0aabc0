// The CPU topic on simulated machines: registry values of processor 0, the
// clock measurement framed by the priority raise, edge cases of the
// identification, the leaf-2 protocol, the feature list and the report.
#include <gtest/gtest.h>

#include <algorithm>

#include "CpuTestMachine.h"
#include "hardware/NSX_CPU.h"
#include "platform/sim/RegFile.h"

namespace nsx {
namespace {

using platform::CpuIdRegisters;

// Leaf 0 with a vendor string, leaf 1 with a signature and brand index.
sim::SimMachine Processor(const char* vendor, std::uint32_t signature, std::uint32_t brand = 0,
                          double clockMHz = 1000) {
  sim::SimMachine m = test::WinXPSP3();
  std::uint32_t r[3] = {};
  for (int i = 0; i < 12 && vendor[i]; ++i) r[i / 4] |= static_cast<std::uint32_t>(static_cast<unsigned char>(vendor[i])) << (8 * (i % 4));
  m.processor.leaves[0] = {2, r[0], r[2], r[1]};
  m.processor.leaves[1] = {signature, brand, 0, 0};
  m.processor.clockMHz = clockMHz;
  return m;
}

void SetBrandString(sim::SimMachine& m, const std::string& text) {
  std::string padded = text;
  padded.resize(48, '\0');
  for (int leaf = 0; leaf < 3; ++leaf) {
    std::uint32_t v[4] = {};
    for (int i = 0; i < 16; ++i)
      v[i / 4] |= static_cast<std::uint32_t>(static_cast<unsigned char>(padded[leaf * 16 + i])) << (8 * (i % 4));
    m.processor.leaves[0x80000002u + leaf] = {v[0], v[1], v[2], v[3]};
  }
}

void LoadRegistry(sim::SimMachine& m, const std::string& text) { sim::LoadRegFile(text, 1252, "test.reg", m.registry); }

const char kProcessorKey[] =
    "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0]\n";

TEST(TCPU, RegistryValuesOfProcessor0AreReported) {
  auto m = Processor("GenuineIntel", 0x00000F27, 9);
  LoadRegistry(m, std::string(kProcessorKey) +
                      "\"VendorIdentifier\"=\"GenuineIntel\"\n"
                      "\"Identifier\"=\"x86 Family 15 Model 2 Stepping 7\"\n"
                      "\"ProcessorNameString\"=\"  Intel(R) Pentium(R) 4 <2.4>\"\n"
                      "\"~MHz\"=dword:00000960\n");
  test::TestMachine machine(m);
  TCPU cpu;
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.RegVendor(), "GenuineIntel");
  EXPECT_EQ(cpu.RegIdentifier(), "x86 Family 15 Model 2 Stepping 7");
  EXPECT_EQ(cpu.RegNameString(), "  Intel(R) Pentium(R) 4 <2.4>");
  EXPECT_EQ(cpu.RegFrequency(), 2400);
  TReportList list(1252);
  cpu.Report(list, false);
  EXPECT_EQ(list[2], "<data name=\"Vendor\" type=\"string\" source=\"Registry\">GenuineIntel</data>");
  EXPECT_EQ(list[3],
            "<data name=\"VendorID\" type=\"string\" source=\"Registry\">x86 Family 15 Model 2 Stepping 7</data>");
  EXPECT_EQ(list[4],
            "<data name=\"NameString\" type=\"string\" source=\"Registry\">  Intel(R) Pentium(R) 4 &lt;2.4&gt;</data>");
  EXPECT_EQ(list[5], "<data name=\"Frequency\" type=\"integer\" source=\"Registry\" unit=\"MHz\">2400</data>");
}

TEST(TCPU, MissingRegistryValuesKeepOrEmptyAsTheyShould) {
  auto m = Processor("GenuineIntel", 0x00000F27, 9);
  LoadRegistry(m, std::string(kProcessorKey) + "\"VendorIdentifier\"=\"GenuineIntel\"\n"
                                               "\"Identifier\"=\"x86 Family 15\"\n"
                                               "\"ProcessorNameString\"=\"P4\"\n"
                                               "\"~MHz\"=dword:00000960\n");
  test::TestMachine machine(m);
  TCPU cpu;
  cpu.GetInfo(1, true);
  // The second gathering finds a key without these values and "~MHz" as text.
  machine.Data().registry = sim::SimRegistry{};
  LoadRegistry(machine.Data(), std::string(kProcessorKey) + "\"~MHz\"=\"fast\"\n");
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.RegVendor(), "");
  EXPECT_EQ(cpu.RegIdentifier(), "");
  EXPECT_EQ(cpu.RegNameString(), "P4");
  EXPECT_EQ(cpu.RegFrequency(), 2400);
  // Without the key all four stay.
  machine.Data().registry = sim::SimRegistry{};
  LoadRegistry(machine.Data(), std::string(kProcessorKey) + "\"VendorIdentifier\"=\"AuthenticAMD\"\n");
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.RegVendor(), "AuthenticAMD");
  machine.Data().registry = sim::SimRegistry{};
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.RegVendor(), "AuthenticAMD");
  EXPECT_EQ(cpu.RegNameString(), "P4");
}

TEST(TCPU, ClockIsMeasuredAtRaisedPriorityWhichIsRestored) {
  auto m = Processor("GenuineIntel", 0x00000683, 2, 866.4);
  m.processor.priorityClass = platform::kHighPriorityClass;
  m.processor.threadPriority = 1;
  test::TestMachine machine(m);
  TCPU cpu;
  cpu.GetInfo(0, false);
  EXPECT_EQ(cpu.Frequency(), 866);
  const auto& events = machine.Data().processor.events;
  EXPECT_EQ(events, (std::vector<std::string>{"class=256", "thread=15", "sleep=10", "tsc class=256 thread=15",
                                              "sleep=500", "tsc class=256 thread=15", "thread=1", "class=128"}));
  EXPECT_EQ(machine.Data().processor.priorityClass, platform::kHighPriorityClass);
  EXPECT_EQ(machine.Data().processor.threadPriority, 1);
}

TEST(TCPU, MeasuredClocksRoundAndSnap) {
  const std::pair<double, int> cases[] = {{499.6, 500}, {1433.4, 1433}, {1449.0, 1450}, {99.0, 100},
                                          {2793.2, 2790}, {0.0, 0}};
  for (const auto& [mhz, expected] : cases) {
    test::TestMachine machine(Processor("GenuineIntel", 0x00000F27, 9, mhz));
    TCPU cpu;
    cpu.GetInfo(0, false);
    EXPECT_EQ(cpu.Frequency(), expected) << mhz;
  }
}

TEST(TCPU, UnknownVendorKeepsVendorAndCodeNameAndUsesTheBrandString) {
  auto m = Processor("HygonGenuine", 0x00000F10, 0);
  SetBrandString(m, "Hygon C86 3185  8-core Processor");
  test::TestMachine machine(m);
  TCPU cpu;
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.VendorIndex(), 0);
  EXPECT_EQ(cpu.Vendor(), "");
  EXPECT_EQ(cpu.CPUIDVendor(), "HygonGenuine");
  EXPECT_EQ(cpu.FriendlyName(), "Hygon C86 3185  8-core Processor");
  EXPECT_EQ(cpu.CodeName(), "");
  EXPECT_EQ(cpu.Cache().Level2(), 0);
  EXPECT_TRUE(cpu.Cache().Descriptions().empty());

  // A known vendor first, then an unknown one: the vendor name and the code
  // name of the earlier gathering stay.
  machine.Data().processor.leaves = Processor("GenuineIntel", 0x00000543).processor.leaves;
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.CodeName(), "P55C (0,28\xB5m)");
  machine.Data().processor.leaves = m.processor.leaves;
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.Vendor(), "Intel Corporation");
  EXPECT_EQ(cpu.VendorIndex(), 0);
  EXPECT_EQ(cpu.CodeName(), "P55C (0,28\xB5m)");
  EXPECT_EQ(cpu.FriendlyName(), "Hygon C86 3185  8-core Processor");
}

TEST(TCPU, NoBrandLeavesGiveAnEmptyNameUnlessARowMatches) {
  {
    test::TestMachine machine(Processor("GenuineIntel", 0x00000690, 0));
    TCPU cpu;
    cpu.GetInfo(1, true);
    EXPECT_EQ(cpu.CPUIDNameString(), "");
    EXPECT_EQ(cpu.FriendlyName(), "");
  }
  test::TestMachine machine(Processor("GenuineIntel", 0x00000543, 0));
  TCPU cpu;
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.FriendlyName(), "Pentium MMX");
}

TEST(TCPU, Family15WithExtendedFamilies) {
  struct Case {
    std::uint32_t extendedEax;
    TCPUFamily familyType;
    TCPUArchitecture architecture;
    const char* friendlyName;
  };
  const Case cases[] = {
      {0x00000000, cf786, IA_32, "Pentium 4"},
      {0x00000100, cf8086_64, IA_64, "Itanium 2"},
      {0x00000200, cfUnknown, IA_32, "Pentium 4"},
      {0x00000F00, cfUnknown, IA_32, "Pentium 4"},
  };
  for (const auto& c : cases) {
    auto m = Processor("GenuineIntel", 0x00000F12, 8);
    m.processor.leaves[0x80000001u] = {c.extendedEax, 0, 0, 0};
    test::TestMachine machine(m);
    TCPU cpu;
    cpu.GetInfo(1, true);
    EXPECT_EQ(cpu.FamilyType(), c.familyType) << std::hex << c.extendedEax;
    EXPECT_EQ(cpu.Architecture(), c.architecture);
    EXPECT_EQ(cpu.FriendlyName(), c.friendlyName);
  }
}

TEST(TCPU, Family15Model1Brand12KeepsTheBrandStringButNamesTheCore) {
  auto m = Processor("GenuineIntel", 0x00000F12, 12);
  SetBrandString(m, "Intel(R) Xeon(TM) CPU 1.70GHz");
  test::TestMachine machine(m);
  TCPU cpu;
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.FriendlyName(), "Intel(R) Xeon(TM) CPU 1.70GHz");
  EXPECT_EQ(cpu.CodeName(), "Foster (0.18 \xB5m)");
}

TEST(TCPU, TypeSignatureAndCount) {
  auto m = Processor("GenuineIntel", 0x00001632, 0);
  m.processor.leaves[1].ecx = 0x00004400;
  m.processor.leaves[1].edx = 0x0183F9FF;
  m.processor.systemInfo.numberOfProcessors = 4;
  test::TestMachine machine(m);
  TCPU cpu;
  cpu.GetInfo(0, false);
  EXPECT_EQ(cpu.Type(), 1);
  EXPECT_EQ(cpu.CPUType(), ctOverDrive);
  EXPECT_EQ(cpu.SerialNumber(), "0000-1632-0183-F9FF-0000-4400");
  EXPECT_EQ(cpu.Count(), 4);
  EXPECT_FALSE(cpu.FDIVBug());
  TReportList list(1252);
  cpu.Report(list, false);
  EXPECT_EQ(list[1], "<data name=\"Count\" type=\"string\" source=\"API\">4</data>");
  EXPECT_EQ(list[22], "<data name=\"FDIVBug\" type=\"boolean\" source=\"API\">0</data>");
}

TEST(TCPU, WithoutCacheAndFeaturesOnlyTheCpuElementIsWrittenAndNothingElseGathered) {
  auto m = test::MachineWithDump(test::SharedCpuIdDump("intel-pentium-ii-dixon.txt"), 400);
  test::TestMachine machine(m);
  TCPU cpu;
  cpu.GetInfo(0, false);
  EXPECT_EQ(machine.Data().processor.cpuidCalls.count(2), 0u);  // no descriptors asked
  EXPECT_EQ(cpu.Cache().Level2(), 0);
  // Without the cache step the L2 size is 0, which names a model 6 a Covington.
  EXPECT_EQ(cpu.FriendlyName(), "Celeron");
  EXPECT_EQ(cpu.CodeName(), "Covington (0,25\xB5m)");
  TReportList list(1252);
  cpu.Report(list, false);
  ASSERT_EQ(list.Count(), 24u);
  EXPECT_EQ(list[0], "<CPU classname=\"TCPU\">");
  EXPECT_EQ(list[23], "</CPU>");
  // Features alone: the features element follows, no cache element.
  cpu.GetInfo(0, true);
  TReportList features(1252);
  cpu.Report(features, false);
  ASSERT_EQ(features.Count(), 24u + 33u);
  EXPECT_EQ(features[24], "<CPUFeatures classname=\"TCPUFeatures\">");
  EXPECT_EQ(features[25], "<data name=\"BuiltInFPU\" type=\"boolean\" source=\"CPUID\">1</data>");
}

TEST(TCPU, StandaloneReportIsACompleteDocument) {
  test::TestMachine machine(test::MachineWithDump(test::SharedCpuIdDump("intel-pentium-iii-katmai.txt"), 500));
  TCPU cpu;
  cpu.GetInfo(1, true);
  TReportList list(1252);
  cpu.Report(list, true);
  EXPECT_EQ(list[0].rfind("<?xml version=\"1.0\"", 0), 0u);
  EXPECT_EQ(list[1].rfind("<classes ", 0), 0u);
  EXPECT_EQ(list[2], "<CPU classname=\"TCPU\">");
  EXPECT_EQ(list[list.Count() - 2], "</CPUCache>");
  EXPECT_EQ(list[list.Count() - 1], "</classes>");
}

TEST(TCPUCache, LeafTwoIsExecutedAsOftenAsItsCountByteSays) {
  auto m = Processor("GenuineIntel", 0x00000673);
  m.processor.leaves[2] = {0x03020103, 0, 0, 0x0C040843};
  test::TestMachine machine(m);
  TCPUCache cache;
  cache.GetInfo(1);
  EXPECT_EQ(machine.Data().processor.cpuidCalls[2], 3);
  EXPECT_EQ(cache.Level2(), 512);
  EXPECT_EQ(cache.Descriptions().size(), 7u);

  machine.Data().processor.leaves[2] = {0x03020100, 0, 0, 0x0C040843};
  machine.Data().processor.cpuidCalls.clear();
  cache.GetInfo(1);
  EXPECT_EQ(machine.Data().processor.cpuidCalls[2], 1);
  EXPECT_EQ(cache.Level2(), 0);
  EXPECT_EQ(cache.Level1(), 0);
  EXPECT_TRUE(cache.Descriptions().empty());
}

TEST(TCPUCache, OtherVendorsOnlyReset) {
  auto m = test::MachineWithDump(test::SharedCpuIdDump("intel-pentium-iii-katmai.txt"), 500);
  m.processor.leaves[0x80000005u] = {0x0408FF08, 0xFF20FF10, 0x40020140, 0x40020140};
  test::TestMachine machine(m);
  TCPUCache cache;
  cache.GetInfo(1);
  ASSERT_EQ(cache.Level2(), 512);
  for (int vendor : {0, 4, 5, 6, 7, 8}) {  // VIA (4): no extended leaves listed, nothing read
    cache.GetInfo(vendor);
    EXPECT_EQ(cache.Level1() + cache.Level1Data() + cache.Level1Code() + cache.Level2() + cache.Level3(), 0);
    EXPECT_TRUE(cache.Descriptions().empty());
    EXPECT_EQ(cache.Family(), 6);
    EXPECT_EQ(cache.Model(), 7);
    EXPECT_EQ(cache.Stepping(), 3);
  }
  cache.GetInfo(3);  // Cyrix: leaf 0x80000005 ECX 0x40020140 holds no 0x80 byte
  EXPECT_EQ(cache.Level1(), 0);
  machine.Data().processor.leaves[0x80000005u].ecx = 0x00800000;
  cache.GetInfo(3);
  EXPECT_EQ(cache.Level1(), 16);
}

// Leaves are read only where the processor has them: leaf 4 below a highest
// leaf of 4, 0x80000006 (AMD, VIA) and 0x80000005 (VIA) below their number.
TEST(TCPUCache, LeavesBeyondTheHighestAreNotTrusted) {
  struct Case {
    const char* vendor;
    int vendorIndex;
    std::uint32_t signature, highest, highestExtended;
    std::uint32_t unreadLeaf;  // 0: every listed leaf is read
    int level1, level2, level3;
  };
  const Case cases[] = {
      // vendor  index signature highest extended  unread leaf  L1 L2 L3
      {"GenuineIntel", 1, 0x906EA, 2, 0, 4, 0, 0, 0},
      {"GenuineIntel", 1, 0x906EA, 0x16, 0, 0, 64, 256, 12288},
      {"AuthenticAMD", 2, 0x662, 1, 0x80000005u, 0x80000006u, 128, 0, 0},
      {"AuthenticAMD", 2, 0x662, 1, 0x80000006u, 0, 128, 256, 0},
      {"CentaurHauls", 4, 0x678, 1, 0x80000004u, 0x80000005u, 0, 0, 0},
      {"CentaurHauls", 4, 0x678, 1, 0x80000006u, 0, 128, 64, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.vendor) + " " + std::to_string(c.highest) + " " + std::to_string(c.highestExtended));
    auto m = Processor(c.vendor, c.signature);
    m.processor.leaves[0].eax = c.highest;
    m.processor.leaves[0x80000000u] = {c.highestExtended, 0, 0, 0};
    m.processor.leaves[2] = {0x00FEFF01, 0x000000F0, 0, 0};
    m.processor.leaves[4] = {0x1C004121, 0x01C0003F, 0x0000003F, 0};
    m.processor.subleaves[{4, 1}] = {0x1C004122, 0x01C0003F, 0x0000003F, 0};
    m.processor.subleaves[{4, 2}] = {0x1C004143, 0x00C0003F, 0x000003FF, 0};
    m.processor.subleaves[{4, 3}] = {0x1C03C163, 0x03C0003F, 0x00002FFF, 6};
    m.processor.leaves[0x80000005u] = {0, 0x08800880, 0x40040120, 0x40040120};
    m.processor.leaves[0x80000006u] = {0, 0, c.vendorIndex == 4 ? 0x40040120u : 0x01008140u, 0};
    test::TestMachine machine(m);
    TCPUCache cache;
    cache.GetInfo(c.vendorIndex);
    if (c.unreadLeaf) EXPECT_EQ(machine.Data().processor.cpuidCalls.count(c.unreadLeaf), 0u);
    EXPECT_EQ(cache.Level1(), c.level1);
    EXPECT_EQ(cache.Level2(), c.level2);
    EXPECT_EQ(cache.Level3(), c.level3);
  }
}

TEST(TCPUFeatures, FeatureListLinesAndTheExtendedBits) {
  auto m = Processor("AuthenticAMD", 0x00000662);
  m.processor.leaves[0x80000001u] = {0, 0, 0, 1u << 24};
  test::TestMachine machine(m);
  TCPUFeatures features;
  features.GetInfo();
  EXPECT_TRUE(features.EX_MMX());
  EXPECT_FALSE(features._3DNOW());
  EXPECT_EQ(features.Registers().eax, 0x00000662u);  // leaf 1 runs last
  TStringList lines;
  features.GetFeaturesStr(lines);
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[0], "Built-In FPU=0");
  EXPECT_EQ(lines[30], "Enhanced MMX Extensions=1");
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.back() == '1'; }), 1);
  features.GetFeaturesStr(lines);
  EXPECT_EQ(lines.size(), 62u);

  machine.Data().processor.leaves[0x80000001u].edx = 0;
  machine.Data().processor.leaves[1].edx = 0xFFFFFFFFu;
  features.GetInfo();
  TStringList all;
  features.GetFeaturesStr(all);
  EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const std::string& l) { return l.back() == '1'; }), 28);
  EXPECT_EQ(all[27], "Thermal Monitor supported=1");
  EXPECT_EQ(all[28], "3D Now! Extensions=0");
}

TEST(TCPUFeatures, ReportNamesEveryFlagInTableOrder) {
  auto m = Processor("GenuineIntel", 0x00000F27);
  m.processor.leaves[1].edx = (1u << 3) | (1u << 18);
  m.processor.leaves[0x80000001u] = {0, 0, 0, (1u << 31) | (1u << 30)};
  test::TestMachine machine(m);
  TCPUFeatures features;
  features.GetInfo();
  TReportList list(1252);
  features.Report(list, false);
  ASSERT_EQ(list.Count(), 33u);
  EXPECT_EQ(list[4], "<data name=\"PageSizeExtension\" type=\"boolean\" source=\"CPUID\">1</data>");
  EXPECT_EQ(list[18], "<data name=\"SerialNumber\" type=\"boolean\" source=\"CPUID\">1</data>");
  EXPECT_EQ(list[29], "<data name=\"3DNow\" type=\"boolean\" source=\"CPUID\">1</data>");
  EXPECT_EQ(list[30], "<data name=\"Enhanced3DNow\" type=\"boolean\" source=\"CPUID\">1</data>");
  EXPECT_EQ(list[31], "<data name=\"EnhancedMMX\" type=\"boolean\" source=\"CPUID\">0</data>");
  EXPECT_EQ(list[1], "<data name=\"BuiltInFPU\" type=\"boolean\" source=\"CPUID\">0</data>");
}

}  // namespace
}  // namespace nsx
