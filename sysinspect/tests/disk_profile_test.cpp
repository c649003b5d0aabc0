// The profile's drives, connections and IDE sectors, read by the topics.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestMachine.h"
#include "hardware/NSX_Disk.h"
#include "hardware/NSX_IDE.h"
#include "platform/sim/Profile.h"
#include "platform/sim/ProfileError.h"

namespace nsx {
namespace {

namespace fs = std::filesystem;

class DiskProfileDir {
 public:
  DiskProfileDir() {
    char pattern[] = "/tmp/disk_profile_XXXXXX";
    dir_ = mkdtemp(pattern);
    fs::create_directory(dir_ + "/ide");
  }
  ~DiskProfileDir() { fs::remove_all(dir_); }
  void Write(const std::string& name, const std::string& content) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << content;
  }
  const std::string& Path() const { return dir_; }

 private:
  std::string dir_;
};

// A drive of the sector's model at primary slave: words little-endian,
// texts two characters a word, first character in the high byte.
std::string Sector(const std::string& model) {
  std::string s(512, '\0');
  std::string field = model;
  field.resize(40, ' ');
  for (size_t i = 0; i < 40; i += 2) {
    s[54 + i] = field[i + 1];
    s[54 + i + 1] = field[i];
  }
  s[98] = 0x00, s[99] = 0x02;  // word 49: LBA
  s[120] = 0x00, s[121] = 0x10;  // word 60: 4096 sectors
  return s;
}

TEST(DiskProfile, DrivesConnectionsAndSectorsReachTheTopics) {
  DiskProfileDir p;
  p.Write("machine.ini",
          "[version]\nPlatformId=1\nMajor=4\nMinor=0\nBuild=950\nCSD=\" \"\n"
          "[drive a]\nType=removable\nMedia=0\n"
          "[drive C]\nLabel=Daten & Bilder\nSerial=1a2b3c4d\nFileSystem=FAT32\nSectorsPerCluster=64\n"
          "FreeClusters=1000\nTotalClusters=65535\nCurrentDir=C:\\WINDOWS\n"
          "[drive N]\nType=remote\nRemote=\\\\server\\share\nFileSystem=NWFS\nCapacity=0x100000000\n"
          "[connections]\nUnnamed=\\\\server\\print\n"
          "[ide]\nSmartVxd=1\n");
  p.Write("ide/1.bin", Sector("QUANTUM FIREBALL"));
  test::TestMachine machine(sim::LoadProfile(p.Path()));
  EXPECT_FALSE(machine.Data().disks.hasFreeSpaceEx);  // retail Windows 95

  TDisk disk;
  disk.GetInfo();
  EXPECT_EQ(disk.AvailableDisks(), "ACN");
  disk.SetDrive("C:");
  EXPECT_EQ(disk.VolumeLabel(), "Daten & Bilder");
  EXPECT_EQ(disk.SerialNumber(), "1A2B-3C4D");
  EXPECT_EQ(disk.Capacity(), 64ll * 512 * 65535);  // from the clusters, without the extended query
  EXPECT_EQ(disk.UNC(), "C:\\");
  disk.SetDrive("N:");
  EXPECT_EQ(disk.MediaType(), dtRemote);
  EXPECT_EQ(disk.UNC(), "\\\\server\\share\\");
  disk.SetDrive("A:");
  EXPECT_FALSE(disk.MediaPresent());

  TIDE ide;
  ide.GetInfo();
  EXPECT_EQ(ide.PrimarySlave().ModelNumber, "QUANTUM FIREBALL");
  EXPECT_EQ(ide.PrimarySlave().AccessMethod, amPhysical);  // the SMART VxD, the 9x family's direct way
  EXPECT_EQ(ide.PrimarySlave().Capacity, 4096 * 512);
  EXPECT_EQ(ide.PrimaryMaster().ModelNumber, "");
}

TEST(DiskProfile, BadEntriesNameTheFile) {
  const std::pair<const char*, const char*> bad[] = {
      {"[drive CD]\nType=fixed\n", "[drive CD]"},
      {"[drive C]\nType=floppy\n", "machine.ini:2"},
      {"[connections]\nZ:=\\\\server\\share\n", "machine.ini:2"},
  };
  for (const auto& [ini, where] : bad) {
    DiskProfileDir p;
    p.Write("machine.ini", ini);
    try {
      sim::LoadProfile(p.Path());
      ADD_FAILURE() << ini;
    } catch (const sim::ProfileError& e) {
      EXPECT_NE(std::string(e.what()).find(where), std::string::npos) << e.what();
    }
  }
  DiskProfileDir p;
  p.Write("machine.ini", "[machine]\n");
  p.Write("ide/2.bin", std::string(511, '\0'));
  EXPECT_THROW(sim::LoadProfile(p.Path()), sim::ProfileError);
}

}  // namespace
}  // namespace nsx
