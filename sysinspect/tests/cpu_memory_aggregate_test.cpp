// The CPU, memory and power topics in the aggregate: gathered with both CPU
// options, reported in their places, and the exception modes they get.
#include <gtest/gtest.h>

#include <algorithm>

#include "CpuTestMachine.h"
#include "core/NSX_GUI.h"
#include "hardware/NSX_APM.h"
#include "hardware/NSX_CPU.h"
#include "hardware/NSX_Memory.h"

namespace nsx {
namespace {

std::vector<std::string> ElementStarts(const TReportList& list) {
  std::vector<std::string> names;
  for (const auto& line : list.Lines())
    if (line.find(" classname=\"") != std::string::npos) names.push_back(line.substr(1, line.find(' ') - 1));
  return names;
}

size_t IndexOf(const std::vector<std::string>& names, const std::string& name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return i;
  return names.size();
}

TEST(AggregateHardware, RefreshGathersCpuWithCacheAndFeaturesAndReportsInOrder) {
  auto m = test::MachineWithDump(test::SharedCpuIdDump("intel-pentium-iii-katmai.txt"), 500.2);
  m.memory.power = platform::PowerStatus{0, 1, 90, 0, 3600, 7200};
  test::TestMachine machine(m);
  TNSystemInfo info;
  info.Refresh();
  EXPECT_EQ(info.CPU().Frequency(), 500);
  EXPECT_TRUE(info.CPU().IncludeCache());
  EXPECT_TRUE(info.CPU().IncludeFeatures());
  EXPECT_EQ(info.CPU().Cache().Level2(), 512);
  EXPECT_TRUE(info.CPU().Features().MMX());
  EXPECT_GT(info.Memory().PhysicalTotal(), 0);
  EXPECT_EQ(info.APM().BatteryChargeStatus(), bsHigh);

  TReportList list(1252);
  info.Report(list);
  auto names = ElementStarts(list);
  size_t cpu = IndexOf(names, "CPU");
  ASSERT_LT(cpu + 3, names.size());
  EXPECT_EQ(names[cpu + 1], "CPUFeatures");
  EXPECT_EQ(names[cpu + 2], "CPUCache");
  EXPECT_EQ(names[cpu + 3], "Memory");
  size_t os = IndexOf(names, "OperatingSystem");
  if (os < names.size()) {
    EXPECT_LT(os, cpu);
  }
  EXPECT_LT(IndexOf(names, "Memory"), IndexOf(names, "APM"));
  EXPECT_LT(IndexOf(names, "APM"), names.size());
}

TEST(AggregateHardware, ExceptionModeReachesTheCpuButNotTheMemoryObject) {
  test::TestMachine machine;
  TNSystemInfo info;
  EXPECT_EQ(info.CPU().ExceptionMode(), emMessage);
  EXPECT_EQ(info.Memory().ExceptionMode(), emMessage);
  info.SetExceptionMode(emSilent);
  EXPECT_EQ(info.CPU().ExceptionMode(), emSilent);
  EXPECT_EQ(info.Memory().ExceptionMode(), emMessage);
}

TEST(AggregateHardware, AFailingFreeResourcesStepIsReportedUnderTheMemoryObjectsOwnMode) {
  auto m = test::Win98SE();
  m.memory.thunkGate = true;
  m.memory.userExeLoads = false;
  test::TestMachine machine(m);
  TNSystemInfo info;
  info.SetExceptionMode(emSilent);  // the memory object keeps emMessage
  info.Refresh();
  const auto& lines = machine.Platform().consoleLines;
  EXPECT_NE(std::find(lines.begin(), lines.end(), "TMemory.GetInfo: Can't load USER.EXE!"), lines.end());
}

TEST(AggregateHardware, ReportWithoutRefreshHoldsEmptyHardwareElements) {
  test::TestMachine machine;
  TNSystemInfo info;
  TReportList list(1252);
  info.Report(list);
  auto names = ElementStarts(list);
  size_t cpu = IndexOf(names, "CPU");
  ASSERT_LT(cpu, names.size());
  // Without a gathering neither option is set: no features or cache element.
  EXPECT_EQ(names[cpu + 1], "Memory");
  bool sawFrequency = false;
  for (const auto& line : list.Lines())
    if (line == "<data name=\"Frequency\" type=\"integer\" source=\"CPUID\" unit=\"MHz\">0</data>") sawFrequency = true;
  EXPECT_TRUE(sawFrequency);
}

}  // namespace
}  // namespace nsx
