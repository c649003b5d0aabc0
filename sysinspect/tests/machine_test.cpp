// The machine topic: its report element with the SMBIOS and BIOS elements
// after it, boot time and up-time, the lock keys, and the BIOS texts of
// the NT registry and of the 9x BIOS area.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "DeviceTestMachines.h"
#include "SmbiosTestTables.h"
#include "core/Norvik_Datetime.h"
#include "hardware/NSX_Machine.h"

namespace nsx {
namespace {

const char kSystemKey[] = "HKLM\\HARDWARE\\DESCRIPTION\\System";

std::vector<std::string> ReportOf(TMachine& machine) {
  TReportList list(1252);
  machine.Report(list, true);
  return list.Lines();
}

std::string Line(const std::string& name, const std::string& value) {
  return "<data name=\"" + name + "\" type=\"string\">" + value + "</data>";
}

TEST(TMachine, ReportsTheMachineThenItsSMBIOSAndBIOSElements) {
  auto m = test::MachineWithTable({{0, {1, 2, 0, 0, 3, 7}, {"Phoenix & Co", "1.02", "01/31/2003"}}});
  m.computerName = "OFFICE-7";
  m.userName = "O'Brien";
  m.tickCount = 90061000;  // 1 day, 1 hour, 1 minute and 1 second
  m.regional.locales[0x0409][platform::kLocaleSTimeFormat] = "HH'<'mm:ss";
  m.registry.SetMultiString(kSystemKey, "SystemBiosVersion", {"PTLTD - 6040000", "Phoenix ROM BIOS PLUS 1.10", "A03"});
  m.registry.SetString(kSystemKey, "Identifier", "AT/AT COMPATIBLE");
  test::TestMachine running(m);
  TMachine machine;
  machine.GetInfo(1);
  auto lines = ReportOf(machine);
  auto at = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
  ASSERT_EQ(lines[2], "<Machine classname=\"TMachine\">");
  EXPECT_EQ(lines[3], Line("Name", "OFFICE-7"));
  EXPECT_EQ(lines[4], Line("User", "O&apos;Brien"));
  // Noon less 90,061 seconds, to the second; the time picture's text is escaped.
  EXPECT_EQ(lines[5], Line("LastBoot", "6/14/2006 10&lt;58:59"));
  EXPECT_EQ(lines[6], Line("SystemUpTime", "1 Day, 1 Hour, 1 Minute, 1 Second."));
  EXPECT_EQ(lines[7], Line("Computer", ""));
  EXPECT_EQ(lines[8], "</Machine>");
  EXPECT_EQ(lines[9], "<SMBIOS classname=\"TSMBIOS\">");
  EXPECT_LT(at(Line("Vendor", "Phoenix &amp; Co")), at("</SMBIOS>"));
  std::ptrdiff_t bios = at("<BIOS classname=\"TBIOS\">");
  EXPECT_EQ(bios, at("</SMBIOS>") + 1);
  EXPECT_EQ(lines[bios + 1], Line("Name", "AT/AT COMPATIBLE"));
  EXPECT_EQ(lines[bios + 2], Line("Copyright", "PTLTD - 6040000 Phoenix ROM BIOS PLUS 1.10 A03"));
  EXPECT_EQ(lines[bios + 3], Line("Date", ""));
  EXPECT_EQ(lines[bios + 4], Line("Extended Info", ""));
  EXPECT_EQ(lines[bios + 5], "</BIOS>");
  EXPECT_EQ(lines.back(), "</classes>");
}

TEST(TMachine, ComputerIsTheTitleOfTheFirstComputerClassDevice) {
  const char kComputerGuid[] = "{4D36E966-E325-11CE-BFC1-08002BE10318}";
  const char kSystemGuid[] = "{4D36E97D-E325-11CE-BFC1-08002BE10318}";
  struct Case {
    bool computer;
    const char* friendlyName;
    const char* expected;
  };
  const Case cases[] = {
      {true, "", "Advanced Configuration and Power Interface (ACPI) PC"},
      {true, "ACPI Uniprocessor PC", "ACPI Uniprocessor PC"},
      {false, "", ""},
  };
  for (const auto& c : cases) {
    auto m = test::WinXPSP3();
    test::AddNTClass(m, kSystemGuid, "System", "System devices");
    test::AddNTDevice(m, {"ACPI\\PNP0A03\\0", kSystemGuid, "System", "PCI bus", "", "pci", ""});
    if (c.computer) {
      test::AddNTClass(m, kComputerGuid, "Computer", "Computer");
      test::AddNTDevice(m, {"ROOT\\ACPI_HAL\\0000", kComputerGuid, "Computer",
                            "Advanced Configuration and Power Interface (ACPI) PC", c.friendlyName, "", ""});
    }
    test::TestMachine running(m);
    TMachine machine;
    EXPECT_EQ(machine.Computer(), c.expected);
    auto lines = ReportOf(machine);
    EXPECT_EQ(lines[7], Line("Computer", c.expected));
  }
}

TEST(TMachine, UpTimeTakesTheSixtyFourBitCountWhereThereIsOne) {
  const std::uint64_t sixtyDays = 60ull * 86400000ull;
  for (bool has64 : {true, false}) {
    auto m = test::WinXPSP3();
    m.tickCount = static_cast<std::uint32_t>(sixtyDays);  // the 32-bit count has wrapped
    if (has64) m.tickCount64 = sixtyDays;
    test::TestMachine running(m);
    TMachine machine;
    machine.GetInfo(0);
    EXPECT_DOUBLE_EQ(machine.SystemUpTime(), has64 ? 5184000.0 : static_cast<std::uint32_t>(sixtyDays) / 1000.0);
    EXPECT_NEAR(machine.LastBoot(), EncodeDate(2006, 6, 15) + 0.5 - machine.SystemUpTime() / 86400.0, 1e-9);
  }
}

TEST(TMachine, WholeSecondsRoundHalvesToEven) {
  const std::pair<double, std::int64_t> cases[] = {{3725.0, 3725}, {1.5, 2}, {2.5, 2}, {2.501, 3}, {4294967.295, 4294967}};
  for (auto [seconds, whole] : cases) EXPECT_EQ(TMachine::WholeSeconds(seconds), whole) << seconds;
}

TEST(TMachine, LockKeysCountOnlyWhenToggledAndNotHeld) {
  const std::pair<std::uint8_t, bool> states[] = {{0x01, true}, {0x81, false}, {0x80, false}, {0x00, false}};
  for (auto [state, on] : states) {
    auto m = test::WinXPSP3();
    (*m.keyboard)[0x14] = state;
    (*m.keyboard)[0x90] = state;
    (*m.keyboard)[0x91] = state;
    test::TestMachine running(m);
    TMachine machine;
    machine.GetInfo(0);
    EXPECT_EQ(machine.CapsLock(), on) << int(state);
    EXPECT_EQ(machine.NumLock(), on) << int(state);
    EXPECT_EQ(machine.ScrollLock(), on) << int(state);
  }
}

TEST(TMachine, ModeZeroLeavesTheSMBIOSObjectAsItWas) {
  test::TestMachine running(test::MachineWithTable({{1, {1, 0, 0, 0}, {"Acme"}}}));
  TMachine machine;
  machine.GetInfo(1);
  ASSERT_EQ(machine.SMBIOS().SystemManufacturer(), "Acme");
  running.Data().firmware.lowMemory.clear();
  machine.GetInfo(0);
  EXPECT_EQ(machine.SMBIOS().SystemManufacturer(), "Acme");
}

TEST(TBIOS, NTReleasesNewerThanTheKnownOnesReadTheRegistry) {
  auto m = test::WinXPSP3();
  m.version = {6, 1, 7601, platform::kPlatformNT, "Service Pack 1", true, 1, 0, 0x100, 1, 0};
  m.registry.SetString(kSystemKey, "SystemBiosDate", "06/30/15");
  m.firmware.lowMemory.assign(sim::kLowMemorySize, 'X');  // no plain view of it on NT
  test::TestMachine running(m);
  TBIOS bios;
  bios.GetInfo();
  EXPECT_EQ(bios.Date(), "06/30/15");
  EXPECT_EQ(bios.Name(), "");
  EXPECT_TRUE(running.Data().firmware.events.empty());
}

void Put(platform::Bytes& memory, std::uint32_t address, const char* text, std::size_t length) {
  std::memcpy(&memory[address], text, length);
}

TEST(TBIOS, NineXTextsEndAtTheFirstUnprintableByte) {
  auto m = test::Win98SE();
  m.firmware.lowMemory.assign(sim::kLowMemorySize, 0);
  Put(m.firmware.lowMemory, 0xFE061, "Award Modular BIOS v4.51PG", 27);
  Put(m.firmware.lowMemory, 0xFE091, "Copyright (C) 1984-98, Award Software, Inc.\r\n", 45);
  Put(m.firmware.lowMemory, 0xFEC71, "VP3 ver 1.2\xFF\xFF", 13);
  Put(m.firmware.lowMemory, 0xFFFF5, "07/15/99ABC", 11);  // runs to the end of the megabyte
  for (bool readable : {true, false}) {
    m.firmware.linearMemoryReadable = readable;
    test::TestMachine running(m);
    TBIOS bios;
    bios.GetInfo();
    EXPECT_EQ(bios.Name(), readable ? "Award Modular BIOS v4.51PG" : "");
    EXPECT_EQ(bios.Copyright(), readable ? "Copyright (C) 1984-98, Award Software, Inc." : "");
    EXPECT_EQ(bios.ExtendedInfo(), readable ? "VP3 ver 1.2" : "");
    EXPECT_EQ(bios.Date(), readable ? "07/15/99ABC" : "");
  }
}

}  // namespace
}  // namespace nsx
