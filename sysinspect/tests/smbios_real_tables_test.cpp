// Every SMBIOS table of the shared real-machine data, decoded from the
// BIOS area of a simulated NT machine, against what dmidecode decodes from
// the same table: the structure list, the BIOS, system, board and chassis
// strings, the UUID bytes and the records.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <map>
#include <sstream>

#include "TestMachine.h"
#include "hardware/NSX_SMBIOS.h"
#include "platform/sim/FirmwareProfile.h"

namespace nsx {
namespace {

const std::string kDataDir = std::string(SYSINSPECT_SHARED_DATA) + "/smbios/";

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// One structure as dmidecode prints it: its handle, type and the fields of
// its first indentation level ("\tKey: value").
struct DmiRecord {
  unsigned handle = 0, type = 0;
  std::map<std::string, std::string> fields;
  std::string Field(const std::string& key) const {
    auto it = fields.find(key);
    return it == fields.end() ? std::string("<absent>") : it->second;
  }
};

struct DmiDecode {
  std::string version;  // "2.3"
  unsigned tableAddress = 0;
  std::vector<DmiRecord> records;
  std::vector<const DmiRecord*> OfType(unsigned type) const {
    std::vector<const DmiRecord*> out;
    for (const auto& r : records)
      if (r.type == type) out.push_back(&r);
    return out;
  }
};

DmiDecode ParseDmidecode(const std::string& text) {
  DmiDecode d;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    unsigned major = 0, minor = 0, handle = 0, type = 0, length = 0;
    if (std::sscanf(line.c_str(), "SMBIOS %u.%u", &major, &minor) == 2) {
      d.version = std::to_string(major) + "." + std::to_string(minor);
    } else if (std::sscanf(line.c_str(), "Table at 0x%X.", &d.tableAddress) == 1) {
    } else if (std::sscanf(line.c_str(), "Handle 0x%X, DMI type %u, %u bytes", &handle, &type, &length) == 3) {
      d.records.push_back({handle, type, {}});
    } else if (!d.records.empty() && line.size() > 1 && line[0] == '\t' && line[1] != '\t') {
      auto colon = line.find(':');
      if (colon == std::string::npos) continue;
      std::string value = colon + 2 <= line.size() ? line.substr(colon + 2) : "";
      while (!value.empty() && value.back() == ' ') value.pop_back();
      d.records.back().fields.emplace(line.substr(1, colon - 1), value);
    }
  }
  return d;
}

// Our string against dmidecode's: dmidecode names a missing string "Not
// Specified" or "<BAD INDEX>", prints other bytes than printable ASCII as
// '.' and keeps blanks the decoder trims.
bool SameString(const std::string& ours, const std::string& dmi) {
  if (ours.empty() && (dmi == "Not Specified" || dmi == "<BAD INDEX>" || dmi.empty())) return true;
  std::string trimmed = dmi;
  trimmed.erase(0, trimmed.find_first_not_of(' '));
  if (ours.size() != trimmed.size()) return false;
  for (std::size_t i = 0; i < ours.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(ours[i]);
    bool printable = c >= 0x20 && c < 0x7F;
    if (printable ? ours[i] != trimmed[i] : trimmed[i] != '.') return false;
  }
  return true;
}

#define EXPECT_SAME_STRING(ours, dmi) EXPECT_PRED2(SameString, ours, dmi)

// dmidecode's "8 kB", "1 MB", "1 GB" in KB; "No Module Installed",
// "Unknown" and the like as 0.
std::uint32_t SizeInKB(const std::string& text) {
  unsigned value = 0;
  char unit[8] = {0};
  if (std::sscanf(text.c_str(), "%u %7s", &value, unit) != 2) return 0;
  std::string u = unit;
  return u == "kB" ? value : u == "MB" ? value * 1024u : u == "GB" ? value * 1024u * 1024u : 0;
}

unsigned Number(const std::string& text) {
  unsigned value = 0;
  return std::sscanf(text.c_str(), "%u", &value) == 1 ? value : 0;
}

// The UUID as the bytes stand in the table: dmidecode swaps the first
// three fields from SMBIOS 2.6 on, and names all-FF and all-00 UUIDs.
std::string UuidBytes(const std::string& dmi, const std::string& version) {
  if (dmi == "Not Present") return std::string(32, 'F');
  if (dmi == "Not Settable") return std::string(32, '0');
  std::string hex;
  for (char c : dmi)
    if (c != '-') hex += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  unsigned major = 0, minor = 0;
  std::sscanf(version.c_str(), "%u.%u", &major, &minor);
  if (major * 100 + minor >= 206 && hex.size() == 32) {
    auto swap = [&](std::size_t at, std::size_t bytes) {
      for (std::size_t i = 0; i < bytes / 2; ++i)
        for (int k = 0; k < 2; ++k) std::swap(hex[at + 2 * i + k], hex[at + 2 * (bytes - 1 - i) + k]);
    };
    swap(0, 4), swap(8, 2), swap(12, 2);
  }
  return hex;
}

std::string Letters(const std::string& text) {
  std::string out;
  for (char c : text)
    if (std::isalnum(static_cast<unsigned char>(c))) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

struct RealTable {
  std::string name;  // file stem
  bool lowMemoryImage;
};

std::vector<RealTable> RealTables() {
  std::vector<RealTable> tables;
  if (DIR* dir = opendir(kDataDir.c_str())) {
    while (dirent* entry = readdir(dir)) {
      std::string file = entry->d_name;
      if (file.size() < 5 || file.compare(file.size() - 4, 4, ".bin") != 0) continue;
      bool lowmem = file.size() > 11 && file.compare(file.size() - 11, 11, ".lowmem.bin") == 0;
      tables.push_back({file.substr(0, file.size() - 4), lowmem});
    }
    closedir(dir);
  }
  std::sort(tables.begin(), tables.end(), [](const RealTable& a, const RealTable& b) { return a.name < b.name; });
  return tables;
}

class RealSmbiosTable : public ::testing::TestWithParam<RealTable> {};

TEST(RealSmbiosTables, AllThirtySixArePresent) { EXPECT_EQ(RealTables().size(), 36u); }

TEST_P(RealSmbiosTable, DecodesAsDmidecodeDoes) {
  const RealTable& t = GetParam();
  std::string bin = ReadText(kDataDir + t.name + ".bin");
  platform::Bytes image(bin.begin(), bin.end());
  auto machine = test::WinXPSP3();
  if (t.lowMemoryImage)
    machine.firmware.lowMemory = image;
  else
    sim::PlaceDmiImage(image, t.name, machine.firmware.lowMemory);
  test::TestMachine running(std::move(machine));
  TSMBIOS smbios;
  smbios.GetInfo(1);
  DmiDecode dmi = ParseDmidecode(ReadText(kDataDir + t.name + ".dmidecode.txt"));
  ASSERT_FALSE(dmi.records.empty());

  EXPECT_EQ(smbios.Version(), dmi.version);
  if (t.lowMemoryImage) EXPECT_EQ(smbios.TableAddress(), dmi.tableAddress);
  // The walk lists the structures dmidecode lists, in order (the broken
  // table's walk ends where dmidecode stops), and never leaves the table.
  const auto& list = smbios.Structures();
  ASSERT_EQ(list.size(), dmi.records.size());
  for (std::size_t i = 0; i < dmi.records.size(); ++i) {
    EXPECT_EQ(list[i].Handle, dmi.records[i].handle) << "structure " << i;
    EXPECT_EQ(list[i].Type, dmi.records[i].type) << "structure " << i;
  }
  for (const auto& s : list) EXPECT_LE(s.End, smbios.TableAddress() + smbios.TableLength());
  EXPECT_LE(list.size(), smbios.StructureCount());

  if (auto bios = dmi.OfType(0); !bios.empty()) {
    EXPECT_SAME_STRING(smbios.BIOSVendor(), bios[0]->Field("Vendor"));
    EXPECT_SAME_STRING(smbios.BIOSVersion(), bios[0]->Field("Version"));
    EXPECT_SAME_STRING(smbios.BIOSDate(), bios[0]->Field("Release Date"));
    EXPECT_EQ(smbios.BIOSSize(), SizeInKB(bios[0]->Field("ROM Size")));
  }
  if (auto system = dmi.OfType(1); !system.empty()) {
    EXPECT_SAME_STRING(smbios.SystemManufacturer(), system[0]->Field("Manufacturer"));
    EXPECT_SAME_STRING(smbios.SystemModel(), system[0]->Field("Product Name"));
    EXPECT_SAME_STRING(smbios.SystemVersion(), system[0]->Field("Version"));
    EXPECT_SAME_STRING(smbios.SystemSerial(), system[0]->Field("Serial Number"));
    EXPECT_EQ(smbios.SystemUUID(), UuidBytes(system[0]->Field("UUID"), dmi.version));
  }
  if (auto board = dmi.OfType(2); !board.empty()) {
    EXPECT_SAME_STRING(smbios.MainBoardManufacturer(), board[0]->Field("Manufacturer"));
    EXPECT_SAME_STRING(smbios.MainBoardModel(), board[0]->Field("Product Name"));
    EXPECT_SAME_STRING(smbios.MainBoardVersion(), board[0]->Field("Version"));
    EXPECT_SAME_STRING(smbios.MainBoardSerial(), board[0]->Field("Serial Number"));
  }
  if (auto chassis = dmi.OfType(3); !chassis.empty()) {
    EXPECT_SAME_STRING(smbios.ChassisManufacturer(), chassis[0]->Field("Manufacturer"));
    EXPECT_SAME_STRING(smbios.ChassisVersion(), chassis[0]->Field("Version"));
    EXPECT_SAME_STRING(smbios.ChassisSerial(), chassis[0]->Field("Serial Number"));
    // The names differ in spelling ("LapTop", "Rack-Mount Chassis"), not in letters.
    EXPECT_EQ(Letters(ChassisName(smbios.ChassisModel())).rfind(Letters(chassis[0]->Field("Type")), 0), 0u)
        << ChassisName(smbios.ChassisModel()) << " / " << chassis[0]->Field("Type");
  }

  auto processors = dmi.OfType(4);
  ASSERT_EQ(smbios.ProcessorCount(), processors.size());
  for (std::size_t i = 0; i < processors.size(); ++i) {
    TProcessor p = smbios.Processor(i);
    const DmiRecord& d = *processors[i];
    EXPECT_SAME_STRING(p.Socket, d.Field("Socket Designation"));
    EXPECT_SAME_STRING(p.Manufacturer, d.Field("Manufacturer"));
    if (p.Version != "Processor_" + std::to_string(i)) EXPECT_SAME_STRING(p.Version, d.Field("Version"));
    EXPECT_EQ(p.CurrentSpeed, Number(d.Field("Current Speed")));
    EXPECT_EQ(p.ExternalClock, Number(d.Field("External Clock")));
    char volts[16];
    std::snprintf(volts, sizeof volts, "%.1f V", p.Voltage);
    EXPECT_EQ(d.Field("Voltage").rfind(volts, 0), 0u) << volts << " / " << d.Field("Voltage");
    EXPECT_EQ(ProcessorUpgradeName(p.Upgrade), d.Field("Upgrade"));
  }

  auto caches = dmi.OfType(7);
  ASSERT_EQ(smbios.CacheCount(), caches.size());
  for (std::size_t i = 0; i < caches.size(); ++i) {
    TCache c = smbios.Cache(i);
    if (c.Designation != "Cache_" + std::to_string(i))
      EXPECT_SAME_STRING(c.Designation, caches[i]->Field("Socket Designation"));
    EXPECT_EQ(c.InstalledSize, SizeInKB(caches[i]->Field("Installed Size")));
    EXPECT_EQ(c.MaxSize, SizeInKB(caches[i]->Field("Maximum Size")));
  }

  auto ports = dmi.OfType(8);
  ASSERT_EQ(smbios.PortCount(), ports.size());
  for (std::size_t i = 0; i < ports.size(); ++i) {
    TPort p = smbios.Port(i);
    EXPECT_SAME_STRING(p.InternalDesignator, ports[i]->Field("Internal Reference Designator"));
    if (p.ExternalDesignator != "PortSlot_" + std::to_string(i))
      EXPECT_SAME_STRING(p.ExternalDesignator, ports[i]->Field("External Reference Designator"));
    EXPECT_NE(PortTypeName(p.PortType), kUnknownName);
  }

  auto slots = dmi.OfType(9);
  ASSERT_EQ(smbios.SystemSlotCount(), slots.size());
  for (std::size_t i = 0; i < slots.size(); ++i)
    EXPECT_SAME_STRING(smbios.Slot(i).Designation, slots[i]->Field("Designation"));

  // Memory devices make the banks; without them the memory modules do.
  auto devices = dmi.OfType(17);
  auto modules = dmi.OfType(6);
  ASSERT_EQ(smbios.MemorySlotCount(), devices.empty() ? modules.size() : devices.size());
  for (std::size_t i = 0; i < devices.size(); ++i) {
    TMemoryBank b = smbios.MemoryBank(i);
    if (b.Designation != "MemoryBank_" + std::to_string(i)) EXPECT_SAME_STRING(b.Designation, devices[i]->Field("Locator"));
    std::uint32_t kb = SizeInKB(devices[i]->Field("Size"));
    if (kb) EXPECT_EQ(b.Size, kb / 1024) << "bank " << i;
    unsigned mhz = Number(devices[i]->Field("Speed"));
    if (mhz) EXPECT_EQ(b.Speed, 1000 / mhz) << "bank " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Shared, RealSmbiosTable, ::testing::ValuesIn(RealTables()),
                         [](const ::testing::TestParamInfo<RealTable>& info) {
                           std::string name;
                           for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
}  // namespace nsx
