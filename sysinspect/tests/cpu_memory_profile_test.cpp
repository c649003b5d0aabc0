// The profile's processor, memory, power and free-resources data.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/sim/Profile.h"
#include "platform/sim/ProfileError.h"

namespace nsx::sim {
namespace {

class ProfileDir {
 public:
  ProfileDir() {
    char pattern[] = "/tmp/cpu_profile_XXXXXX";
    dir_ = mkdtemp(pattern);
  }
  ~ProfileDir() {
    for (const auto& f : files_) std::remove((dir_ + "/" + f).c_str());
    rmdir(dir_.c_str());
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << text;
    files_.push_back(name);
  }
  const std::string& Path() const { return dir_; }

 private:
  std::string dir_;
  std::vector<std::string> files_;
};

TEST(HardwareProfile, SectionsAndDumpFillTheMachine) {
  ProfileDir p;
  p.Write("machine.ini",
          "[version]\nPlatformId=2\nMajor=5\nMinor=1\nBuild=2600\n"
          "[cpu]\nClockMHz=2399.7\nCount=2\nMaxAppAddress=0xBFFEFFFF\n"
          "[memory]\nTotalPhys=0x180000000\nAvailPhys=1073741824\nMemoryLoad=33\n"
          "[power]\nACLineStatus=0\nBatteryFlag=8\nBatteryLifePercent=55\nBatteryLifeTime=3600\n");
  p.Write("cpuid.txt", "CPU 0:\n   0x00000001 0x00: eax=0x00000f27 ebx=0x00010809 ecx=0x00000000 edx=0xbfebfbff\n");
  SimMachine m = LoadProfile(p.Path());
  EXPECT_DOUBLE_EQ(m.processor.clockMHz, 2399.7);
  EXPECT_EQ(m.processor.systemInfo.numberOfProcessors, 2u);
  EXPECT_EQ(m.processor.systemInfo.maximumApplicationAddress, 0xBFFEFFFFu);
  EXPECT_EQ(m.processor.leaves.at(1).eax, 0xF27u);
  ASSERT_TRUE(m.memory.statusEx.has_value());
  EXPECT_EQ(m.memory.statusEx->totalPhys, 0x180000000ull);
  EXPECT_EQ(m.memory.status.totalPhys, 0xFFFFFFFFu);  // the old query is clipped
  EXPECT_EQ(m.memory.status.availPhys, 1073741824u);
  EXPECT_EQ(m.memory.status.memoryLoad, 33u);
  ASSERT_TRUE(m.memory.power.has_value());
  EXPECT_EQ(m.memory.power->batteryFlag, 8);
  EXPECT_EQ(m.memory.power->batteryLifeTime, 3600u);
  EXPECT_EQ(m.memory.power->batteryFullLifeTime, 0xFFFFFFFFu);
  EXPECT_FALSE(m.memory.thunkGate);
}

TEST(HardwareProfile, NineXDefaultsAndResources) {
  ProfileDir p;
  p.Write("machine.ini",
          "[version]\nPlatformId=1\nMajor=4\nMinor=10\nBuild=0x040A08AE\n"
          "[resources]\nSystem=70\nGDI=80\nUser=60\nEntry=0\n[power]\nFails=1\n");
  SimMachine m = LoadProfile(p.Path());
  EXPECT_FALSE(m.memory.statusEx.has_value());
  EXPECT_TRUE(m.memory.thunkGate);
  EXPECT_FALSE(m.memory.freeResourcesEntry);
  EXPECT_EQ(m.memory.freeGdi, 80);
  EXPECT_FALSE(m.memory.power.has_value());
  EXPECT_TRUE(m.processor.leaves.empty());
}

TEST(HardwareProfile, BadValuesNameTheFileAndLine) {
  const char* bad[] = {"[cpu]\nClockMHz=fast\n", "[cpu]\nClockMHz=-5\n", "[power]\nBatteryFlag=256\n",
                       "[memory]\nTotalPhys=-1\n", "[resources]\nEntry=2\n"};
  for (const char* text : bad) {
    ProfileDir p;
    p.Write("machine.ini", text);
    try {
      LoadProfile(p.Path());
      ADD_FAILURE() << "accepted " << text;
    } catch (const ProfileError& e) {
      EXPECT_EQ(e.Line(), 2) << text;
    }
  }
  ProfileDir p;
  p.Write("machine.ini", "");
  p.Write("cpuid.txt", "CPU 0:\n   not a leaf\n");
  try {
    LoadProfile(p.Path());
    ADD_FAILURE() << "accepted a bad dump";
  } catch (const ProfileError& e) {
    EXPECT_EQ(e.File(), p.Path() + "/cpuid.txt");
    EXPECT_EQ(e.Line(), 2);
  }
}

}  // namespace
}  // namespace nsx::sim
