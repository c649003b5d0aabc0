// The physical memory window: bounded reads, and the three ways to fill it
// on simulated machines (the 9x copy, the NT section, the DOS dump program
// run through the command interpreter in a temporary directory).
#include <gtest/gtest.h>

#include "TestMachine.h"
#include "hardware/NSX_DMA.h"

namespace nsx {
namespace {

const char kComSpec[] = "C:\\WINDOWS\\system32\\cmd.exe";

// A first megabyte whose every byte tells its address apart.
platform::Bytes PatternedMemory() {
  platform::Bytes memory(sim::kLowMemorySize);
  for (std::uint32_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<std::uint8_t>(i * 7 + (i >> 16));
  return memory;
}

// Windows XP without the rights to open the physical-memory section.
sim::SimMachine UserOnXP(const std::string& tempDir = "C:\\WINDOWS\\TEMP\\") {
  auto machine = test::WinXPSP3();
  machine.firmware.lowMemory = PatternedMemory();
  machine.firmware.sectionStatus = platform::kStatusAccessDenied;
  machine.environment = {std::string("ComSpec=") + kComSpec};
  machine.tempDir = tempDir;
  return machine;
}

bool SameAsMemory(const TDMA& window, const platform::Bytes& memory) {
  for (std::uint32_t i = 0; i < window.Length(); ++i)
    if (window.Buffer()[i] != memory[window.WindowStart() + i]) return false;
  return window.Length() > 0;
}

TEST(TMemoryWindow, ReadsInsideTheWindowOnly) {
  TMemoryWindow w;
  w.Assign(0xF0000, {0x11, 0x22, 0x33, 0x44, 0x55});
  EXPECT_EQ(w.ReadByte(0xF0004), 0x55);
  EXPECT_EQ(w.ReadByte(0xF0005), 0);
  EXPECT_EQ(w.ReadByte(0xEFFFF), 0);
  EXPECT_EQ(w.ReadWord(0xF0003), 0x5544);
  EXPECT_EQ(w.ReadWord(0xF0004), 0);  // WindowStart + Length - 1
  EXPECT_EQ(w.ReadDWord(0xF0001), 0x55443322u);
  EXPECT_EQ(w.ReadDWord(0xF0002), 0u);
  EXPECT_TRUE(w.IsValidAddress(0xF0005));
  EXPECT_FALSE(w.IsValidAddress(0xF0006));
  // An address just below 4 GB must not wrap round into the window.
  TMemoryWindow top;
  top.Assign(0xFFFFFFFC, {1, 2, 3, 4});
  EXPECT_EQ(top.ReadDWord(0xFFFFFFFC), 0x04030201u);
  EXPECT_EQ(top.ReadWord(0xFFFFFFFF), 0);
  EXPECT_EQ(w.ReadDWord(0xFFFFFFFE), 0u);
  // ReadBuffer writes the bytes asked for and no more.
  std::uint8_t out[8];
  std::fill(std::begin(out), std::end(out), 0xEE);
  w.ReadBuffer(0xF0003, 4, out);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[3], 0);
  EXPECT_EQ(out[4], 0xEE);
  w.ReadBuffer(0xF0001, 2, out);
  EXPECT_EQ(out[0], 0x22);
  EXPECT_EQ(out[1], 0x33);
}

TEST(TDMA, DumpSelectorsFollowTheHexadecimalDigits) {
  const std::pair<std::uint32_t, int> cases[] = {{0x000F0000, 0xF0}, {0x000E0000, 0xE0}, {0x00100000, 0x01}, {0x000F5A10, 0xF0}};
  for (auto [address, selector] : cases) EXPECT_EQ(DumpSelector(address), selector) << std::hex << address;
  EXPECT_TRUE(DumpProgram(0xE0));
  EXPECT_FALSE(DumpProgram(0x01));
}

TEST(TDMA, EachWayFillsTheWindowWithTheMemory) {
  struct Case {
    const char* way;
    bool nt;
    std::uint32_t sectionStatus;
    bool viewMaps;
  };
  const Case cases[] = {
      {"9x copy", false, 0, true},
      {"NT section", true, platform::kStatusSuccess, true},
      {"dump, section denied", true, platform::kStatusAccessDenied, true},
      {"dump, no view", true, platform::kStatusSuccess, false},
  };
  for (const auto& c : cases) {
    auto machine = c.nt ? UserOnXP() : test::Win98SE();
    machine.firmware.lowMemory = PatternedMemory();
    machine.firmware.sectionStatus = c.sectionStatus;
    machine.firmware.sectionMaps = c.viewMaps;
    test::TestMachine running(machine);
    TDMA dma;
    ASSERT_TRUE(dma.MapMemory(0xF0000, 0xFFFF)) << c.way;
    EXPECT_TRUE(SameAsMemory(dma, running.Data().firmware.lowMemory)) << c.way;
    EXPECT_EQ(dma.ReadByte(0xFFFFF), 0) << c.way;  // just past the window
    ASSERT_TRUE(dma.MapMemory(0xE1234, 0x100)) << c.way;
    EXPECT_TRUE(SameAsMemory(dma, running.Data().firmware.lowMemory)) << c.way;
  }
}

TEST(TDMA, DumpRunsTheProgramInAFreshDirectoryAndLeavesNothing) {
  for (std::string temp : {"C:\\WINDOWS\\TEMP\\", "C:\\Documents and Settings\\Zoe\\Local Settings\\Temp"}) {
    auto machine = UserOnXP(temp);
    machine.files.directories.insert(sim::WithoutTrailingSlash(temp) + "\\~RomDmp1");
    test::TestMachine running(machine);
    auto before = running.Data().files;
    TDMA dma;
    ASSERT_TRUE(dma.MapMemory(0xE0000, 0x10000)) << temp;
    EXPECT_TRUE(SameAsMemory(dma, running.Data().firmware.lowMemory));
    const auto& files = running.Data().files;
    EXPECT_EQ(files.directories, before.directories);
    EXPECT_EQ(files.files.size(), before.files.size());
    std::string dir = sim::WithoutTrailingSlash(temp) + "\\~RomDmp2";
    std::vector<std::string> expected = {
        "mkdir " + dir,
        "write " + dir + "\\RomDump.com",
        "run \"" + std::string(kComSpec) + "\" /C \"\"" + dir + "\\RomDump.com\" > \"" + dir + "\\Rom.dmp\"\"",
        "wait " + std::to_string(kDumpTimeoutMilliseconds),
        "read " + dir + "\\Rom.dmp",
        "delete " + dir + "\\Rom.dmp",
        "delete " + dir + "\\RomDump.com",
        "rmdir " + dir,
    };
    EXPECT_EQ(files.events, expected);
  }
}

TEST(TDMA, AFailedDumpIsAFailureAndCleansUp) {
  struct Case {
    const char* what;
    sim::SimChild child;
    bool comSpec;
    std::uint32_t address, length;
    bool runs;
  };
  const Case cases[] = {
      {"child never ends", sim::SimChild::Hangs, true, 0xF0000, 0xFFFF, true},
      {"child does not start", sim::SimChild::DoesNotStart, true, 0xF0000, 0xFFFF, true},
      {"no command interpreter", sim::SimChild::Runs, false, 0xF0000, 0xFFFF, false},
      {"above the first megabyte", sim::SimChild::Runs, true, 0x100000, 0x10, false},
      {"across the 64 KB segment", sim::SimChild::Runs, true, 0xEFF00, 0x200, false},
  };
  for (const auto& c : cases) {
    auto machine = UserOnXP();
    machine.files.child = c.child;
    if (!c.comSpec) machine.environment.clear();
    test::TestMachine running(machine);
    auto before = running.Data().files;
    TDMA dma;
    EXPECT_FALSE(dma.MapMemory(c.address, c.length)) << c.what;
    EXPECT_EQ(dma.Length(), c.length) << c.what;
    EXPECT_EQ(std::count(dma.Buffer().begin(), dma.Buffer().end(), 0), c.length) << c.what;
    const auto& files = running.Data().files;
    EXPECT_EQ(files.directories, before.directories) << c.what;
    EXPECT_TRUE(files.files.empty()) << c.what;
    bool ran = std::any_of(files.events.begin(), files.events.end(), [](const std::string& e) { return e.rfind("run ", 0) == 0; });
    EXPECT_EQ(ran, c.runs) << c.what;
  }
}

TEST(TDMA, AnUnreadableFirstMegabyteOn9xGivesZeros) {
  auto machine = test::Win98SE();
  machine.firmware.lowMemory = PatternedMemory();
  machine.firmware.linearMemoryReadable = false;
  test::TestMachine running(machine);
  TDMA dma;
  EXPECT_FALSE(dma.MapMemory(0xF0000, 0xFFFF));
  EXPECT_EQ(dma.ReadDWord(0xF0010), 0u);
  EXPECT_FALSE(dma.MapMemory(0x100000, 0x10));  // not physical memory on 9x
}

}  // namespace
}  // namespace nsx
