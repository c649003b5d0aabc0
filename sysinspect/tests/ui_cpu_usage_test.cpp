// The CPU-usage formula and the sampler on both families of the simulated machine.
#include <gtest/gtest.h>

#include "TestMachine.h"
#include "ui/logic/CPUUsageSampler.h"

namespace nsx::ui {
namespace {

TEST(CPUUsageFormula, IdleTimeOfAWholeSecondIsNoLoad) {
  EXPECT_EQ(UsageFromIdleDelta(10000000, 1000), 0u);
  EXPECT_EQ(UsageFromIdleDelta(0, 1000), 100u);
  EXPECT_EQ(UsageFromIdleDelta(2500000, 1000), 75u);
}

TEST(CPUUsageFormula, TheIntervalScalesTheIdleTime) {
  EXPECT_EQ(UsageFromIdleDelta(10000000, 2000), 50u);  // 1 s idle in 2 s
  EXPECT_EQ(UsageFromIdleDelta(2500000, 500), 50u);
}

TEST(CPUUsageFormula, HalvesRoundToEven) {
  EXPECT_EQ(UsageFromIdleDelta(9750000, 1000), 2u);  // 2.5 -> 2
  EXPECT_EQ(UsageFromIdleDelta(9650000, 1000), 4u);  // 3.5 -> 4
}

TEST(CPUUsageFormula, ANegativeLoadKeepsItsLowThirtyTwoBits) {
  // More idle time than wall time: the load is below zero.
  EXPECT_EQ(UsageFromIdleDelta(20000000, 1000), static_cast<std::uint32_t>(-100));
  EXPECT_EQ(UsageFromIdleDelta(30000000, 0), static_cast<std::uint32_t>(-200));  // no interval: one second
}

TEST(CPUUsageFormula, TheFirstIdleTimeIsALittleEndianCount) {
  platform::Bytes buffer = {0x01, 0x02, 0, 0, 0, 0, 0, 0x80, 0xFF};
  EXPECT_EQ(FirstIdleTime(buffer), 0x8000000000000201ull);
  EXPECT_EQ(FirstIdleTime(platform::Bytes{1, 2, 3}), 0u);
}

class NtSampler : public ::testing::Test {
 protected:
  NtSampler() : machine_(Machine()) { TCPUUsageSampler::ResetSharedState(); }
  ~NtSampler() override { TCPUUsageSampler::ResetSharedState(); }
  static sim::SimMachine Machine() {
    auto m = test::WinXPSP3();
    m.AddNtdllEntries();
    return m;
  }
  sim::SimPerformanceData& Perf() { return machine_.Data().performance; }
  test::TestMachine machine_;
};

TEST_F(NtSampler, StartGrowsTheBufferUntilTheRecordFits) {
  Perf().recordSize = 48;  // larger than 44: the first query is too short
  TCPUUsageSampler sampler(true);
  EXPECT_TRUE(sampler.Start());
  EXPECT_EQ(Perf().queries, 2u);  // 44 bytes refused, 88 accepted
  sampler.Stop();
}

TEST_F(NtSampler, FirstSampleComparesWithZeroThenFollowsTheIdleTime) {
  Perf().processors = {{50000000, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
  TCPUUsageSampler sampler(true);
  ASSERT_TRUE(sampler.Start());
  // Five seconds of idle time against a previous 0: far below zero.
  EXPECT_EQ(sampler.Sample(1000), static_cast<std::uint32_t>(-400));
  Perf().processors[0].idle += 3000000;  // 0.3 s idle in the next second
  Perf().processors[1].idle += 10000000; // the second processor is ignored
  EXPECT_EQ(sampler.Sample(1000), 70u);
  Perf().processors[0].idle += 10000000;
  EXPECT_EQ(sampler.Sample(1000), 0u);
  sampler.Stop();
}

TEST_F(NtSampler, ThePreviousIdleTimeIsSharedBetweenSamplers) {
  Perf().processors[0].idle = 1000;
  TCPUUsageSampler first(true), second(true);
  ASSERT_TRUE(first.Start());
  first.Sample(1000);
  ASSERT_TRUE(second.Start());
  Perf().processors[0].idle += 5000000;
  EXPECT_EQ(second.Sample(1000), 50u);  // measured against the first sampler's reading
}

TEST_F(NtSampler, StartFailsWithoutTheEntryPointOrOnAnError) {
  Perf().forcedStatus = 0xC0000022u;  // access denied
  TCPUUsageSampler sampler(true);
  EXPECT_FALSE(sampler.Start());
  EXPECT_EQ(Perf().queries, 1u);
}

TEST_F(NtSampler, ASystemThatAlwaysWantsMoreDoesNotHangTheStart) {
  Perf().forcedStatus = platform::kStatusInfoLengthMismatch;
  TCPUUsageSampler sampler(true);
  EXPECT_FALSE(sampler.Start());
  EXPECT_LE(Perf().queries, 1024u);
}

TEST(NtSamplerEntry, WithoutTheNativeEntryNothingIsQueried) {
  TCPUUsageSampler::ResetSharedState();
  auto m = test::WinXPSP3();
  m.moduleEntries.clear();
  test::TestMachine machine(m);
  TCPUUsageSampler sampler(true);
  EXPECT_FALSE(sampler.Start());
  EXPECT_EQ(machine.Data().performance.queries, 0u);
}

sim::SimMachine Win98WithStatistics(std::uint32_t usage) {
  auto m = test::Win98SE();
  m.registry.SetDword("HKEY_DYN_DATA\\PerfStats\\StartStat", "KERNEL\\CPUUsage", 0);
  m.registry.SetDword("HKEY_DYN_DATA\\PerfStats\\StatData", "KERNEL\\CPUUsage", usage);
  m.registry.SetDword("HKEY_DYN_DATA\\PerfStats\\StopStat", "KERNEL\\CPUUsage", 0);
  return m;
}

TEST(Win9xSampler, TheStatisticIsTheLoad) {
  test::TestMachine machine(Win98WithStatistics(37));
  TCPUUsageSampler sampler(false);
  ASSERT_TRUE(sampler.Start());
  EXPECT_EQ(sampler.Sample(1000), 37u);
  machine.Data().registry.SetDword("HKEY_DYN_DATA\\PerfStats\\StatData", "KERNEL\\CPUUsage", 81);
  EXPECT_EQ(sampler.Sample(1000), 81u);
  sampler.Stop();
}

TEST(Win9xSampler, WithoutTheDataKeyEverySampleIsMinusOne) {
  auto m = Win98WithStatistics(0);
  m.registry.Root(platform::RegRoot::DynData).subKeys["PerfStats"]->subKeys.erase("StatData");
  test::TestMachine machine(m);
  TCPUUsageSampler sampler(false);
  ASSERT_TRUE(sampler.Start());
  EXPECT_EQ(sampler.Sample(1000), 0xFFFFFFFFu);
  EXPECT_EQ(sampler.Sample(1000), 0xFFFFFFFFu);
}

TEST(Win9xSampler, AMissingStartKeyOrValueRaisesItsError) {
  {
    test::TestMachine machine(test::Win98SE());
    TCPUUsageSampler sampler(false);
    try {
      sampler.Start();
      FAIL() << "started without statistics";
    } catch (const EPerformanceError& e) {
      EXPECT_STREQ(e.what(), "Unable to start performance monitoring");
    }
  }
  {
    auto m = test::Win98SE();
    m.registry.CreateKey("HKEY_DYN_DATA\\PerfStats\\StartStat");
    test::TestMachine machine(m);
    TCPUUsageSampler sampler(false);
    try {
      sampler.Start();
      FAIL() << "started without the statistic";
    } catch (const EPerformanceError& e) {
      EXPECT_STREQ(e.what(), "Unable to read performance data");
    }
  }
}

}  // namespace
}  // namespace nsx::ui
