// The ASPI scan and its element: INQUIRY fields as the device fills them,
// adapters and devices in scan order, the library absent or without
// adapters, a failing INQUIRY, a device that never answers, the version of
// the library that was bound, and the IDE positions the scan fills.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestMachine.h"
#include "hardware/NSX_IDE.h"
#include "hardware/Norvik_WinIOCTL.h"
#include "software/AspiInquiry.h"
#include "software/NSX_Engines.h"

namespace nsx {
namespace {

using sim::StandardInquiry;

TEST(AspiInquiry, FixedWidthFieldsNeverReadPastThemselves) {
  platform::Bytes full = StandardInquiry(5, "PLEXTOR", "CD-R   PX-W4824A", "1.04", "05/30/02");
  platform::Bytes noBlanks = full;  // every field filled to its end, no NUL anywhere
  std::fill(noBlanks.begin() + 8, noBlanks.end(), 'X');
  platform::Bytes withNul = full;
  withNul[11] = 0;  // a device padding its vendor with NULs
  struct Case {
    const char* name;
    platform::Bytes data;
    TInquiryText text;
  } cases[] = {
      {"blank-padded", full, {"PLEXTOR ", "CD-R   PX-W4824A", "1.04", "05/30/02            "}},
      {"no NUL at all", noBlanks, {"XXXXXXXX", std::string(16, 'X'), "XXXX", std::string(20, 'X')}},
      {"NUL within the vendor", withNul, {"PLE", "CD-R   PX-W4824A", "1.04", "05/30/02            "}},
      {"cut after the product", platform::Bytes(full.begin(), full.begin() + 34), {"PLEXTOR ", "CD-R   PX-W4824A", "1.", ""}},
      {"nothing", {}, {"", "", "", ""}},
  };
  for (const auto& c : cases) {
    TInquiryText got = DecodeInquiry(c.data);
    EXPECT_EQ(got.Vendor, c.text.Vendor) << c.name;
    EXPECT_EQ(got.Product, c.text.Product) << c.name;
    EXPECT_EQ(got.Revision, c.text.Revision) << c.name;
    EXPECT_EQ(got.VendorSpecific, c.text.VendorSpecific) << c.name;
  }
}

sim::SimAspiDevice Device(std::uint8_t type, const std::string& vendor, const std::string& product,
                          const std::string& revision) {
  sim::SimAspiDevice device;
  device.deviceType = type;
  device.inquiry = StandardInquiry(type, vendor, product, revision, "");
  return device;
}

const char kAspiFile[] = "C:\\Program Files\\Adaptec\\WNASPI32.DLL";

// Two adapters: a disk at target 0 and a CD-ROM at 3 on the first, a tape
// drive at target 1 on the second.
sim::SimMachine TwoAdapters() {
  auto m = test::WinXPSP3();
  m.aspi.library = true;
  m.aspi.fileName = kAspiFile;
  m.aspi.adapters.resize(2);
  m.aspi.adapters[0].targets[3] = Device(5, "TOSHIBA", "CD-ROM XM-6702B", "1007");
  m.aspi.adapters[0].targets[0] = Device(0, "IBM", "DDRS-34560D", "DC1B");
  m.aspi.adapters[1].targets[1] = Device(1, "HP", "C1537A", "L708");
  m.versionResources[kAspiFile] = test::BuildVersionResource(0x00040047, 0x03FD0000, 0x0409, 0x04B0, {});
  // A different library that a search of the Windows directories would find first.
  m.versionResources["C:\\WINDOWS\\system32\\WNASPI32.DLL"] = test::BuildVersionResource(0x00020000, 0, 0x0409, 0x04B0, {});
  return m;
}

std::vector<std::string> Section(const std::vector<std::string>& lines, const std::string& name) {
  auto at = std::find(lines.begin(), lines.end(), "<section name=\"" + name + "\">");
  if (at == lines.end()) return {};
  return std::vector<std::string>(at + 1, std::find(at, lines.end(), "</section>"));
}

std::string Data(const std::string& name, const std::string& value) {
  return "<data name=\"" + name + "\" type=\"string\">" + value + "</data>";
}

TEST(TASPI32, TwoAdaptersWithDevicesInScanOrder) {
  test::TestMachine running(TwoAdapters());
  TASPI32 aspi;
  aspi.GetInfo();
  const TASPIScanResult& scan = aspi.Scan();
  EXPECT_EQ(aspi.ASPI(), "4.71.1021.0");  // the bound file's, not the system directory's
  EXPECT_EQ(scan.HostAdapterCount, 2);
  EXPECT_EQ(scan.HostAdapters, (TStringList{"0", "0", "1"}));
  EXPECT_EQ(scan.Targets, (TStringList{"0", "3", "1"}));
  EXPECT_EQ(scan.DeviceTypes, (TStringList{"0", "5", "1"}));
  EXPECT_EQ(scan.Statuses, (TStringList{"1", "1", "1"}));
  EXPECT_EQ(scan.Vendors, (TStringList{"IBM     ", "TOSHIBA ", "HP      "}));
  EXPECT_EQ(scan.Revisions, (TStringList{"DC1B", "1007", "L708"}));

  TReportList list(1252);
  aspi.Report(list, false);
  const auto& lines = list.Lines();
  EXPECT_EQ(lines.front(), "<ASPI32 classname=\"TASPI32\">");
  EXPECT_EQ(lines[1], Data("Version", "4.71.1021.0"));
  EXPECT_EQ(Section(lines, "Device_1"),
            (std::vector<std::string>{Data("Vendor", "TOSHIBA "), Data("Product", "CD-ROM XM-6702B "),
                                      Data("Revision", "1007"), Data("Adapter", "0"), Data("ID", "3"),
                                      Data("Type", "5"), Data("Status", "1")}));
  EXPECT_EQ(Section(lines, "Device_2")[3], Data("Adapter", "1"));
  EXPECT_EQ(lines.back(), "</ASPI32>");
}

TEST(TASPI32, CommandsOfTheScan) {
  auto m = TwoAdapters();
  m.aspi.adapters.resize(1);
  m.aspi.adapters[0].targets.erase(0);
  test::TestMachine running(m);
  TASPIScanResult scan;
  GetASPIDevices(scan);
  const auto& asked = running.Data().aspi.requests;
  // TEST UNIT READY without data, then INQUIRY of 100 bytes read in.
  EXPECT_EQ(std::count(asked.begin(), asked.end(), "exec 0:3 00/40/0"), 1);
  EXPECT_EQ(std::count(asked.begin(), asked.end(), "exec 0:3 12/48/100"), 1);
  EXPECT_EQ(std::count_if(asked.begin(), asked.end(), [](const std::string& r) { return r.rfind("type 0:", 0) == 0; }),
            16);
}

TEST(TASPI32, WithoutADeviceListOrVersion) {
  struct Case {
    const char* name;
    void (*change)(sim::SimMachine&);
    std::uint32_t status;
    size_t devices;
  } cases[] = {
      {"library absent", [](sim::SimMachine& m) { m.aspi.library = false; }, 0, 0},
      {"no adapters", [](sim::SimMachine& m) { m.aspi.adapters.clear(); }, 0xE800, 0},
      {"an error status", [](sim::SimMachine& m) { m.aspi.supportInfo = 0x0402; }, 0x0402, 0},
      {"first adapter does not answer", [](sim::SimMachine& m) { m.aspi.adapters[0].answers = false; }, 0x0102, 1},
  };
  for (const auto& c : cases) {
    auto m = TwoAdapters();
    c.change(m);
    test::TestMachine running(m);
    TASPIScanResult scan;
    EXPECT_EQ(GetASPIDevices(scan), c.status) << c.name;
    EXPECT_EQ(scan.Vendors.size(), c.devices) << c.name;
    TASPI32 aspi;
    aspi.GetInfo();
    TReportList list(1252);
    aspi.Report(list, false);
    if (c.devices == 0) {
      EXPECT_EQ(aspi.ASPI(), "") << c.name;
      EXPECT_EQ(list.Count(), 2u) << c.name;  // start and end lines only
    }
  }
}

TEST(TASPI32, AFailingInquiryKeepsEmptyTextsAndItsStatus) {
  auto m = TwoAdapters();
  m.aspi.adapters[0].targets[3].inquiryStatus = platform::kSsErr;
  m.aspi.adapters[0].targets[0].testUnitReadyStatus = platform::kSsErr;  // not ready: INQUIRY still asked
  test::TestMachine running(m);
  TASPIScanResult scan;
  GetASPIDevices(scan);
  EXPECT_EQ(scan.Statuses, (TStringList{"1", "4", "1"}));
  EXPECT_EQ(scan.Vendors, (TStringList{"IBM     ", "", "HP      "}));
  EXPECT_EQ(scan.Products[1], "");
  EXPECT_EQ(scan.Revisions[1], "");
}

TEST(TASPI32, AHungDeviceIsAbortedWithinTheBoundAndTheScanGoesOn) {
  struct Case {
    const char* name;
    bool ignoresAbort;
    const char* status;
    int kept;
  } cases[] = {
      {"abort comes back", false, "2", 0},
      {"abort never comes back", true, "0", 1},
  };
  for (const auto& c : cases) {
    auto m = TwoAdapters();
    m.aspi.adapters[0].targets[0].hangs = true;
    m.aspi.adapters[0].targets[0].ignoresAbort = c.ignoresAbort;
    test::TestMachine running(m);
    TASPIScanResult scan;
    GetASPIDevices(scan);
    const sim::SimAspi& aspi = running.Data().aspi;
    EXPECT_LE(aspi.waitedMilliseconds, kAspiCommandWaitMilliseconds + kAspiAbortWaitMilliseconds) << c.name;
    EXPECT_EQ(std::count(aspi.requests.begin(), aspi.requests.end(), "abort 0:0"), 1) << c.name;
    EXPECT_EQ(std::count(aspi.requests.begin(), aspi.requests.end(), "exec 0:0 12/48/100"), 0) << c.name;
    EXPECT_EQ(scan.Statuses, (TStringList{c.status, "1", "1"})) << c.name;
    EXPECT_EQ(scan.Vendors, (TStringList{"", "TOSHIBA ", "HP      "})) << c.name;
    EXPECT_EQ(aspi.liveRequests, 0) << c.name;
    EXPECT_EQ(aspi.keptRequests, c.kept) << c.name;
  }
}

TEST(TASPI32, NoEventNoCommands) {
  auto m = TwoAdapters();
  m.aspi.eventsFail = true;
  test::TestMachine running(m);
  TASPIScanResult scan;
  GetASPIDevices(scan);
  EXPECT_EQ(scan.Targets, (TStringList{"0", "3", "1"}));
  EXPECT_EQ(scan.Statuses, (TStringList{"", "", ""}));
}

TEST(TIDE, AspiDevicesFillTheirPositionsFromOneScan) {
  auto m = TwoAdapters();
  m.aspi.adapters[0].targets[1] = Device(0, "QUANTUM", "FIREBALL", "A1B0");
  test::TestMachine running(m);
  TIDE ide;
  ide.GetInfo();
  // Host adapter x 2 + target: 0:0 primary master, 0:1 primary slave, 1:1 secondary slave.
  EXPECT_EQ(ide.PrimaryMaster().ModelNumber, "IBM     DDRS-34560D     ");
  EXPECT_EQ(ide.PrimaryMaster().AccessMethod, amASPI);
  EXPECT_EQ(ide.PrimaryMaster().RevisionNumber, "DC1B");
  EXPECT_EQ(ide.PrimarySlave().ModelNumber, "QUANTUM FIREBALL        ");
  EXPECT_EQ(ide.SecondarySlave().ModelNumber, "HP      C1537A          ");
  // Target 3 lies beyond the four positions; the secondary master stays empty.
  EXPECT_EQ(ide.SecondaryMaster().ModelNumber, "");
  EXPECT_EQ(ide.SecondaryMaster().AccessMethod, amRegistry);
  const auto& asked = running.Data().aspi.requests;
  EXPECT_EQ(std::count(asked.begin(), asked.end(), "adapter 0"), 1);
}

TEST(TIDE, AspiStatusIsItsOwnCodeNotASystemMessage) {
  TASPIScanResult none;
  TDriveInfo info;
  info.ModelNumber = "stale";
  EXPECT_EQ(ReadIdeAspi(none, 0xE800, 0, info), 0xE8);
  EXPECT_EQ(info.ModelNumber, "");
  EXPECT_EQ(AccessErrorText(0xE8, false), "Status 0xE8");
}

}  // namespace
}  // namespace nsx
