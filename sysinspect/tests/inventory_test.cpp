// The OCS Inventory NG request of simulated machines, read back by xmllint
// in the encoding it declares: the profiles' real texts and the real
// SMBIOS, IDE and uninstall data in the fields the server takes them from,
// a device id that stays from run to run, a well-formed document whatever
// the machine holds, and (where the server package is installed) only the
// server's own field names and a CHECKSUM of exactly the sections sent.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <algorithm>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

#include "TestMachine.h"
#include "core/NSX_Common.h"
#include "core/NSX_GUI.h"
#include "inventory/Inventory.h"
#include "platform/sim/CpuIdDump.h"
#include "platform/sim/FirmwareProfile.h"
#include "platform/sim/Profile.h"
#include "platform/sim/RegFile.h"

namespace nsx {
namespace {

using inventory::InventoryOptions;

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string SharedData(const std::string& path) { return ReadText(std::string(SYSINSPECT_SHARED_DATA) + path); }

sim::SimMachine Profile(const std::string& name) { return sim::LoadProfile(SYSINSPECT_TEST_PROFILES "/" + name); }

std::string Request(sim::SimMachine machine, const InventoryOptions& options = {}) {
  test::TestMachine scope(std::move(machine));
  TNSystemInfo info;
  info.SetExceptionMode(emSilent);
  info.Refresh();
  return inventory::BuildInventoryRequest(info, options);
}

// A request as xmllint reads it, from a file of its own.
class ParsedRequest {
 public:
  explicit ParsedRequest(const std::string& request) {
    char path[] = "/tmp/inventory_test_XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return;
    close(fd);
    path_ = path;
    std::ofstream(path_, std::ios::binary) << request;
  }
  ~ParsedRequest() { unlink(path_.c_str()); }
  ParsedRequest(const ParsedRequest&) = delete;
  ParsedRequest& operator=(const ParsedRequest&) = delete;

  bool WellFormed() const { return !path_.empty() && std::system(("xmllint --noout " + path_).c_str()) == 0; }
  // The XPath's string value in UTF-8, without the newline xmllint adds.
  std::string Text(const std::string& xpath) const {
    std::string text = Nodes("string(" + xpath + ")");
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }
  int Count(const std::string& xpath) const { return std::atoi(Nodes("count(" + xpath + ")").c_str()); }
  // What xmllint prints for the XPath (the XPaths here quote with double quotes only).
  std::string Nodes(const std::string& xpath) const {
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        popen(("xmllint --xpath '" + xpath + "' " + path_ + " 2>/dev/null").c_str(), "r"), &pclose);
    char buffer[4096];
    for (size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) output.append(buffer, n);
    return output;
  }

 private:
  std::string path_;
};

const std::regex kDeviceIdPattern(R"(^.+-\d{4}(-\d{2}){5}$)");
const std::regex kElement("<([A-Z_0-9]+)>");

// What the server puts into its SQL unquoted, or stores in integer columns.
void ExpectIntegerFields(const ParsedRequest& xml) {
  for (const char* field : {"PROCESSORS", "PROCESSORN", "MEMORY", "SWAP", "TYPE", "CHECKSUM"})
    EXPECT_TRUE(std::regex_match(xml.Text(std::string("//HARDWARE/") + field), std::regex("[0-9]+"))) << field;
}

struct FieldCase {
  const char* profile;
  std::vector<std::pair<std::string, std::string>> fields;  // XPath, text in UTF-8
};

TEST(InventoryRequest, ProfileTextsLandDecodedInTheirFields) {
  const FieldCase cases[] = {
      {"western",  // XP SP3, code page 1252
       {{"//HARDWARE/NAME", "Café-PC"}, {"//HARDWARE/USERID", "Zoë"},
        {"//HARDWARE/WINOWNER", "Zoë Müller"}, {"//HARDWARE/WINCOMPANY", "Crème & Brûlée <Ltd>"},
        {"//HARDWARE/OSNAME", "Microsoft Windows XP Professional"}, {"//HARDWARE/OSCOMMENTS", "Service Pack 3"},
        {"//DRIVES[LETTER=\"C:\"]/VOLUMN", "Zoë's disk"}, {"//DRIVES[LETTER=\"C:\"]/FILESYSTEM", "NTFS"},
        {"//DRIVES[LETTER=\"C:\"]/TOTAL", "76319"},  // 80,026,361,856 bytes
        {"//DRIVES[LETTER=\"D:\"]/TYPE", "CDROM"}}},
      {"russian",  // 98 SE, code page 1251
       {{"//HARDWARE/NAME", "бухгалтерия"}, {"//HARDWARE/WINOWNER", "Иван Петров"},
        {"//HARDWARE/WINCOMPANY", "ООО «Ромашка»"}, {"//HARDWARE/OSNAME", "Microsoft Windows 98 Second Edition"},
        {"//HARDWARE/OSVERSION", "4.10.2222"}, {"//DRIVES[LETTER=\"C:\"]/VOLUMN", "СИСТЕМА"},
        {"//PRINTERS[1]/NETWORK", "0"}, {"//PRINTERS[2]/NETWORK", "1"},
        {"//PRINTERS[2]/SERVERNAME", "БУХ"}, {"//PRINTERS[2]/SHARENAME", "Матричный"}}},
      {"polish",  // 2000 SP4, code page 1250
       {{"//HARDWARE/NAME", "łódź-01"}, {"//HARDWARE/WINOWNER", "Łukasz Żółć"},
        {"//HARDWARE/WINCOMPANY", "Spółka z o.o."}, {"//HARDWARE/OSNAME", "Microsoft Windows 2000 Professional"},
        {"//CONTROLLERS[TYPE=\"Floppy\"]/NAME", "Standardowy kontroler stacji dyskietek"}}},
      {"w2k-lan",  // a DHCP office network
       {{"//HARDWARE/WORKGROUP", "firma.pl"}, {"//HARDWARE/IPADDR", "192.168.10.21"},
        {"//HARDWARE/DEFAULTGATEWAY", "192.168.10.1"}, {"//HARDWARE/DNS", "192.168.10.1,194.204.159.1"},
        {"//NETWORKS/MACADDR", "00:E0:4C:39:1A:2B"}, {"//NETWORKS/IPMASK", "255.255.255.0"},
        {"//NETWORKS/IPSUBNET", "192.168.10.0"}, {"//NETWORKS/IPDHCP", "192.168.10.1"},
        {"//VIDEOS/RESOLUTION", "1024 x 768"}}},
      {"98se-lan",  // a fixed address, no gateway
       {{"//NETWORKS/IPSUBNET", "10.0.0.0"}, {"//NETWORKS/IPGATEWAY", ""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.profile);
    sim::SimMachine machine = Profile(c.profile);
    std::string request = Request(machine);
    ParsedRequest xml(request);
    ASSERT_TRUE(xml.WellFormed());
    // The encoding the report of the same machine declares.
    test::TestMachine scope(machine);
    TReportList header;
    WriteReportHeader(header);
    EXPECT_EQ(request.substr(0, request.find('\n')), header[0].substr(0, header[0].find(" standalone")) + "?>");
    EXPECT_EQ(xml.Text("/REQUEST/QUERY"), "INVENTORY");
    EXPECT_TRUE(std::regex_match(xml.Text("/REQUEST/DEVICEID"), kDeviceIdPattern));
    ExpectIntegerFields(xml);
    for (const auto& [xpath, text] : c.fields) EXPECT_EQ(xml.Text(xpath), text) << xpath;
  }
}

// A Windows XP machine with a real SMBIOS table, a real IDE drive, a real
// processor and a real uninstall table.
sim::SimMachine RealXP(const std::string& smbios, const std::string& ata) {
  sim::SimMachine m = Profile("western");
  std::string table = SharedData("/smbios/" + smbios + ".bin");
  sim::PlaceDmiImage(platform::Bytes(table.begin(), table.end()), smbios, m.firmware.lowMemory);
  std::string sector = SharedData("/ata/" + ata + ".bin");
  m.ide.identify[0] = platform::Bytes(sector.begin(), sector.end());
  m.processor.leaves = sim::ParseCpuIdDump(SharedData("/cpuid/intel-pentium-4-cpu-1.60ghz.txt"), "cpuid",
                                           &m.processor.subleaves);
  m.processor.clockMHz = 1600;
  sim::LoadRegFile(SharedData("/registry/xp-Uninstall.reg"), 1252, "xp-Uninstall.reg", m.registry);
  return m;
}

// "Key: value" of the first block of `text` starting with line `block`
// (dmidecode), or of the whole text (hdparm); dmidecode's "Not Specified" is
// a string the table does not give.
std::string Decoded(const std::string& text, const std::string& block, const std::string& key) {
  auto at = block.empty() ? 0 : text.find("\n" + block + "\n");
  if (at == std::string::npos) return "<no block>";
  std::smatch m;
  std::string rest = text.substr(at);
  if (!std::regex_search(rest, m, std::regex("\n\\s*" + key + ":[ \t]*([^\n]*)"))) return "<no key>";
  std::string value = std::regex_replace(m[1].str(), std::regex("\\s+$"), "");
  return value == "Not Specified" ? "" : value;
}

TEST(InventoryRequest, RealFirmwareDriveAndProductData) {
  const std::pair<const char*, const char*> machines[] = {
      // SMBIOS table               IDE drive
      {"dell-libsmbios_dimension_4400", "lkml-2002-12-06_WDC_WD800BB-00CAA1"},
      {"dell-libsmbios_PE1650", "libatasmart_Maxtor_96147H8--BAC51KJ0"},
      {"dell-libsmbios_latitude_D610", "libatasmart_FUJITSU_MHY2120BH--0084000D"},
  };
  struct Field { const char *xpath, *block, *key; };
  const Field fields[] = {
      // request field            dmidecode block            key
      {"//BIOS/SMANUFACTURER", "System Information", "Manufacturer"},
      {"//BIOS/SMODEL", "System Information", "Product Name"},
      {"//BIOS/SSN", "System Information", "Serial Number"},
      {"//BIOS/MMANUFACTURER", "Base Board Information", "Manufacturer"},
      {"//BIOS/MMODEL", "Base Board Information", "Product Name"},
      {"//BIOS/MSN", "Base Board Information", "Serial Number"},
      {"//BIOS/BMANUFACTURER", "BIOS Information", "Vendor"},
      {"//BIOS/BVERSION", "BIOS Information", "Version"},
      {"//BIOS/BDATE", "BIOS Information", "Release Date"},
      {"//BIOS/TYPE", "Chassis Information", "Type"},
  };
  for (const auto& [smbios, ata] : machines) {
    SCOPED_TRACE(smbios);
    ParsedRequest xml(Request(RealXP(smbios, ata)));
    ASSERT_TRUE(xml.WellFormed());
    std::string dmi = SharedData("/smbios/" + std::string(smbios) + ".dmidecode.txt");
    for (const auto& f : fields) EXPECT_EQ(xml.Text(f.xpath), Decoded(dmi, f.block, f.key)) << f.xpath;
    std::string hdparm = SharedData("/ata/" + std::string(ata) + ".hdparm.txt");
    EXPECT_EQ(xml.Text("//STORAGES/MODEL"), Decoded(hdparm, "", "Model Number"));
    EXPECT_EQ(xml.Text("//STORAGES/SERIALNUMBER"), Decoded(hdparm, "", "Serial Number"));
    EXPECT_EQ(xml.Text("//STORAGES/FIRMWARE"), Decoded(hdparm, "", "Firmware Revision"));
    EXPECT_EQ(xml.Text("//HARDWARE/PROCESSORS"), "1600");
  }
  // The products of the uninstall table, each with the details of its own key.
  ParsedRequest xml(Request(RealXP(machines[0].first, machines[0].second)));
  EXPECT_EQ(xml.Count("//SOFTWARES"), 419);  // the entries with a display name
  EXPECT_EQ(xml.Text("//SOFTWARES[NAME=\"Adobe Shockwave Player 11\"]/PUBLISHER"), "Adobe Systems, Inc.");
  // Two entries of one name keep their own details, in key order.
  const std::string dotNet = "//SOFTWARES[NAME=\"Microsoft .NET Framework 1.1\"]";
  EXPECT_EQ(xml.Count(dotNet), 2);
  EXPECT_EQ(xml.Text(dotNet + "[1]/PUBLISHER"), "");
  EXPECT_EQ(xml.Text(dotNet + "[2]/PUBLISHER"), "Microsoft");
  EXPECT_EQ(xml.Text(dotNet + "[2]/GUID"), "{CB2F7EDD-9D1F-43C1-90FC-4F52EAE172A1}");
  EXPECT_EQ(xml.Text("//SOFTWARES[GUID=\"{CE2CDD62-0124-36CA-84D3-9F4DCF5C5BD9}\"]/INSTALLDATE"), "2012-01-03");
}

// The server's view of the request: each section's fields and CHECKSUM bit
// as Map.pm lists them, and the fields its modules for HARDWARE, SOFTWARES
// and ACCOUNTINFO read besides.
struct ServerSchema {
  std::map<std::string, std::set<std::string>> fields;  // by section, upper case
  std::map<std::string, std::uint32_t> masks;
};

std::optional<ServerSchema> InstalledServerSchema() {
  const std::string root = "/usr/share/perl5/Apache/Ocsinventory/";
  std::istringstream map(ReadText(root + "Map.pm"));
  if (!map.str().size()) return std::nullopt;
  ServerSchema schema;
  std::string line, section;
  std::smatch m;
  while (std::getline(map, line)) {
    if (std::regex_match(line, m, std::regex("  ([a-z_]+) => +\\{\\s*"))) section = m[1];
    std::transform(section.begin(), section.end(), section.begin(), ::toupper);
    if (std::regex_search(line, m, std::regex("^\\s+mask => (\\d+)"))) schema.masks[section] = std::stoul(m[1]);
    if (std::regex_search(line, m, std::regex("^\\s+([A-Z][A-Z_0-9]*) +=> +\\{"))) schema.fields[section].insert(m[1]);
  }
  const std::pair<const char*, const char*> modules[] = {
      // section       module that reads its fields
      {"HARDWARE", "Server/Inventory/Update/Hardware.pm"},
      {"SOFTWARES", "Server/Inventory/Software.pm"},
      {"ACCOUNTINFO", "Server/Inventory/Update/AccountInfos.pm"},
  };
  for (const auto& [name, module] : modules) {
    std::string perl = ReadText(root + module);
    std::regex field("->\\{([A-Z_]+)\\}");
    for (std::sregex_iterator it(perl.begin(), perl.end(), field), end; it != end; ++it)
      schema.fields[name].insert((*it)[1]);
  }
  return schema;
}

TEST(InventoryRequest, SendsTheServersFieldsAndChecksumsTheSectionsSent) {
  auto schema = InstalledServerSchema();
  if (!schema) GTEST_SKIP() << "ocsinventory-server is not installed";
  InventoryOptions tagged;
  tagged.tag = "Office";
  const std::pair<const char*, sim::SimMachine> machines[] = {
      {"real XP", RealXP("dell-libsmbios_dimension_4400", "lkml-2002-12-06_WDC_WD800BB-00CAA1")},
      {"russian", Profile("russian")},
      {"polish", Profile("polish")},
      {"w2k-lan", Profile("w2k-lan")},
  };
  std::uint32_t read = 0;  // every CHECKSUM bit the server reads
  for (const auto& [section, mask] : schema->masks)
    if (section.rfind("SNMP", 0) != 0) read |= mask;
  for (const auto& [name, machine] : machines) {
    SCOPED_TRACE(name);
    ParsedRequest xml(Request(machine, tagged));
    ASSERT_TRUE(xml.WellFormed());
    std::uint32_t sent = 0;
    int sections = 0;
    for (const auto& [section, known] : schema->fields) {
      int entries = xml.Count("/REQUEST/CONTENT/" + section);
      if (!entries) continue;
      sections += entries;
      sent |= schema->masks[section];
      std::string nodes = xml.Nodes("/REQUEST/CONTENT/" + section + "/*");
      for (std::sregex_iterator it(nodes.begin(), nodes.end(), kElement), end; it != end; ++it)
        EXPECT_TRUE(known.count((*it)[1])) << section << "/" << (*it)[1];
    }
    EXPECT_EQ(sections, xml.Count("/REQUEST/CONTENT/*"));  // no section the server does not know
    EXPECT_EQ(std::stoul(xml.Text("//HARDWARE/CHECKSUM")) & read, sent);
  }
}

TEST(InventoryDeviceId, StaysFromRunToRunAndTellsTheInstallation) {
  const std::string nt = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  const std::string w9x = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  struct Case {
    const char* what;
    bool nt;
    platform::Bytes stamp;  // InstallDate (a DWORD) on NT, FirstInstallDateTime on 9x; empty: none
    const char* name;
    const char* id;
  };
  const Case cases[] = {
      {"NT: seconds since 1970, UTC", true, {0x00, 0xCA, 0x9A, 0x3B}, "OFFICE-7", "OFFICE-7-2001-09-09-01-46-40"},
      {"9x: DOS date and time", false, {0xA1, 0x6C, 0xAE, 0x26}, "OFFICE-7", "OFFICE-7-1999-05-14-13-37-02"},
      {"9x: month 13", false, {0xA1, 0x6C, 0xAE, 0x27}, "OFFICE-7", "OFFICE-7-1970-01-01-00-00-00"},
      {"9x: too short", false, {0xA1}, "OFFICE-7", "OFFICE-7-1970-01-01-00-00-00"},
      {"NT: nothing recorded", true, {}, "OFFICE-7", "OFFICE-7-1970-01-01-00-00-00"},
      {"a blank in the name", true, {}, "MY PC", "MY_PC-1970-01-01-00-00-00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SimMachine m = c.nt ? test::WinXPSP3() : test::Win98SE();
    m.computerName = c.name;
    if (!c.stamp.empty())
      m.registry.SetBinary(c.nt ? nt : w9x, c.nt ? "InstallDate" : "FirstInstallDateTime", c.stamp,
                           c.nt ? platform::kRegDword : platform::kRegBinary);
    ParsedRequest first(Request(m));
    EXPECT_EQ(first.Text("/REQUEST/DEVICEID"), c.id);
    // A day later, after a restart: the same id.
    m.regional.localTime.day += 1;
    m.tickCount = 1000;
    ParsedRequest later(Request(m));
    EXPECT_EQ(later.Text("/REQUEST/DEVICEID"), c.id);
    test::TestMachine scope(m);
    EXPECT_EQ(inventory::DeviceId(InventoryOptions{}), c.id);  // what the other requests carry
  }
}

TEST(InventoryRequest, WellFormedWhateverTheMachineAndOptionsHold) {
  struct Case {
    std::uint32_t codePage;
    std::uint16_t langId;
    const char* owner;     // bytes in the code page
    const char* readBack;  // UTF-8
  };
  const Case cases[] = {
      // control characters, markup, and a byte 1252 leaves undefined
      {1252, 0x0409, "A\x01" "B\x1B&<C>\"'\x81", "A?B?&<C>\"'?"},
      // Cyrillic with a byte 1251 leaves undefined, a bell and a CDATA end
      {1251, 0x0419, "\xC8\x98\x07]]>", "И??]]>"},
      // Shift-JIS: a whole character, then a lead byte without its trail
      {932, 0x0411, "\x82\xA0\x82", "あ?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.codePage);
    sim::SimMachine m = test::WinXPSP3();
    m.ansiCodePage = c.codePage;
    m.langId = c.langId;
    const std::string key = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    m.registry.SetString(key, "RegisteredOwner", c.owner);
    m.registry.SetString("HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\X", "DisplayName", c.owner);
    InventoryOptions options;
    options.tag = c.owner;  // ANSI text, as every text of the program
    options.deviceId = "FIXED-2010-01-02-03-04-05";
    ParsedRequest xml(Request(m, options));
    ASSERT_TRUE(xml.WellFormed());
    EXPECT_EQ(xml.Text("//HARDWARE/WINOWNER"), c.readBack);
    EXPECT_EQ(xml.Text("//SOFTWARES/NAME"), c.readBack);
    EXPECT_EQ(xml.Text("//ACCOUNTINFO[KEYNAME=\"TAG\"]/KEYVALUE"), c.readBack);
    EXPECT_EQ(xml.Text("/REQUEST/DEVICEID"), options.deviceId);
    ExpectIntegerFields(xml);
  }
  // An aggregate never gathered still makes a request the server can file.
  test::TestMachine scope(test::WinXPSP3());
  TNSystemInfo info;
  ParsedRequest empty(inventory::BuildInventoryRequest(info, {}));
  ASSERT_TRUE(empty.WellFormed());
  ExpectIntegerFields(empty);
  EXPECT_EQ(empty.Count("//ACCOUNTINFO"), 0);  // no tag asked for
}

}  // namespace
}  // namespace nsx
