// The IDE topic on simulated machines: which reader answers on which
// family, slaves addressed as slaves, whole and broken driver answers, the
// registry fallback, capacities beyond 28 bits, and the report.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "TestMachine.h"
#include "hardware/IdentifyData.h"
#include "hardware/NSX_IDE.h"
#include "hardware/Norvik_WinIOCTL.h"

namespace nsx {
namespace {

// An identify sector: texts stored as the drive stores them (two
// characters a word, the first in the high byte), words little-endian.
struct Sector {
  platform::Bytes bytes = platform::Bytes(kIdentifySize, 0);
  Sector& Text(size_t offset, size_t length, const std::string& text) {
    std::string field = text;
    field.resize(length, ' ');
    for (size_t i = 0; i < length; i += 2) {
      bytes[offset + i] = static_cast<std::uint8_t>(field[i + 1]);
      bytes[offset + i + 1] = static_cast<std::uint8_t>(field[i]);
    }
    return *this;
  }
  Sector& Word(size_t word, std::uint16_t value) {
    bytes[2 * word] = static_cast<std::uint8_t>(value);
    bytes[2 * word + 1] = static_cast<std::uint8_t>(value >> 8);
    return *this;
  }
  Sector& Count28(std::uint32_t sectors) { return Word(60, sectors & 0xFFFF).Word(61, sectors >> 16); }
  Sector& Count48(std::uint64_t sectors) {
    for (int i = 0; i < 4; ++i) Word(100 + i, static_cast<std::uint16_t>(sectors >> (16 * i)));
    return Word(83, 0x4400);  // valid, 48-bit addressing
  }
};

Sector Disk(const std::string& model) {
  Sector s;
  s.Text(20, 20, "SN-" + model).Text(46, 8, "1.0").Text(54, 40, model);
  s.Word(0, 0x0040).Word(1, 16383).Word(3, 16).Word(6, 63).Word(49, 0x0200).Count28(39102336);
  return s;
}

TEST(IdentifyData, TextsAndCapacityRules) {
  struct Case {
    const char* name;
    Sector sector;
    std::uint64_t sectors;
  };
  const Case cases[] = {
      // A 250 GB drive: the 28-bit count is saturated, the 48-bit one is right.
      {"250 GB", Disk("WDC WD2500JB").Count28(0x0FFFFFFF).Count48(488397168), 488397168},
      {"48-bit flag without a count", Disk("A").Count48(0), 39102336},
      {"word 83 not valid", Disk("B").Count48(488397168).Word(83, 0x0400), 39102336},
      {"no LBA: C x H x S", Disk("C").Word(49, 0).Word(1, 1024).Word(3, 16).Word(6, 63), 1024u * 16 * 63},
      {"ATAPI: no geometry, no capacity", Disk("CD").Word(0, 0x85C0), 0},
      {"CompactFlash is not ATAPI", Disk("CF").Word(0, 0x848A), 39102336},
  };
  for (const auto& c : cases) {
    TIdentifyData d = DecodeIdentify(c.sector.bytes.data(), c.sector.bytes.size());
    EXPECT_EQ(d.sectors, c.sectors) << c.name;
    EXPECT_EQ(d.CapacityBytes(), c.sectors * 512) << c.name;
  }
  TIdentifyData packet = DecodeIdentify(Disk("CD").Word(0, 0x85C0).bytes.data(), kIdentifySize);
  EXPECT_TRUE(packet.packetDevice);
  EXPECT_EQ(packet.model, "CD");
  EXPECT_EQ(packet.cylinders + packet.heads + packet.sectorsPerTrack, 0);
  EXPECT_EQ(DecodeIdentify(Disk("X").bytes.data(), 54).model, "");  // a short answer reads as zeros

  Sector texts;
  texts.Text(54, 40, "ST340016A").Text(20, 20, "").Text(46, 8, "3.1\x01");
  TIdentifyData t = DecodeIdentify(texts.bytes.data(), kIdentifySize);
  EXPECT_EQ(t.model, "ST340016A");
  EXPECT_EQ(t.serialNumber, "");  // spaces only
  EXPECT_EQ(t.revision, "3.1");   // the control character trimmed
  texts.bytes[46 + 3] = 0;        // a NUL as the third character ends the field
  EXPECT_EQ(DecodeIdentify(texts.bytes.data(), kIdentifySize).revision, "3.");
}

TEST(IdentifyData, AnswersAreTakenOnlyWhenWholeAndWithoutError) {
  Sector disk = Disk("WHOLE");
  auto smart = [&](std::uint32_t returned, std::uint8_t driverError) {
    platform::Bytes answer(kSendCmdOutHeader + kIdentifySize, 0);
    answer[4] = driverError;
    std::copy(disk.bytes.begin(), disk.bytes.end(), answer.begin() + kSendCmdOutHeader);
    TDriveInfo info;
    long code = TakeSmartAnswer(answer, returned, info);
    return std::make_pair(code, info.ModelNumber);
  };
  EXPECT_EQ(smart(528, 0), std::make_pair(0L, std::string("WHOLE")));
  EXPECT_EQ(smart(527, 0).first, platform::kErrorInvalidData);
  EXPECT_EQ(smart(16, 0).first, platform::kErrorInvalidData);
  EXPECT_EQ(smart(528, 1).first, platform::kErrorIoDevice);

  platform::Bytes miniport = MiniportIdentifyRequest(1);
  std::copy(disk.bytes.begin(), disk.bytes.end(), miniport.begin() + kSrbIoControlSize + kSendCmdOutHeader);
  TDriveInfo info;
  EXPECT_EQ(TakeMiniportAnswer(miniport, 556, info), 0);
  EXPECT_EQ(info.ModelNumber, "WHOLE");
  miniport[20] = 1;  // SRB_IO_CONTROL.ReturnCode
  EXPECT_EQ(TakeMiniportAnswer(miniport, 556, info), platform::kErrorIoDevice);
}

struct ReaderCase {
  const char* name;
  sim::SimMachine (*machine)();
  std::optional<bool> smartVxd, smartDriver, scsiMiniport;
  TAccessMethod method;  // what identifies the drive at position 1
};

// The drive at position 1 and none elsewhere, read by each family's reader.
TEST(TIDE, EachReaderOnEachFamily) {
  const ReaderCase cases[] = {
      // case                         machine         VxD    driver  miniport  method
      {"NT: the SCSI miniport",       test::WinXPSP3, {},    {},     {},       amSCSI},
      {"NT as administrator",         test::WinXPSP3, {},    true,   {},       amPhysical},
      {"NT without miniport access",  test::WinXPSP3, {},    false,  false,    amRegistry},
      {"9x: the SMART VxD",           test::Win98SE,  {},    {},     {},       amPhysical},
      {"9x without the SMART VxD",    test::Win98SE,  false, {},     {},       amRegistry},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sim::SimMachine m = c.machine();
    m.ide.identify[1] = Disk("ST340016A").bytes;
    m.ide.smartVxd = c.smartVxd;
    m.ide.smartDriver = c.smartDriver;
    m.ide.scsiMiniport = c.scsiMiniport;
    test::TestMachine machine(std::move(m));
    TIDE ide;
    ide.GetInfo();
    EXPECT_EQ(ide.PrimarySlave().AccessMethod, c.method);
    EXPECT_EQ(ide.PrimarySlave().ModelNumber, c.method == amRegistry ? "" : "ST340016A");
    EXPECT_EQ(ide.PrimarySlave().Capacity, c.method == amRegistry ? 0 : 39102336ll * 512);
    for (int empty : {0, 2, 3}) {
      EXPECT_EQ(ide.Position(empty).AccessMethod, amRegistry);
      EXPECT_EQ(ide.Position(empty).ErrorMessage, "The operation completed successfully.");
    }
    EXPECT_EQ(machine.Data().ide.openHandles, 0);  // every device closed again
  }
}

TEST(TIDE, SlavesAreAddressedAsSlaves) {
  sim::SimMachine m = test::Win98SE();
  const char* models[] = {"PRIMARY MASTER", "PRIMARY SLAVE", "SECONDARY MASTER", "SECONDARY SLAVE"};
  for (int p = 0; p < 4; ++p) m.ide.identify[p] = Disk(models[p]).bytes;
  test::TestMachine machine(std::move(m));
  TIDE ide;
  ide.GetInfo();
  for (int p = 0; p < 4; ++p) EXPECT_EQ(ide.Position(p).ModelNumber, models[p]);
  const auto& asked = machine.Data().ide.requests;
  EXPECT_NE(std::find(asked.begin(), asked.end(), "control 0x0007C088 drive 3 head 0xB0"), asked.end());
  EXPECT_NE(std::find(asked.begin(), asked.end(), "control 0x0007C088 drive 2 head 0xA0"), asked.end());
}

TEST(TIDE, RegistryFallbackSplitsTheIdentifier) {
  const std::pair<std::string, std::pair<std::string, std::string>> identifiers[] = {
      // identifier                           model                  revision
      {"ST340016A       3.75",              {"ST340016A", "3.75"}},
      {"WDC WD800BB-00CAA1     17.07W17",   {"WDC WD800BB-00CAA1", "17.07W17"}},
      {"IBM-DTLA-307030 TX4OA50C",          {"IBM-DTLA-307030 TX4OA50C", ""}},
  };
  for (const auto& [identifier, expected] : identifiers) {
    sim::SimMachine m = test::WinXPSP3();
    m.ide.scsiMiniport = false;
    m.registry.SetString("HKLM\\HARDWARE\\DEVICEMAP\\Scsi\\Scsi Port 1\\Scsi Bus 0\\Target Id 0\\Logical Unit Id 0",
                         "Identifier", identifier);
    test::TestMachine machine(std::move(m));
    TIDE ide;
    ide.GetInfo();
    EXPECT_EQ(ide.SecondaryMaster().AccessMethod, amRegistry);
    EXPECT_EQ(ide.SecondaryMaster().ModelNumber, expected.first) << identifier;
    EXPECT_EQ(ide.SecondaryMaster().RevisionNumber, expected.second) << identifier;
    EXPECT_EQ(ide.PrimaryMaster().ModelNumber, "");
  }
}

TEST(TIDE, OnlySystemCodesAreLookedUpAsSystemMessages) {
  test::TestMachine machine;
  EXPECT_EQ(AccessErrorText(2, true), "The system cannot find the file specified.");
  EXPECT_EQ(AccessErrorText(2, false), "Status 0x02");  // an ASPI status, not "file not found"
  EXPECT_EQ(AccessErrorText(0, false), "The operation completed successfully.");
}

TEST(TIDE, LaterGatheringRetriesOnlyBlankPositions) {
  sim::SimMachine m = test::WinXPSP3();
  m.ide.identify[0] = Disk("FIRST").bytes;
  test::TestMachine machine(std::move(m));
  TIDE ide;
  ide.GetInfo();
  machine.Data().ide.identify[0] = Disk("REPLACED").bytes;
  machine.Data().ide.identify[3] = Disk("ADDED").bytes;
  ide.GetInfo();
  EXPECT_EQ(ide.PrimaryMaster().ModelNumber, "FIRST");
  EXPECT_EQ(ide.SecondarySlave().ModelNumber, "ADDED");
}

TEST(TIDE, ReportWritesAllFourPositionsWithWholeMebibytes) {
  sim::SimMachine m = test::WinXPSP3();
  m.ide.identify[2] = Disk("SMALL \"&\" <DISK>").Count28(4095).bytes;  // 1.99 MB
  test::TestMachine machine(std::move(m));
  TIDE ide;
  ide.GetInfo();
  TReportList list(1252);
  ide.Report(list, true);
  ASSERT_EQ(list.Count(), 2u + 1 + 4 * 9 + 1 + 1);
  EXPECT_EQ(list[2], "<IDE classname=\"TIDE\">");
  EXPECT_EQ(list[3], "<section name=\"Primary Master\">");
  EXPECT_EQ(list[4], "<data name=\"SerialNumber\" type=\"string\" source=\"Registry\"></data>");
  EXPECT_EQ(list[21], "<section name=\"Secondary Master\">");
  EXPECT_EQ(list[23],
            "<data name=\"ModelNumber\" type=\"string\" source=\"SCSI\">SMALL &quot;&amp;&quot; &lt;DISK&gt;</data>");
  EXPECT_EQ(list[28], "<data name=\"Capacity\" type=\"integer\" source=\"SCSI\" unit=\"MB\">1</data>");
  EXPECT_EQ(list[30], "<section name=\"Secondary Slave\">");
  EXPECT_EQ(list[list.Count() - 2], "</IDE>");
}

}  // namespace
}  // namespace nsx
