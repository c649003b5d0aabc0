// The reader of raw CPUID dumps (the layout of `cpuid -r`).
#include <gtest/gtest.h>

#include "platform/sim/CpuIdDump.h"
#include "platform/sim/ProfileError.h"

namespace nsx::sim {
namespace {

TEST(CpuIdDump, ReadsTheFirstProcessorOnly) {
  const char text[] =
      "CPU 0:\n"
      "   0x00000000 0x00: eax=0x00000002 ebx=0x756e6547 ecx=0x6c65746e edx=0x49656e69\r\n"
      "   0x00000001 0x00: eax=0x00000F24 ebx=0x00010809 ecx=0x00000000 edx=0x3febfbff\n"
      "\n"
      "CPU 1:\n"
      "   0x00000001 0x00: eax=0x11111111 ebx=0x00000000 ecx=0x00000000 edx=0x00000000\n"
      "   0x00000002 0x00: eax=0x665b5001 ebx=0x00000000 ecx=0x00000000 edx=0x007b7040\n";
  auto leaves = ParseCpuIdDump(text, "cpuid.txt");
  ASSERT_EQ(leaves.size(), 2u);
  EXPECT_EQ(leaves.at(0).ebx, 0x756e6547u);
  EXPECT_EQ(leaves.at(1).eax, 0x00000F24u);
  EXPECT_EQ(leaves.at(1).edx, 0x3febfbffu);
  EXPECT_EQ(leaves.count(2), 0u);
}

TEST(CpuIdDump, KeepsSubleafZeroAndTheFirstLineOfALeaf) {
  const char text[] =
      "CPU:\n"
      "   0x00000004 0x01: eax=0x00000001 ebx=0x00000000 ecx=0x00000000 edx=0x00000000\n"
      "   0x00000004 0x00: eax=0x00000002 ebx=0x00000000 ecx=0x00000000 edx=0x00000000\n"
      "   0x00000004 0x00: eax=0x00000003 ebx=0x00000000 ecx=0x00000000 edx=0x00000000\n"
      "   0x80000008 0x00: eax=0x00003028 ebx=0x00000000 ecx=0x00000000 edx=0x00000000\n";
  auto leaves = ParseCpuIdDump(text, "cpuid.txt");
  EXPECT_EQ(leaves.at(4).eax, 2u);
  EXPECT_EQ(leaves.at(0x80000008u).eax, 0x3028u);
}

TEST(CpuIdDump, LinesOutsideTheLayoutNameFileAndLine) {
  const char* bad[] = {
      "CPU 0:\n   0x00000000 0x00 eax=0x1 ebx=0x0 ecx=0x0 edx=0x0\n",        // no colon after the subleaf
      "CPU 0:\n   0x00000000 0x00: eax=0x1 ebx=0x0 ecx=0x0\n",                // a register missing
      "CPU 0:\n   0x00000000 0x00: eax=0x1 ebx=0x0 ecx=0x0 edx=0x0 extra\n",  // trailing text
      "CPU 0:\n   0x00000000 0x00: eax=0x123456789 ebx=0x0 ecx=0x0 edx=0x0\n",  // wider than 32 bits
      "CPU 0:\n   0x00000000 0x00: eax=0x1g ebx=0x0 ecx=0x0 edx=0x0\n",       // not hexadecimal
      "CPU 0:\n   0x00000000 0x00: ebx=0x1 eax=0x0 ecx=0x0 edx=0x0\n",        // registers out of order
      "CPU 0:\n   00000000 0x00: eax=0x1 ebx=0x0 ecx=0x0 edx=0x0\n",          // no 0x prefix
  };
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    try {
      ParseCpuIdDump(text, "dir/cpuid.txt");
      FAIL() << "accepted";
    } catch (const ProfileError& e) {
      EXPECT_EQ(e.File(), "dir/cpuid.txt");
      EXPECT_EQ(e.Line(), 2);
    }
  }
}

TEST(CpuIdDump, EmptyTextHasNoLeaves) { EXPECT_TRUE(ParseCpuIdDump("", "cpuid.txt").empty()); }

}  // namespace
}  // namespace nsx::sim
