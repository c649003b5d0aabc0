#include <utility>

#include "../core/NSX_GUI.h"
#include "../hardware/NSX_CPU.h"
#include "../hardware/NSX_Machine.h"
#include "../hardware/NSX_Memory.h"
#include "../hardware/SmbiosTables.h"
#include "../software/NSX_Network.h"
#include "../software/NSX_OS.h"
#include "InventorySections.h"

namespace nsx::inventory {
namespace {

// "Microsoft Windows XP Professional": the release without its service pack
// (OSCOMMENTS carries that), and on the NT family the edition.
std::string OSName(TOperatingSystem& os) {
  const TOSIdentification& id = OSInfo();
  std::string name = id.OSDisplayName;
  const std::string& csd = id.OSCSD;
  if (!csd.empty() && name.size() >= csd.size() && name.compare(name.size() - csd.size(), csd.size(), csd) == 0)
    name.erase(name.size() - csd.size());
  name = Trim(name);
  if (id.IsNT) {
    std::string edition = os.NTSpecific().GetProductTypeStr(os.NTSpecific().ProductType());
    if (edition != "Unknown") name += " " + edition;
  }
  return name.empty() ? name : "Microsoft " + name;
}

// The page file alone: on the NT family the system's page-file total is the
// commit limit, physical memory included.
std::int64_t SwapBytes(const TMemory& memory) {
  if (!OSInfo().IsNT) return memory.PageFileTotal();
  std::int64_t swap = memory.PageFileTotal() - memory.PhysicalTotal();
  return swap > 0 ? swap : 0;
}

// The first adapter's first address of one of its lists.
std::string FirstAdapterAddress(const TTCPIP& tcpip, TStringList TAdapter::*list) {
  for (int i = 0; i < tcpip.AdapterCount(); ++i) {
    TAdapter adapter;
    tcpip.GetAdapter(i, adapter);
    std::string address = FirstAddress(adapter.*list);
    if (!address.empty()) return address;
  }
  return "";
}

}  // namespace

void WriteHardware(TNSystemInfo& info, std::uint32_t checksum, TInventoryXml& xml) {
  TMachine& machine = info.Machine();
  TOperatingSystem& os = info.OS();
  TCPU& cpu = info.CPU();
  TTCPIP& tcpip = info.Network().TCPIP();

  TEntry hardware = xml.Entry(kHardware);
  hardware.Text("NAME", machine.Name());
  hardware.Text("WORKGROUP", tcpip.DomainName());
  hardware.Text("USERDOMAIN", EnvironmentValue(os.Environment(), "USERDOMAIN"));
  hardware.Text("USERID", machine.User());
  hardware.Text("OSNAME", OSName(os));
  hardware.Text("OSVERSION", std::to_string(os.MajorVersion()) + "." + std::to_string(os.MinorVersion()) + "." +
                                 std::to_string(os.BuildNumber()));
  hardware.Text("OSCOMMENTS", os.CSD());
  hardware.Text("WINPRODID", os.ProductID());
  hardware.Text("WINPRODKEY", os.ProductKey());
  hardware.Text("WINOWNER", os.RegisteredUser());
  hardware.Text("WINCOMPANY", os.RegisteredOrg());
  hardware.Text("DESCRIPTION", machine.Computer());
  hardware.Text("PROCESSORT", cpu.FriendlyName());
  // The server puts these five into its SQL as they stand.
  hardware.Integer("PROCESSORS", cpu.Frequency());
  hardware.Integer("PROCESSORN", cpu.Count());
  hardware.Integer("MEMORY", Megabytes(info.Memory().PhysicalTotal()));
  hardware.Integer("SWAP", Megabytes(SwapBytes(info.Memory())));
  hardware.Integer("TYPE", 0);  // no meaning the server gives it; what it writes when absent
  std::string address = FirstAdapterAddress(tcpip, &TAdapter::IPAddress);
  hardware.Text("IPADDR", address.empty() ? FirstAddress(info.Network().IPAddresses()) : address);
  hardware.Text("DEFAULTGATEWAY", FirstAdapterAddress(tcpip, &TAdapter::Gateway_IPAddress));
  hardware.Text("DNS", JoinNonEmpty(tcpip.DNSServers(), ","));
  hardware.Text("UUID", machine.SMBIOS().SystemUUID());
  hardware.Integer("CHECKSUM", checksum);
}

void WriteBios(TNSystemInfo& info, TInventoryXml& xml) {
  const TSMBIOS& smbios = info.Machine().SMBIOS();
  const TBIOS& bios = info.Machine().BIOS();
  // Without SMBIOS tables the BIOS texts stand in: on NT the registry's
  // SystemBiosVersion (the topic's Copyright), on 9x the BIOS area's banner.
  std::string version = smbios.BIOSVersion();
  if (version.empty()) version = OSInfo().IsNT ? bios.Copyright() : bios.Name();
  std::string date = smbios.BIOSDate().empty() ? bios.Date() : smbios.BIOSDate();

  const std::pair<const char*, std::string> fields[] = {
      // field          value
      {"SMANUFACTURER", smbios.SystemManufacturer()},
      {"SMODEL", smbios.SystemModel()},
      {"SSN", smbios.SystemSerial()},
      {"TYPE", smbios.Structures().empty() ? "" : ChassisName(smbios.ChassisModel())},
      {"BMANUFACTURER", smbios.BIOSVendor()},
      {"BVERSION", version},
      {"BDATE", date},
      {"MMANUFACTURER", smbios.MainBoardManufacturer()},
      {"MMODEL", smbios.MainBoardModel()},
      {"MSN", smbios.MainBoardSerial()},
  };
  bool known = false;
  for (const auto& field : fields) known = known || !Trim(field.second).empty();
  if (!known) return;
  TEntry entry = xml.Entry(kBios);
  for (const auto& [field, value] : fields) entry.Text(field, value);
}

void WriteAccountInfo(const std::string& tag, TInventoryXml& xml) {
  if (Trim(tag).empty()) return;
  TEntry entry = xml.Entry(kAccountInfo);
  entry.Text("KEYNAME", "TAG");
  entry.Text("KEYVALUE", tag);
}

}  // namespace nsx::inventory
