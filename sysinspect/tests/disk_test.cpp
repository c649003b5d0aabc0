// The disk topic on simulated machines: the drive list, a drive's figures
// taken only from queries that answered, critical errors suppressed while
// a drive is read, names from the drive's root and its network connection,
// and the report.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestMachine.h"
#include "core/NSX_GUI.h"
#include "hardware/NSX_Disk.h"

namespace nsx {
namespace {

sim::SimDrive Fixed(std::uint64_t capacity, std::uint64_t free, std::uint32_t totalClusters) {
  sim::SimDrive d;
  d.freeSpace = {8, 512, 1000, totalClusters};
  d.freeSpaceEx = platform::DiskFreeSpaceEx{free, capacity, free};
  d.volume = platform::VolumeInformation{"Data & <Docs>", 0x0000ABCD, 255, 0x000700FF, "NTFS"};
  return d;
}

// A floppy and a CD drive without media, a 12 TB fixed disk whose current
// directory is deep inside it, a mapped network drive, and a connection
// made without a drive letter.
sim::SimMachine WithDrives(sim::SimMachine m) {
  sim::SimDrive floppy;
  floppy.type = platform::kDriveRemovable;
  floppy.mediaPresent = false;
  sim::SimDrive cd = floppy;
  cd.type = platform::kDriveCdRom;
  m.disks.drives['A'] = floppy;
  m.disks.drives['C'] = Fixed(12288000000000ull, 4096000, 3000000000u);
  m.disks.drives['C'].currentDirectory = "C:\\Documents and Settings\\User";
  m.disks.drives['D'] = cd;
  sim::SimDrive net = Fixed(1ull << 32, 1ull << 31, 1048576);
  net.type = platform::kDriveRemote;
  net.remoteName = "\\\\server\\share";
  net.volume->fileSystem = "NFS&Co";
  m.disks.drives['Z'] = net;
  m.disks.unnamedConnections = {"\\\\printers\\ipc$"};
  return m;
}

std::vector<std::string> Section(const TReportList& list, const std::string& name) {
  auto& lines = list.Lines();
  auto start = std::find(lines.begin(), lines.end(), "<section name=\"" + name + "\">");
  if (start == lines.end()) return {};
  return std::vector<std::string>(start, std::min(start + 27, lines.end()));
}

std::string Data(const std::string& name, const std::string& value, const std::string& type = "string",
                 const std::string& unit = "") {
  return "<data name=\"" + name + "\" type=\"" + type + "\"" + (unit.empty() ? "" : " unit=\"" + unit + "\"") + ">" +
         value + "</data>";
}

TEST(TDisk, ReportOfEveryDriveInOrder) {
  test::TestMachine machine(WithDrives(test::WinXPSP3()));
  TDisk disk;
  disk.GetInfo();
  EXPECT_EQ(disk.AvailableDisks(), "ACDZ");
  TReportList list(1252);
  disk.Report(list, false);
  EXPECT_EQ(list[1], Data("AvailableLogicalDisks", "ACDZ"));
  std::vector<std::string> sections;
  for (const auto& line : list.Lines())
    if (line.rfind("<section name=\"Disk_", 0) == 0) sections.push_back(line.substr(20, 1));
  EXPECT_EQ(sections, (std::vector<std::string>{"A", "C", "D", "Z"}));

  auto c = Section(list, "Disk_C");
  ASSERT_EQ(c.size(), 27u);
  EXPECT_EQ(std::vector<std::string>(c.begin() + 1, c.begin() + 13),
            (std::vector<std::string>{
                Data("VolumeLabel", "Data &amp; &lt;Docs&gt;"),
                Data("FileSystem", "NTFS"),
                Data("Type", "Fixed"),
                Data("UNC", "C:\\"),  // the root, not the current directory
                Data("SerialNumber", "0000-ABCD"),
                Data("Capacity", "12288000000000", "integer", "B"),
                Data("FreeSpace", "4096000", "integer", "B"),
                Data("BytesPerSector", "512", "integer"),
                Data("SectorsPerCluster", "8", "integer"),
                Data("FreeClusters", "1000", "integer"),
                Data("TotalClusters", "3000000000", "integer"),  // not a negative number
                "<section name=\"Flags\">",
            }));
  EXPECT_EQ(c[13], Data("CaseIsPreserved", "1", "boolean"));
  EXPECT_EQ(c[19], Data("LongFilenames", "1", "boolean"));
  EXPECT_EQ(c[21], Data("ObjectODsSupport", "1", "boolean"));

  // The empty CD drive: its type, and nothing else.
  auto d = Section(list, "Disk_D");
  ASSERT_EQ(d.size(), 27u);
  EXPECT_EQ(d[3], Data("Type", "CDROM"));
  for (int i : {1, 2, 5}) EXPECT_EQ(d[i].find("\"></data>") != std::string::npos, true) << d[i];
  for (int i = 6; i <= 11; ++i) EXPECT_NE(d[i].find(">0</data>"), std::string::npos) << d[i];
  EXPECT_EQ(std::count_if(d.begin() + 13, d.begin() + 25,
                          [](const std::string& line) { return line.find(">1<") != std::string::npos; }),
            0);

  auto z = Section(list, "Disk_Z");
  EXPECT_EQ(z[2], Data("FileSystem", "NFS&amp;Co"));
  EXPECT_EQ(z[4], Data("UNC", "\\\\server\\share\\"));
  EXPECT_EQ(z[6], Data("Capacity", "4294967296", "integer", "B"));
  EXPECT_EQ(disk.Drive(), "Z:");  // the report leaves the last drive selected
}

TEST(TDisk, CriticalErrorsStaySuppressedWhileDrivesAreRead) {
  sim::SimMachine m = WithDrives(test::Win98SE());
  m.disks.errorMode = 0x8000;
  test::TestMachine machine(std::move(m));
  TDisk disk;
  disk.GetInfo();
  TReportList list(1252);
  disk.Report(list, false);
  disk.SetDrive("D:");
  EXPECT_FALSE(disk.MediaPresent());
  EXPECT_EQ(machine.Data().disks.unsuppressedQueries, std::vector<std::string>{});
  EXPECT_EQ(machine.Data().disks.errorMode, 0x8000u);  // the caller's mode is back
}

TEST(TDisk, ADriveWithoutMediaShowsNothingOfThePreviousDrive) {
  test::TestMachine machine(WithDrives(test::WinXPSP3()));
  TDisk disk;
  disk.SetDrive("c:\\windows");
  EXPECT_EQ(disk.Drive(), "c:");
  EXPECT_TRUE(disk.MediaPresent());
  EXPECT_EQ(disk.Capacity(), 12288000000000ll);
  disk.SetDrive("A:");
  EXPECT_FALSE(disk.MediaPresent());
  EXPECT_EQ(disk.MediaType(), dtRemovable);
  EXPECT_EQ(disk.Capacity() + disk.FreeSpace(), 0);
  EXPECT_EQ(disk.TotalClusters() + disk.FreeClusters() + disk.SectorsPerCluster() + disk.BytesPerSector(), 0u);
  EXPECT_EQ(disk.VolumeLabel() + disk.FileSystem() + disk.SerialNumber(), "");
  EXPECT_EQ(disk.FileFlags(), 0);
  // A type out of range keeps the one known.
  machine.Data().disks.driveTypeOverride['A'] = 9;
  disk.SetDrive("A:");
  EXPECT_EQ(disk.MediaType(), dtRemovable);
  // No letter (a Windows directory that could not be read): no drive, not the current one.
  disk.SetDrive("");
  EXPECT_EQ(disk.MediaType(), dtNotExists);
  EXPECT_FALSE(disk.MediaPresent());
  EXPECT_EQ(disk.UNC(), "");
}

TEST(TDisk, SizesWithAndWithoutTheExtendedQuery) {
  struct Case {
    const char* name;
    bool hasExtended;
    std::int64_t capacity, free;
  };
  const Case cases[] = {
      // case                      extended  capacity (B)                  free (B)
      {"extended query",           true,     5000000000,                   3000000000},
      {"retail Windows 95",        false,    64ll * 512 * 65535,           64ll * 512 * 1000},
  };
  for (const auto& c : cases) {
    sim::SimMachine m = test::Win98SE();
    m.disks.hasFreeSpaceEx = c.hasExtended;
    m.disks.drives['C'] = Fixed(5000000000, 3000000000, 65535);
    m.disks.drives['C'].freeSpace = {64, 512, 1000, 65535};  // capped as the 9x family does
    test::TestMachine machine(std::move(m));
    TDisk disk;
    disk.SetDrive("C:");
    EXPECT_EQ(disk.Capacity(), c.capacity) << c.name;
    EXPECT_EQ(disk.FreeSpace(), c.free) << c.name;
  }
}

TEST(TDisk, NetworkNamesOnEachFamily) {
  for (auto family : {test::Win98SE, test::WinXPSP3}) {
    test::TestMachine machine(WithDrives(family()));
    TDisk disk;
    disk.SetDrive("Z:");
    EXPECT_EQ(disk.UNC(), "\\\\server\\share\\");
    disk.SetDrive("C:");
    EXPECT_EQ(disk.UNC(), "C:\\");
  }
}

TEST(TDisk, FlagsAndSerialTexts) {
  EXPECT_EQ(FormatVolumeSerial(0x0000ABCD), "0000-ABCD");
  EXPECT_EQ(FormatVolumeSerial(0x1A2B3C4D), "1A2B-3C4D");
  EXPECT_TRUE(HasFileFlag(FileFlagsOf(0x6, 255), fsLongFileNames));
  EXPECT_FALSE(HasFileFlag(FileFlagsOf(0x6, 12), fsLongFileNames));
  EXPECT_EQ(GetMediaTypeStr(dtRAMDisk), "RAM");

  test::TestMachine machine(WithDrives(test::WinXPSP3()));
  TDisk disk;
  disk.SetDrive("C:");
  TStringList lines;
  disk.GetFileFlagsStr(lines);
  disk.GetFileFlagsStr(lines);
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0], "Case Is Preserved=1");
  EXPECT_EQ(lines[6], "Long Filenames=1");
  EXPECT_EQ(lines[7], "Encrypted File System Support=1");
  EXPECT_EQ(lines[12], lines[0]);
}

TEST(TDisk, DriveLettersOfTheDriveStrings) {
  const std::pair<std::string, std::uint32_t> buffers[] = {
      {std::string("a:\\\0c:\\\0\0", 9), 8},
      {std::string("C:\\\0D:\\\0\0", 9), 3},                // only what the length covers
      {std::string("C:\\\0\0X:\\\0\0", 11), 10},           // nothing after the double NUL
      {std::string("C:\\\0\xC4:\\\0\0", 9), 8},             // no letters outside ASCII
  };
  const char* letters[] = {"AC", "C", "C", "C"};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(DriveLetters(buffers[i].first, buffers[i].second), letters[i]) << i;
}

TEST(TDisk, AggregateSelectsTheWindowsDriveAndReportsIDEBeforeDisk) {
  sim::SimMachine m = WithDrives(test::WinXPSP3());
  m.windowsDir = "Z:\\WINNT";
  test::TestMachine machine(std::move(m));
  TNSystemInfo info;
  info.Refresh();
  EXPECT_EQ(info.Disk().Drive(), "Z:");
  EXPECT_EQ(info.Disk().AvailableDisks(), "ACDZ");
  TReportList list(1252);
  info.Report(list);
  auto at = [&](const std::string& line) {
    return std::find(list.Lines().begin(), list.Lines().end(), line) - list.Lines().begin();
  };
  EXPECT_LT(at("</APM>"), at("<IDE classname=\"TIDE\">"));
  EXPECT_LT(at("</IDE>"), at("<Disk classname=\"TDisk\">"));
  EXPECT_LT(at("</Disk>"), static_cast<long>(list.Count()));
}

}  // namespace
}  // namespace nsx
