// The guarded call under each exception mode, and the aggregate's report.
#include <gtest/gtest.h>

#include "TestMachine.h"
#include "core/NSX_GUI.h"

namespace nsx {
namespace {

struct Failing {
  int calls = 0;
  std::int32_t lastValue = 0;
  bool lastFlag = false;
  void Fail() {
    ++calls;
    throw std::runtime_error("Access violation at address 0");
  }
  void WithValue(std::int32_t v) { lastValue = v; }
  void WithBoth(std::int32_t v, bool f) {
    lastValue = v;
    lastFlag = f;
  }
};

TEST(GuardCall, RaiseModeRaisesWithTheContext) {
  test::TestMachine machine;
  Failing f;
  try {
    GuardCall("TCPU.GetInfo", emRaise, f, &Failing::Fail);
    FAIL() << "nothing raised";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "TCPU.GetInfo: Access violation at address 0");
  }
}

TEST(GuardCall, MessageModeInAConsoleProcessWritesOneLine) {
  test::TestMachine machine;
  Failing f;
  GuardCall("TMemory.GetInfo", emMessage, f, &Failing::Fail);
  GuardCall("TDisk.GetInfo", emMessage, f, &Failing::Fail);
  EXPECT_EQ(machine.Platform().consoleLines,
            (std::vector<std::string>{"TMemory.GetInfo: Access violation at address 0",
                                      "TDisk.GetInfo: Access violation at address 0"}));
  EXPECT_TRUE(machine.Platform().messageBoxes.empty());
}

TEST(GuardCall, MessageModeInAWindowedProcessShowsAnErrorBox) {
  test::TestMachine machine;
  machine.Platform().console = false;
  Failing f;
  GuardCall("TOperatingSystem.GetInfo", emMessage, f, &Failing::Fail);
  ASSERT_EQ(machine.Platform().messageBoxes.size(), 1u);
  EXPECT_EQ(machine.Platform().messageBoxes[0], "Error: TOperatingSystem.GetInfo: Access violation at address 0");
}

TEST(GuardCall, SilentModeAndValuesAboveItDropTheError) {
  test::TestMachine machine;
  Failing f;
  GuardCall("TX.GetInfo", emSilent, f, &Failing::Fail);
  GuardCall("TX.GetInfo", static_cast<TExceptionMode>(7), f, &Failing::Fail);
  EXPECT_EQ(f.calls, 2);
  EXPECT_TRUE(machine.Platform().consoleLines.empty());
}

TEST(GuardCall, ErrorsOutsideTheBaseClassPropagateUnchanged) {
  test::TestMachine machine;
  EXPECT_THROW(GuardCall("T.GetInfo", emSilent, [] { throw 42; }), int);
}

TEST(GuardCall, VariantsHandOnTheirValues) {
  test::TestMachine machine;
  Failing f;
  GuardCall("T.GetInfo", emRaise, f, &Failing::WithValue, 7);
  EXPECT_EQ(f.lastValue, 7);
  GuardCall("T.GetInfo", emRaise, f, &Failing::WithBoth, 1, true);
  EXPECT_EQ(f.lastValue, 1);
  EXPECT_TRUE(f.lastFlag);
}

TEST(TNSystemInfo, DefaultsAndAbout) {
  test::TestMachine machine;
  TNSystemInfo info;
  EXPECT_EQ(info.ExceptionMode(), emMessage);
  EXPECT_EQ(info.About(), std::string("Norvik System Information Component 8.2 - ") + kCopyright);
  info.SetExceptionMode(emSilent);
  EXPECT_EQ(info.ExceptionMode(), emSilent);
}

TEST(TNSystemInfo, ReportWithoutRefreshIsACompleteDocument) {
  test::TestMachine machine;
  TNSystemInfo info;
  TReportList list;
  info.Report(list);
  ASSERT_GE(list.Count(), 3u);
  EXPECT_EQ(list[0].rfind("<?xml version=\"1.0\"", 0), 0u);
  EXPECT_EQ(list[1].rfind("<classes ", 0), 0u);
  EXPECT_EQ(list.Lines().back(), "</classes>");
}

struct CountingSplash : TSplashHandle {
  explicit CountingSplash(int& live) : live_(live) { ++live_; }
  ~CountingSplash() override { --live_; }
  int& live_;
};

TEST(TNSystemInfo, RefreshShowsAndDestroysTheSplash) {
  test::TestMachine machine;
  TNSystemInfo info;
  int live = 0, shown = 0;
  info.SetSplashFactory([&] {
    ++shown;
    return std::make_unique<CountingSplash>(live);
  });
  info.Refresh();
  info.Refresh();
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(live, 0);
}

}  // namespace
}  // namespace nsx
