// The identify sectors of 29 real drives (../shared/data/ata): decoded
// alone, and read by the IDE topic from every position of simulated 9x and
// NT machines, against what hdparm decodes from the same sectors.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "TestMachine.h"
#include "hardware/IdentifyData.h"
#include "hardware/NSX_IDE.h"

namespace nsx {
namespace {

const std::string kAtaDir = std::string(SYSINSPECT_SHARED_DATA) + "/ata";

// What hdparm --Istdin says of a sector, in the fields this program shares.
struct HdparmDecode {
  std::string name;
  platform::Bytes sector;
  bool packet = false;
  std::string model, serial, firmware;
  int cylinders = 0, heads = 0, sectors = 0;  // default geometry
  long long megabytes = 0;                    // "device size with M = 1024*1024"
  bool lba = false, lba48 = false, smart = false, smartEnabled = false;
};

std::string Trimmed(const std::string& s) {
  auto b = s.find_first_not_of(" \t");
  auto e = s.find_last_not_of(" \t");
  return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

HdparmDecode LoadSample(const std::string& name) {
  HdparmDecode d;
  d.name = name;
  std::ifstream bin(kAtaDir + "/" + name + ".bin", std::ios::binary);
  d.sector.assign(std::istreambuf_iterator<char>(bin), std::istreambuf_iterator<char>());
  std::ifstream text(kAtaDir + "/" + name + ".hdparm.txt");
  static const std::regex model(R"(\s*Model Number:(.*))"), serial(R"(\s*Serial Number:(.*))"),
      firmware(R"(\s*Firmware Revision:(.*))"), cylinders(R"(\s*cylinders\s+(\d+)\s+\d+)"),
      heads(R"(\s*heads\s+(\d+)\s+\d+)"), sectors(R"(\s*sectors/track\s+(\d+)\s+\d+)"),
      size(R"(\s*device size with M = 1024\*1024:\s*(\d+) MBytes)"), lba(R"(\s*LBA, .*)"),
      smart(R"(\s*(\*?)\s*SMART feature set)"), lba48(R"(\s*\*?\s*48-bit Address feature set)");
  std::string line;
  std::smatch m;
  while (std::getline(text, line)) {
    if (line.rfind("ATAPI", 0) == 0) d.packet = true;
    if (std::regex_match(line, m, model)) d.model = Trimmed(m[1]);
    if (std::regex_match(line, m, serial)) d.serial = Trimmed(m[1]);
    if (std::regex_match(line, m, firmware)) d.firmware = Trimmed(m[1]);
    if (std::regex_match(line, m, cylinders)) d.cylinders = std::stoi(m[1]);
    if (std::regex_match(line, m, heads)) d.heads = std::stoi(m[1]);
    if (std::regex_match(line, m, sectors)) d.sectors = std::stoi(m[1]);
    if (std::regex_match(line, m, size)) d.megabytes = std::stoll(m[1]);
    if (std::regex_match(line, lba)) d.lba = true;
    if (std::regex_match(line, m, smart)) {
      d.smart = true;
      d.smartEnabled = m[1] == "*";
    }
    if (std::regex_match(line, lba48)) d.lba48 = true;
  }
  return d;
}

const std::vector<HdparmDecode>& Samples() {
  static const std::vector<HdparmDecode> samples = [] {
    std::vector<std::string> names;
    if (DIR* dir = opendir(kAtaDir.c_str())) {
      while (dirent* entry = readdir(dir)) {
        std::string file = entry->d_name;
        if (file.size() > 4 && file.compare(file.size() - 4, 4, ".bin") == 0)
          names.push_back(file.substr(0, file.size() - 4));
      }
      closedir(dir);
    }
    std::sort(names.begin(), names.end());
    std::vector<HdparmDecode> loaded;
    for (const auto& name : names) loaded.push_back(LoadSample(name));
    return loaded;
  }();
  return samples;
}

TEST(IdentifyRealData, EverySectorDecodesAsHdparmReadsIt) {
  ASSERT_GE(Samples().size(), 29u);
  int packets = 0;
  for (const auto& s : Samples()) {
    SCOPED_TRACE(s.name);
    ASSERT_EQ(s.sector.size(), kIdentifySize);
    TIdentifyData d = DecodeIdentify(s.sector.data(), s.sector.size());
    EXPECT_EQ(d.model, s.model);
    EXPECT_EQ(d.serialNumber, s.serial);
    EXPECT_EQ(d.revision, s.firmware);
    EXPECT_EQ(d.packetDevice, s.packet);
    EXPECT_EQ(d.cylinders, s.cylinders);
    EXPECT_EQ(d.heads, s.heads);
    EXPECT_EQ(d.sectorsPerTrack, s.sectors);
    EXPECT_EQ(static_cast<long long>(d.CapacityBytes() / 1024 / 1024), s.megabytes);
    if (!s.packet) EXPECT_EQ(d.lba, s.lba);
    EXPECT_EQ(d.lba48, s.lba48);
    EXPECT_EQ(d.smartSupported, s.smart);
    EXPECT_EQ(d.smartEnabled, s.smartEnabled);
    packets += s.packet;
  }
  EXPECT_EQ(packets, 3);  // the three CD and DVD drives
}

struct FamilyCase {
  const char* name;
  sim::SimMachine (*machine)();
  TAccessMethod method;
};

// Every sector in every position, on a machine of each family, read by the
// reader the family has.
TEST(IdentifyRealData, EveryPositionOfSimulatedMachinesShowsTheDrive) {
  const FamilyCase families[] = {
      // family   machine          reader
      {"98 SE", test::Win98SE, amPhysical},
      {"XP", test::WinXPSP3, amSCSI},
  };
  const auto& samples = Samples();
  const size_t n = samples.size();
  for (const auto& family : families) {
    for (size_t first = 0; first < n; first += 4) {
      for (size_t turn = 0; turn < 4; ++turn) {
        sim::SimMachine m = family.machine();
        size_t at[4];
        for (size_t p = 0; p < 4; ++p) {
          at[p] = (first + (p + turn) % 4) % n;
          m.ide.identify[p] = samples[at[p]].sector;
        }
        test::TestMachine machine(std::move(m));
        TIDE ide;
        ide.GetInfo();
        TReportList list(1252);
        ide.Report(list, false);
        for (int p = 0; p < 4; ++p) {
          const HdparmDecode& s = samples[at[p]];
          SCOPED_TRACE(std::string(family.name) + " position " + std::to_string(p) + " " + s.name);
          const TDeviceInfo& d = ide.Position(p);
          EXPECT_EQ(d.AccessMethod, family.method);
          EXPECT_EQ(d.ModelNumber, s.model);
          EXPECT_EQ(d.SerialNumber, s.serial);
          EXPECT_EQ(d.RevisionNumber, s.firmware);
          EXPECT_EQ(d.Cylinders, static_cast<std::uint32_t>(s.cylinders));
          EXPECT_EQ(d.Heads, static_cast<std::uint32_t>(s.heads));
          EXPECT_EQ(d.SectorsPerTrack, static_cast<std::uint32_t>(s.sectors));
          EXPECT_EQ(d.Capacity / 1024 / 1024, s.megabytes);
          EXPECT_EQ(list[1 + p * 9 + 7], "<data name=\"Capacity\" type=\"integer\" source=\"" +
                                             AccessMethodName(family.method) + "\" unit=\"MB\">" +
                                             std::to_string(s.megabytes) + "</data>");
        }
      }
    }
  }
}

}  // namespace
}  // namespace nsx
