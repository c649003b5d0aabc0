// The clock measurement on a busy machine: the window is what the
// high-resolution counter saw, so an overrunning sleep does not inflate the
// clock rate.
#include <gtest/gtest.h>

#include "CpuTestMachine.h"
#include "hardware/CpuIdDecode.h"
#include "hardware/NSX_CPU.h"

namespace nsx {
namespace {

sim::SimMachine PentiumIII(double clockMHz) {
  sim::SimMachine m = test::WinXPSP3();
  m.processor.leaves[0] = {2, 0x756E6547u, 0x6C65746Eu, 0x49656E69u};  // GenuineIntel
  m.processor.leaves[1] = {0x0000068Au, 0, 0, 0x0383FBFFu};             // with a TSC
  m.processor.clockMHz = clockMHz;
  return m;
}

TEST(ClockWindow, OverrunningSleepIsMeasuredNotAssumed) {
  auto m = PentiumIII(733.0);
  m.processor.sleepOvershootMilliseconds = 40;  // 8% late: 792 MHz if 500 ms were assumed
  test::TestMachine machine(m);
  TCPU cpu;
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.Frequency(), 733);
}

TEST(ClockWindow, WithoutACounterTheWindowIs500Milliseconds) {
  auto m = PentiumIII(1000.0);
  m.processor.hasPerformanceCounter = false;
  m.processor.sleepOvershootMilliseconds = 25;
  test::TestMachine machine(m);
  TCPU cpu;
  cpu.GetInfo(1, true);
  EXPECT_EQ(cpu.Frequency(), 1050);  // the old assumption, all that is left
}

TEST(ClockWindow, ImplausibleCounterReadingsFallBackTo500Milliseconds) {
  using P = platform::PerformanceCount;
  EXPECT_DOUBLE_EQ(MeasuringWindowMicroseconds(P{0, 1000000}, P{510000, 1000000}), 510000.0);
  EXPECT_DOUBLE_EQ(MeasuringWindowMicroseconds(std::nullopt, P{510000, 1000000}), 500000.0);
  EXPECT_DOUBLE_EQ(MeasuringWindowMicroseconds(P{5, 1000000}, P{5, 1000000}), 500000.0);     // stood still
  EXPECT_DOUBLE_EQ(MeasuringWindowMicroseconds(P{900, 1000000}, P{100, 1000000}), 500000.0);  // went back
  EXPECT_DOUBLE_EQ(MeasuringWindowMicroseconds(P{0, 1000000}, P{100000, 1000000}), 500000.0); // 0.1 s: too short
  EXPECT_DOUBLE_EQ(MeasuringWindowMicroseconds(P{0, 0}, P{1, 0}), 500000.0);                  // no rate
  EXPECT_EQ(FrequencyFromCounter(0, 733000000, 1000000.0), 733);
  EXPECT_EQ(FrequencyFromCounter(0, 733000000, 0.0), 0);
}

}  // namespace
}  // namespace nsx
