// The memory topic: which status query each release is asked, 64-bit and
// signed 32-bit values in the report, and the free system resources of the
// 9x family with their failures.
#include <gtest/gtest.h>

#include "TestMachine.h"
#include "hardware/NSX_Memory.h"

namespace nsx {
namespace {

platform::MemoryStatusEx Large() {
  // 6 GB of memory, 9 GB of page file, a 2 GB address space.
  return {41, 6ull << 30, 3ull << 30, 9ull << 30, 7ull << 30, 0x7FFE0000ull, 0x7FA00000ull, 0};
}

TEST(TMemory, Windows2000AndLaterAskTheExtendedQueryAndPrintInFull) {
  auto m = test::WinXPSP3();
  m.memory.statusEx = Large();
  m.processor.systemInfo.maximumApplicationAddress = 0xBFFEFFFFu;  // 3 GB user space
  test::TestMachine machine(m);
  TMemory memory;
  memory.GetInfo();
  EXPECT_EQ(memory.PhysicalTotal(), 6ll << 30);
  EXPECT_EQ(memory.PageFileTotal(), 9ll << 30);
  EXPECT_EQ(memory.PageFileFree(), 7ll << 30);
  EXPECT_EQ(memory.MemoryLoad(), 41);
  TReportList list(1252);
  memory.Report(list, false);
  ASSERT_EQ(list.Count(), 12u);
  EXPECT_EQ(list[0], "<Memory classname=\"TMemory\">");
  EXPECT_EQ(list[1], "<data name=\"PhysicalTotal\" type=\"integer\" unit=\"B\">6442450944</data>");
  EXPECT_EQ(list[3], "<data name=\"PageFileTotal\" type=\"integer\" unit=\"B\">9663676416</data>");
  EXPECT_EQ(list[5], "<data name=\"VirtualTotal\" type=\"integer\" unit=\"B\">2147352576</data>");
  EXPECT_EQ(list[7], "<data name=\"AllocationGranularity\" type=\"integer\" unit=\"B\">65536</data>");
  EXPECT_EQ(list[8], "<data name=\"MinAppAddress\" type=\"integer\">65536</data>");
  EXPECT_EQ(list[9], "<data name=\"MaxAppAddress\" type=\"integer\">-1073807361</data>");
  EXPECT_EQ(list[10], "<data name=\"PageSize\" type=\"integer\" unit=\"B\">4096</data>");
  EXPECT_EQ(list[11], "</Memory>");
}

TEST(TMemory, EarlierReleasesAskTheOldQuery) {
  auto m = test::Win98SE();
  m.memory.status = {20, 0x08000000u, 0x04000000u, 0x10000000u, 0x0C000000u, 0x7FC00000u, 0x7F000000u};
  m.memory.statusEx = Large();  // must not be asked
  test::TestMachine machine(m);
  TMemory memory;
  memory.GetInfo();
  EXPECT_EQ(memory.PhysicalTotal(), 0x08000000);
  EXPECT_EQ(memory.PhysicalFree(), 0x04000000);
  EXPECT_EQ(memory.PageFileTotal(), 0x10000000);
  EXPECT_EQ(memory.PageFileFree(), 0x0C000000);
  EXPECT_EQ(memory.VirtualTotal(), 0x7FC00000);
  EXPECT_EQ(memory.VirtualFree(), 0x7F000000);
  EXPECT_EQ(memory.MemoryLoad(), 20);
}

TEST(TMemory, HighHalfOfTheOldQueryIsZeroAndTheValueIsNotNegative) {
  auto m = test::WinXPSP3();
  m.version = {4, 0, 1381, platform::kPlatformNT, "Service Pack 6", false, 0, 0, 0, 0, 0};
  m.memory.status = {99, 0xFFFFFFFFu, 0x80000000u, 0, 0, 0, 0};
  test::TestMachine machine(m);
  TMemory memory;
  memory.GetInfo();
  EXPECT_EQ(memory.PhysicalTotal(), 0xFFFFFFFFll);
  TReportList list(1252);
  memory.Report(list, false);
  EXPECT_EQ(list[1], "<data name=\"PhysicalTotal\" type=\"integer\" unit=\"B\">4294967295</data>");
  EXPECT_EQ(list[2], "<data name=\"PhysicalFree\" type=\"integer\" unit=\"B\">2147483648</data>");
}

TEST(TMemory, WithoutTheExtendedEntryWindows2000ValuesAreZero) {
  auto m = test::WinXPSP3();
  m.memory.statusEx.reset();
  test::TestMachine machine(m);
  TMemory memory;
  memory.GetInfo();
  EXPECT_EQ(memory.PhysicalTotal(), 0);
  EXPECT_EQ(memory.PageFileTotal(), 0);
  EXPECT_EQ(memory.MemoryLoad(), 0);
  EXPECT_EQ(memory.PageSize(), 4096);  // the system information is still read
}

TEST(TMemory, AReleaseAfterTheTableWithTheEntryIsNotClippedAt4GB) {
  auto m = test::WinXPSP3();
  m.version = {11, 0, 30000, platform::kPlatformNT, "", true, 0, 0, 0, 1, 0};
  m.memory.statusEx = Large();
  m.memory.status = {41, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0x7FFE0000u, 0x7FA00000u};
  test::TestMachine machine(m);
  ASSERT_EQ(OSInfo().OSKind, osUnknown);
  TMemory memory;
  memory.GetInfo();
  EXPECT_EQ(memory.PhysicalTotal(), 6ll << 30);
}

TEST(TResources, NTAnswers90WithoutAnySixteenBitCall) {
  auto m = test::WinXPSP3();
  m.memory.thunkGate = true;
  test::TestMachine machine(m);
  TMemory memory;
  memory.GetInfo();
  EXPECT_EQ(memory.Resources().System(), 90);
  EXPECT_EQ(memory.Resources().GDI(), 90);
  EXPECT_EQ(memory.Resources().User(), 90);
  EXPECT_TRUE(machine.Data().memory.calls16.empty());
}

TEST(TResources, ALaterNTReleaseAlsoAnswers90WithoutACall) {
  auto m = test::WinXPSP3();
  m.version = {6, 1, 7601, platform::kPlatformNT, "Service Pack 1", true, 1, 0, 0, 1, 0};
  test::TestMachine machine(m);
  ASSERT_TRUE(OSInfo().IsNT);
  TMemory memory;
  memory.GetInfo();
  EXPECT_EQ(memory.Resources().User(), 90);
  EXPECT_TRUE(machine.Data().memory.calls16.empty());
  EXPECT_TRUE(machine.Platform().consoleLines.empty());
}

// user.exe is asked once for the entry, then each heap at every gathering;
// an answer that is no percentage leaves all three unknown.
TEST(TResources, NineXAsksUserExeOnceThenEachHeap) {
  struct Case {
    std::uint16_t system, gdi, user;
    int expectSystem, expectGdi, expectUser;
  };
  const Case cases[] = {{71, 82, 63, 71, 82, 63}, {71, 0xBEEF, 63, 0, 0, 0}, {101, 82, 63, 0, 0, 0}};
  for (const auto& c : cases) {
    auto m = test::Win98SE();
    m.memory.thunkGate = true;
    m.memory.freeSystem = c.system;
    m.memory.freeGdi = c.gdi;
    m.memory.freeUser = c.user;
    test::TestMachine machine(m);
    TMemory memory;
    memory.SetExceptionMode(emRaise);
    memory.GetInfo();
    memory.GetInfo();
    EXPECT_EQ(memory.Resources().System(), c.expectSystem);
    EXPECT_EQ(memory.Resources().GDI(), c.expectGdi);
    EXPECT_EQ(memory.Resources().User(), c.expectUser);
    EXPECT_EQ(machine.Data().memory.calls16,
              (std::vector<std::string>{"load user.exe", "entry GetFreeSystemResources", "free", "call 0", "call 2",
                                        "call 1", "call 0", "call 2", "call 1"}));
  }
}

TEST(TResources, WithoutTheCallGateTheAmountsAreUnknownAndNothingIsCalled) {
  auto m = test::Win98SE();
  m.memory.thunkGate = false;
  m.memory.freeSystem = 71;
  test::TestMachine machine(m);
  TMemory memory;
  memory.SetExceptionMode(emRaise);
  memory.GetInfo();
  EXPECT_EQ(memory.Resources().System(), 0);
  EXPECT_EQ(memory.Resources().User(), 0);
  EXPECT_TRUE(machine.Data().memory.calls16.empty());
  EXPECT_TRUE(machine.Platform().consoleLines.empty());
}

TEST(TResources, FailuresAreReportedByTheGuardAndMemoryIsStillGathered) {
  struct Case {
    bool gate, loads, entry;
    const char* message;
  };
  const Case cases[] = {
      {true, false, true, "TMemory.GetInfo: Can't load USER.EXE!"},
      {true, true, false, "TMemory.GetInfo: Can't get address of GetFreeSystemResources"},
  };
  for (const auto& c : cases) {
    auto m = test::Win98SE();
    m.memory.thunkGate = c.gate;
    m.memory.userExeLoads = c.loads;
    m.memory.freeResourcesEntry = c.entry;
    m.memory.status.totalPhys = 0x04000000u;
    test::TestMachine machine(m);
    TMemory memory;
    memory.GetInfo();
    EXPECT_EQ(machine.Platform().consoleLines, std::vector<std::string>{c.message});
    EXPECT_EQ(memory.PhysicalTotal(), 0x04000000);
    // Said once: the overview's once-a-second gathering then answers unknown.
    memory.SetExceptionMode(emRaise);
    EXPECT_NO_THROW(memory.GetInfo());
    EXPECT_EQ(memory.Resources().System(), 0);
    TMemory fresh;
    fresh.SetExceptionMode(emRaise);
    EXPECT_THROW(fresh.GetInfo(), Exception);
  }
}

}  // namespace
}  // namespace nsx
