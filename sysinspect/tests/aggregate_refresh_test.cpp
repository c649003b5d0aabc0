// The aggregate's gathering under each exception mode, with a processor whose
// identification instruction fails, and the order of the report of all topics.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestMachine.h"
#include "core/NSX_GUI.h"
#include "hardware/NSX_CPU.h"
#include "hardware/NSX_Memory.h"
#include "software/NSX_Engines.h"
#include "software/NSX_Network.h"
#include "software/NSX_OS.h"

namespace nsx {
namespace {

// A processor whose CPUID faults, as an emulator or a broken driver might.
class FaultingProcessor : public platform::ProcessorApi {
 public:
  explicit FaultingProcessor(platform::ProcessorApi& inner) : inner_(inner) {}
  platform::CpuIdRegisters CpuId(std::uint32_t) override { throw std::runtime_error("Privileged instruction"); }
  std::uint64_t TimeStampCounter() override { return inner_.TimeStampCounter(); }
  platform::SystemInformation SystemInfo() override { return inner_.SystemInfo(); }
  std::uint32_t ProcessPriorityClass() override { return inner_.ProcessPriorityClass(); }
  bool SetProcessPriorityClass(std::uint32_t c) override { return inner_.SetProcessPriorityClass(c); }
  int CurrentThreadPriority() override { return inner_.CurrentThreadPriority(); }
  bool SetCurrentThreadPriority(int p) override { return inner_.SetCurrentThreadPriority(p); }
  void SleepMilliseconds(std::uint32_t ms) override { inner_.SleepMilliseconds(ms); }
  std::optional<platform::PerformanceCount> PerformanceCounter() override { return inner_.PerformanceCounter(); }

 private:
  platform::ProcessorApi& inner_;
};

class FaultingCpuMachine : public sim::SimPlatform {
 public:
  explicit FaultingCpuMachine(sim::SimMachine m) : SimPlatform(std::move(m)), faulting_(SimPlatform::Processor()) {}
  platform::ProcessorApi& Processor() override { return faulting_; }

 private:
  FaultingProcessor faulting_;
};

class AggregateRefresh : public ::testing::Test {
 protected:
  AggregateRefresh() {
    auto platform = std::make_unique<FaultingCpuMachine>(test::WinXPSP3());
    platform_ = platform.get();
    scope_ = std::make_unique<ScopedMachine>(std::move(platform));
  }
  FaultingCpuMachine* platform_;
  std::unique_ptr<ScopedMachine> scope_;
};

TEST_F(AggregateRefresh, RaiseModeStopsAtTheFailingTopic) {
  TNSystemInfo info;
  info.SetExceptionMode(emRaise);
  int splashes = 0;
  struct Splash : TSplashHandle {
    explicit Splash(int& n) : n_(n) { ++n_; }
    ~Splash() override { --n_; }
    int& n_;
  };
  info.SetSplashFactory([&] { return std::make_unique<Splash>(splashes); });
  try {
    info.Refresh();
    FAIL() << "the failure did not reach the caller";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()).rfind("TCPU.GetInfo: ", 0), 0u) << e.what();
  }
  EXPECT_EQ(splashes, 0);  // the splash window is gone all the same
  // Memory and operating system come after the processor: not gathered.
  EXPECT_EQ(info.Memory().PhysicalTotal(), 0);
  EXPECT_EQ(info.OS().MajorVersion(), 0u);
}

TEST_F(AggregateRefresh, SilentModeGoesOnAndTheReportKeepsTheElement) {
  TNSystemInfo info;
  info.SetExceptionMode(emSilent);
  info.Refresh();
  EXPECT_EQ(info.OS().MajorVersion(), 5u);
  EXPECT_TRUE(platform_->consoleLines.empty());
  TReportList list;
  info.Report(list);
  const auto& lines = list.Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "<CPU classname=\"TCPU\">"), lines.end());
}

TEST_F(AggregateRefresh, MessageModeInAConsoleWritesOneLinePerFailingTopic) {
  TNSystemInfo info;
  info.Refresh();  // the default mode is emMessage
  ASSERT_EQ(platform_->consoleLines.size(), 1u);
  EXPECT_EQ(platform_->consoleLines[0].rfind("TCPU.GetInfo: ", 0), 0u);
  EXPECT_NE(platform_->consoleLines[0].find("Privileged instruction"), std::string::npos);
  EXPECT_TRUE(platform_->messageBoxes.empty());
  EXPECT_EQ(info.OS().MajorVersion(), 5u);
}

TEST(Aggregate, ExceptionModePropagatesToItsTopics) {
  test::TestMachine machine(test::WinXPSP3());
  TNSystemInfo info;
  EXPECT_EQ(info.OS().ExceptionMode(), emMessage);
  info.SetExceptionMode(emRaise);
  EXPECT_EQ(info.OS().ExceptionMode(), emRaise);
  EXPECT_EQ(info.CPU().ExceptionMode(), emRaise);
  EXPECT_EQ(info.Network().ExceptionMode(), emRaise);
  EXPECT_EQ(info.Engines().ExceptionMode(), emRaise);
  info.SetExceptionMode(emSilent);
  EXPECT_EQ(info.Engines().ExceptionMode(), emSilent);
  // The memory object keeps its own mode.
  EXPECT_EQ(info.Memory().ExceptionMode(), emMessage);
}

// The index of the line that opens an element.
size_t ElementLine(const TReportList& list, const std::string& element) {
  const auto& lines = list.Lines();
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind("<" + element + " classname=", 0) == 0) return i;
  return lines.size();
}

TEST(Aggregate, ReportOfAllTopicsInReportOrder) {
  test::TestMachine machine(test::WinXPSP3());
  TNSystemInfo info;
  info.Refresh();
  TReportList list;
  info.Report(list);
  // Machine, OS, CPU, Memory, Display, APM, ... (the topics that exist).
  const char* order[] = {"Machine", "SMBIOS", "BIOS",    "OperatingSystem", "CPU",    "Memory", "Display", "APM",  "Media",
                         "Network", "Winsock", "TCPIP", "Devices",         "IDE",    "Engines", "DirectX", "ASPI32", "Disk"};
  size_t previous = 1;  // after the root tag
  for (const char* element : order) {
    size_t at = ElementLine(list, element);
    ASSERT_LT(at, list.Count()) << element;
    EXPECT_GT(at, previous) << element;
    previous = at;
  }
  EXPECT_EQ(list.Lines().back(), "</classes>");
}

}  // namespace
}  // namespace nsx
