#include "NSX_Network.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "../core/CommaText.h"
#include "../core/TextCompare.h"
#include "../hardware/NSX_Devices.h"
#include "../hardware/NSX_DMA.h"
#include "Norvik_IpHlpAPI.h"

namespace nsx {
namespace {

using platform::RegKey;
using platform::RegRoot;

const std::uint8_t kNetDeviceClass = 21;  // the "Net" class of the device list
const char kNetworkCardsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
const std::size_t kLanaEnumSize = 256;       // LANA_ENUM: a count and up to 255 numbers
const std::size_t kAdapterStatusSize = 348;  // ADAPTER_STATUS and its name entries
const std::uint32_t kHostNameBuffer = 64;
const char kUnknownMac[] = "??:??:??:??:??:??";

struct TInterfaceTypeRow {
  std::uint32_t interfaceType;
  TAdapterType type;
};
const TInterfaceTypeRow kInterfaceTypes[] = {
    // MIB_IF_TYPE_*   adapter type
    {1,  atOther},
    {6,  atEthernet},
    {9,  atTokenRing},
    {15, atFDDI},
    {23, atPPP},
    {24, atLoopback},
    {28, atSlip},
};

const char* const kAdapterTypeTexts[] = {"Other", "Ethernet", "Token Ring", "FDDI", "PPP", "Loopback", "Slip"};
const char* const kNodeTypeTexts[] = {"Unknown", "Broadcast", "Peer-To-Peer", "Mixed", "Hybrid"};

std::string Dotted(const platform::IPv4Address& a) {
  return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." + std::to_string(a[3]);
}

void AppendOnce(TStringList& list, const std::string& text) {
  for (const auto& item : list)
    if (SameText(item, text)) return;
  list.push_back(text);
}

// An address chain as the two lists of a TAdapter.
void Split(const std::vector<TIpAddrString>& entries, TStringList& addresses, TStringList& masks) {
  for (const auto& entry : entries) {
    addresses.push_back(entry.address);
    masks.push_back(entry.mask);
  }
}

TAdapter AdapterFromRecord(const TIpAdapterRecord& record) {
  TAdapter a;
  a.Name = Trim(record.description);
  for (std::size_t i = 0; i < record.address.size(); ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%2.2X", record.address[i]);
    a.PhysicalAddress += (i ? ":" : "") + std::string(pair);
  }
  a.AdapterType = AdapterTypeFromInterface(record.type);
  a.DHCPEnabled = static_cast<std::uint8_t>(record.dhcpEnabled);
  a.HaveWINS = record.haveWins != 0;
  Split(record.ipAddresses, a.IPAddress, a.IPMask);
  Split(record.gateways, a.Gateway_IPAddress, a.Gateway_IPMask);
  Split(record.dhcpServers, a.DHCP_IPAddress, a.DHCP_IPMask);
  Split(record.primaryWins, a.PrimaryWINS_IPAddress, a.PrimaryWINS_IPMask);
  Split(record.secondaryWins, a.SecondaryWINS_IPAddress, a.SecondaryWINS_IPMask);
  return a;
}

platform::NetbiosRequest Request(std::uint8_t command, std::uint8_t lana) {
  platform::NetbiosRequest request;
  request.command = command;
  request.lana = lana;
  return request;
}

}  // namespace

std::string NodeTypeText(TNodeType type) {
  return type >= ntUnknown && type <= ntHybrid ? kNodeTypeTexts[type] : kNodeTypeTexts[ntUnknown];
}

std::string AdapterTypeText(std::uint8_t type) {
  return type < std::size(kAdapterTypeTexts) ? kAdapterTypeTexts[type] : kAdapterTypeTexts[atOther];
}

TAdapterType AdapterTypeFromInterface(std::uint32_t interfaceType) {
  for (const auto& row : kInterfaceTypes)
    if (row.interfaceType == interfaceType) return row.type;
  return atOther;
}

TNodeType NodeTypeFromPlatform(std::uint32_t nodeType) {
  switch (nodeType) {
    case 1: return ntBroadcast;
    case 2: return ntPeerToPeer;
    case 4: return ntMixed;
    case 8: return ntHybrid;
    default: return ntUnknown;
  }
}

std::string AdapterStatusMac(const platform::Bytes& status) {
  if (status.size() < 6) return kUnknownMac;
  char text[18];
  std::snprintf(text, sizeof text, "%2.2X:%2.2X:%2.2X:%2.2X:%2.2X:%2.2X", status[0], status[1], status[2], status[3],
                status[4], status[5]);
  return text;
}

// ---- TWinsock ----

void TWinsock::GetInfo() {
  platform::WinsockSession session(Machine().Network(), 0x0101);
  if (!session.Data()) {
    status_ = "Winsock cannot be initialized.";
    return;
  }
  const platform::WinsockData& data = *session.Data();
  description_ = data.description;
  status_ = data.systemStatus;
  majorVersion_ = data.highVersion & 0xFF;
  minorVersion_ = data.highVersion >> 8;
}

// ---- TTCPIP ----

void TTCPIP::GetInfo() {
  ClearAdapters();
  try {
    if (!Machine().Network().IpHelperLoaded()) return;
    ReadAdapters();
    ReadNetworkParams();
  } catch (const std::exception&) {
    // What was gathered up to the error stays; the rest is left as it was.
  }
}

void TTCPIP::ReadAdapters() {
  auto answer = QueryAdaptersInfo(Machine().Network());
  if (!answer) return;
  for (const auto& record : DecodeAdaptersInfo(*answer, platform::NativeIpHelperLayout()))
    adapters_.push_back(AdapterFromRecord(record));
}

void TTCPIP::ReadNetworkParams() {
  auto answer = QueryNetworkParams(Machine().Network());
  if (!answer) return;
  auto params = DecodeNetworkParams(*answer, platform::NativeIpHelperLayout());
  if (!params) return;
  nodeType_ = NodeTypeFromPlatform(params->nodeType);
  dhcpScopeName_ = params->scopeId;
  primaryDNSSuffix_ = params->currentDnsServer.value_or("");
  dnsServers_ = params->dnsServers;
  dnsSuffixes_.clear();
  std::string searchList =
      ReadRegistryString(RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", "SearchList");
  for (std::size_t at; (at = searchList.find(',')) != std::string::npos; searchList.erase(0, at + 1))
    dnsSuffixes_.push_back(searchList.substr(0, at));
  dnsSuffixes_.push_back(searchList);
  hostName_ = params->hostName;
  domainName_ = params->domainName;
  enableProxy_ = (params->enableProxy & 0xFF) != 0;
  enableRouting_ = (params->enableRouting & 0xFF) != 0;
  enableDNS_ = (params->enableDns & 0xFF) != 0;
}

void TTCPIP::GetAdapter(int index, TAdapter& out) const {
  if (index < 0 || index >= static_cast<int>(adapters_.size())) return;
  out = adapters_[static_cast<std::size_t>(index)];
}

void TTCPIP::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "TCPIP", ClassName());
  WriteString(list, "HostName", hostName_);
  WriteString(list, "DomainName", domainName_);
  WriteString(list, "NodeType", NodeTypeText(nodeType_));
  WriteString(list, "PrimaryDNSSuffix", primaryDNSSuffix_);
  WriteString(list, "DNSServers", CommaText(dnsServers_));
  for (std::size_t k = 0; k < adapters_.size(); ++k) {
    const TAdapter& a = adapters_[k];
    WriteSectionStart(list, "Adapter_" + std::to_string(k));
    WriteString(list, "Name", a.Name);
    WriteString(list, "PhysicalAddress", a.PhysicalAddress);
    WriteString(list, "Type", AdapterTypeText(a.AdapterType));
    const std::pair<const char*, const TStringList*> lists[] = {
        {"IPAddress", &a.IPAddress},
        {"IPMask", &a.IPMask},
        {"Gateway_IPAddress", &a.Gateway_IPAddress},
        {"Gateway_IPMask", &a.Gateway_IPMask},
        {"DHCP_IPAddress", &a.DHCP_IPAddress},
        {"DHCP_IPMask", &a.DHCP_IPMask},
        {"PrimaryWINS_IPAddress", &a.PrimaryWINS_IPAddress},
        {"PrimaryWINS_IPMask", &a.PrimaryWINS_IPMask},
        {"SecondaryWINS_IPAddress", &a.SecondaryWINS_IPAddress},
        {"SecondaryWINS_IPMask", &a.SecondaryWINS_IPMask},
    };
    for (const auto& [name, values] : lists) WriteString(list, name, CommaText(*values));
    WriteSectionEnd(list);
  }
  WriteElementEnd(list, "TCPIP");
  if (standalone) WriteReportFooter(list);
}

// ---- TNetwork ----

TNetwork::TNetwork() : winsock_(std::make_unique<TWinsock>()), tcpip_(std::make_unique<TTCPIP>()) {
  for (const TDevice& device : DevicesOfClass(kNetDeviceClass, exceptionMode_)) {
    deviceAdapters_.push_back(DeviceTitle(device));
    if (!device.Location.empty() && deviceCardIndex_ == -1)
      deviceCardIndex_ = static_cast<std::int32_t>(deviceAdapters_.size()) - 1;
  }
  adapters_ = deviceAdapters_;
  cardAdapterIndex_ = deviceCardIndex_;
}

TNetwork::~TNetwork() {
  tcpip_.reset();
  winsock_.reset();
}

void TNetwork::GetInfo() {
  GuardCall(winsock_->ClassName() + ".GetInfo", exceptionMode_, *winsock_, &TWinsock::GetInfo);
  GuardCall(tcpip_->ClassName() + ".GetInfo", exceptionMode_, *tcpip_, &TTCPIP::GetInfo);

  // Each gathering starts from the device list's adapters, so the card
  // list of the registry is added once, not once per gathering.
  adapters_ = deviceAdapters_;
  cardAdapterIndex_ = deviceCardIndex_;
  AddNetworkCards();
  if (cardAdapterIndex_ >= 0 && cardAdapterIndex_ < static_cast<std::int32_t>(adapters_.size()))
    cardName_ = adapters_[static_cast<std::size_t>(cardAdapterIndex_)];
  else
    cardName_ = adapters_.empty() ? "<not detected>" : adapters_[0];

  ReadHostAddresses();

  const bool nt5 = OSInfo().IsNT5;
  std::string root = nt5 ? "SYSTEM\\CurrentControlSet\\Control\\Network" : OSInfo().ClassKey;
  std::string value = nt5 ? "Description" : "DriverDesc";
  GetClassDevices(root, "NetTrans", value, protocols_);
  GetClassDevices(root, "NetService", value, services_);
  GetClassDevices(root, "NetClient", value, clients_);

  ReadMACAddresses();
}

void TNetwork::AddNetworkCards() {
  const TOSIdentification& os = OSInfo();
  // NT 4 always; Windows 2000 and later when the device list found no card.
  bool laterNT = OnNTPlatform() && os.OSKind != osNT3 && !os.IsNT4;
  bool wanted = os.IsNT4 || (laterNT && (adapters_.empty() || cardAdapterIndex_ == -1));
  if (!wanted) return;
  RegKey cards = RegKey::Open(Reg(), RegRoot::LocalMachine, kNetworkCardsKey);
  for (const auto& name : cards.SubKeyNames()) {
    RegKey card = cards.OpenSub(name);
    if (!card) continue;
    adapters_.push_back(card.String("Description").value_or(""));
    if (cardAdapterIndex_ == -1) cardAdapterIndex_ = static_cast<std::int32_t>(adapters_.size()) - 1;
  }
}

void TNetwork::ReadHostAddresses() {
  ipAddresses_.clear();
  platform::NetworkApi& network = Machine().Network();
  platform::WinsockSession session(network, 0x0101);
  if (!session.Data()) return;
  auto name = network.HostName(kHostNameBuffer);
  if (!name) return;
  auto addresses = network.HostAddresses(*name);
  if (!addresses) return;
  for (const auto& address : *addresses) ipAddresses_.push_back(Dotted(address));
}

void TNetwork::ReadMACAddresses() {
  macAddresses_.clear();
  platform::NetworkApi& network = Machine().Network();
  platform::Bytes lanas(kLanaEnumSize, 0);
  std::size_t count = 0;
  if (network.Netbios(Request(platform::kNcbEnum, 0), &lanas) == platform::kNrcGoodReturn)
    count = std::min<std::size_t>(lanas[0], kLanaEnumSize - 1);
  for (std::size_t i = 1; i <= count; ++i) {
    std::uint8_t lana = lanas[i];
    platform::Bytes none;
    if (network.Netbios(Request(platform::kNcbReset, lana), &none) != platform::kNrcGoodReturn) continue;
    platform::NetbiosRequest status = Request(platform::kNcbAdapterStatus, lana);
    status.callName.fill(' ');
    status.callName[0] = '*';
    platform::Bytes answer(kAdapterStatusSize, 0);
    std::uint8_t result = network.Netbios(status, &answer);
    // An incomplete answer lacks some of its names; its address is whole.
    bool answered = result == platform::kNrcGoodReturn || result == platform::kNrcIncomplete;
    AppendOnce(macAddresses_, answered ? AdapterStatusMac(answer) : kUnknownMac);
  }
}

void TNetwork::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "Network", ClassName());
  const std::tuple<const char*, const TStringList*, const char*> sections[] = {
      // section        list            item
      {"Adapters",     &adapters_,     "Adapter"},
      {"Protocols",    &protocols_,    "Protocol"},
      {"Services",     &services_,     "Service"},
      {"Clients",      &clients_,      "Client"},
      {"IPAddresses",  &ipAddresses_,  "IPAddress"},
      {"MACAdresses",  &macAddresses_, "MACAddress"},
  };
  for (const auto& [section, strings, item] : sections) {
    WriteSectionStart(list, section);
    WriteStringsData(*strings, "Count", item, list);
    WriteSectionEnd(list);
  }
  WriteElementEnd(list, "Network");

  WriteElementStart(list, "Winsock", winsock_->ClassName());
  WriteString(list, "Description", winsock_->Description());
  WriteString(list, "Version", std::to_string(winsock_->MajorVersion()) + "." + std::to_string(winsock_->MinorVersion()));
  WriteString(list, "Status", winsock_->Status());
  WriteElementEnd(list, "Winsock");

  tcpip_->Report(list, false);
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
