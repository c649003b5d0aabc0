#include "SimNetworkApi.h"

#include <algorithm>
#include <cstring>

#include "../IpHelperLayout.h"

namespace nsx::sim {
namespace {

using platform::Bytes;
using platform::IpHelperLayout;

const std::size_t kAdapterStatusSize = 60;  // ADAPTER_STATUS without its name entries
const std::size_t kLanaEnumSize = 256;
const std::uint8_t kNrcIllegalCommand = 0x03;
const std::uint8_t kNrcEnvironmentNotDefined = 0x34;  // no reset before the request
const std::uint8_t kNrcInvalidLana = 0x23;

// Writes records at offsets of a buffer whose pointers are addresses in it.
class RecordWriter {
 public:
  RecordWriter(Bytes& buffer, const IpHelperLayout& layout) : b_(buffer), layout_(layout) {}

  void Number(std::size_t at, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) b_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  void Pointer(std::size_t at, std::size_t target) {
    Number(at, static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(b_.data()) + target), layout_.pointerSize);
  }
  // NUL-ended, cut to the field.
  void Text(std::size_t at, const std::string& text, std::size_t fieldSize) {
    std::size_t n = std::min(text.size(), fieldSize - 1);
    std::memcpy(&b_[at], text.data(), n);
    b_[at + n] = 0;
  }
  // An IP_ADDR_STRING chain: the first entry at `embedded`, the others from
  // *spill on; the entry `pointAt` (when any) gets its address in *pointer.
  void Chain(std::size_t embedded, const std::vector<SimIpAddr>& entries, std::size_t* spill) {
    const auto& s = layout_.addrString;
    std::size_t at = embedded;
    for (std::size_t i = 0; i < std::max<std::size_t>(entries.size(), 1); ++i) {
      if (i < entries.size()) {
        Text(at + s.ipAddress, entries[i].address, platform::kIpAddressStringSize);
        Text(at + s.ipMask, entries[i].mask, platform::kIpAddressStringSize);
      }
      if (i + 1 < entries.size()) {
        Pointer(at + s.next, *spill);
        at = *spill;
        *spill += s.size;
      }
    }
  }

 private:
  Bytes& b_;
  const IpHelperLayout& layout_;
};

std::size_t SpilledEntries(const SimIpAdapter& a) {
  std::size_t n = 0;
  for (const auto* list : {&a.ipAddresses, &a.gateways, &a.dhcpServers, &a.primaryWins, &a.secondaryWins})
    n += list->empty() ? 0 : list->size() - 1;
  return n;
}

std::vector<SimIpAddr> DnsEntries(const SimNetworkParams& p) {
  std::vector<SimIpAddr> entries;
  for (const auto& server : p.dnsServers) entries.push_back({server, ""});
  return entries;
}

}  // namespace

const SimLana* SimNetworkApi::FindLana(std::uint8_t number) const {
  for (const auto& lana : data_.lanas)
    if (lana.number == number) return &lana;
  return nullptr;
}

std::uint8_t SimNetworkApi::Netbios(const platform::NetbiosRequest& request, Bytes* buffer) {
  switch (request.command) {
    case platform::kNcbEnum: {
      data_.calls.push_back("NCBENUM " + std::to_string(buffer->size()));
      if (buffer->size() < kLanaEnumSize) return platform::kNrcBufferLength;
      (*buffer)[0] = static_cast<std::uint8_t>(data_.lanas.size());
      for (std::size_t i = 0; i < data_.lanas.size() && i + 1 < kLanaEnumSize; ++i) (*buffer)[i + 1] = data_.lanas[i].number;
      return platform::kNrcGoodReturn;
    }
    case platform::kNcbReset: {
      data_.calls.push_back("NCBRESET " + std::to_string(request.lana));
      const SimLana* lana = FindLana(request.lana);
      if (!lana) return kNrcInvalidLana;
      if (lana->resetResult == platform::kNrcGoodReturn) resetLanas_.push_back(request.lana);
      return lana->resetResult;
    }
    case platform::kNcbAdapterStatus: {
      data_.calls.push_back("NCBASTAT " + std::to_string(request.lana) + " " +
                            std::string(request.callName.begin(), request.callName.end()));
      const SimLana* lana = FindLana(request.lana);
      if (!lana) return kNrcInvalidLana;
      if (std::find(resetLanas_.begin(), resetLanas_.end(), request.lana) == resetLanas_.end())
        return kNrcEnvironmentNotDefined;
      if (buffer->size() < kAdapterStatusSize) return platform::kNrcBufferLength;
      std::fill(buffer->begin(), buffer->begin() + kAdapterStatusSize, 0);
      std::copy(lana->mac.begin(), lana->mac.end(), buffer->begin());
      return lana->statusResult;
    }
    default:
      return kNrcIllegalCommand;
  }
}

std::optional<platform::WinsockData> SimNetworkApi::WinsockStartup(std::uint16_t requestedVersion) {
  data_.calls.push_back("WSAStartup " + std::to_string(requestedVersion));
  if (data_.winsock) ++data_.winsockSessions;
  return data_.winsock;
}

void SimNetworkApi::WinsockCleanup() {
  data_.calls.push_back("WSACleanup");
  --data_.winsockSessions;
}

std::optional<std::string> SimNetworkApi::HostName(std::uint32_t bufferLength) {
  if (data_.winsockSessions <= 0 || !data_.hostName || data_.hostName->size() + 1 > bufferLength) return std::nullopt;
  return data_.hostName;
}

std::optional<std::vector<platform::IPv4Address>> SimNetworkApi::HostAddresses(const std::string& name) {
  if (data_.winsockSessions <= 0) return std::nullopt;
  auto it = data_.hosts.find(name);
  if (it == data_.hosts.end()) return std::nullopt;
  return it->second;
}

bool SimNetworkApi::IpHelperLoaded() {
  if (data_.ipHelper) return *data_.ipHelper;
  const auto& v = machine_.version;
  bool win95 = v.platformId == platform::kPlatformWin9x && v.majorVersion == 4 && v.minorVersion == 0;
  bool nt4 = v.platformId == platform::kPlatformNT && v.majorVersion <= 4;
  return !win95 && !nt4;
}

bool SimNetworkApi::Fits(const Bytes& buffer, std::uint32_t* size, std::size_t needed) const {
  std::size_t offered = std::min<std::size_t>(*size, buffer.size());
  if (data_.growingAnswer) {
    *size = static_cast<std::uint32_t>(offered + data_.growingAnswer);
    return false;
  }
  if (offered >= needed) return true;
  *size = static_cast<std::uint32_t>(needed);
  return false;
}

std::uint32_t SimNetworkApi::AdaptersInfo(Bytes* buffer, std::uint32_t* size) {
  data_.calls.push_back("GetAdaptersInfo " + std::to_string(*size));
  if (!IpHelperLoaded()) return platform::kErrorNotSupported;
  if (data_.adapters.empty()) return platform::kErrorNoData;
  const IpHelperLayout& layout = platform::NativeIpHelperLayout();
  const auto& a = layout.adapterInfo;
  std::size_t spilled = 0;
  for (const auto& adapter : data_.adapters) spilled += SpilledEntries(adapter);
  std::size_t needed = data_.adapters.size() * a.size + spilled * layout.addrString.size;
  if (!Fits(*buffer, size, needed)) return platform::kErrorBufferOverflow;

  std::fill(buffer->begin(), buffer->begin() + needed, 0);
  RecordWriter w(*buffer, layout);
  std::size_t spill = data_.adapters.size() * a.size;
  for (std::size_t i = 0; i < data_.adapters.size(); ++i) {
    const SimIpAdapter& adapter = data_.adapters[i];
    std::size_t at = i * a.size;
    if (i + 1 < data_.adapters.size()) w.Pointer(at + a.next, at + a.size);
    w.Text(at + a.adapterName, adapter.adapterName, platform::kAdapterNameSize);
    w.Text(at + a.description, adapter.description, platform::kAdapterDescriptionSize);
    w.Number(at + a.addressLength, adapter.address.size(), 4);
    for (std::size_t k = 0; k < adapter.address.size() && k < platform::kAdapterAddressSize; ++k)
      w.Number(at + a.address + k, adapter.address[k], 1);
    w.Number(at + a.type, adapter.type, 4);
    w.Number(at + a.dhcpEnabled, adapter.dhcpEnabled, 4);
    w.Number(at + a.haveWins, adapter.haveWins, 4);
    w.Chain(at + a.ipAddressList, adapter.ipAddresses, &spill);
    w.Chain(at + a.gatewayList, adapter.gateways, &spill);
    w.Chain(at + a.dhcpServer, adapter.dhcpServers, &spill);
    w.Chain(at + a.primaryWinsServer, adapter.primaryWins, &spill);
    w.Chain(at + a.secondaryWinsServer, adapter.secondaryWins, &spill);
  }
  return 0;
}

std::uint32_t SimNetworkApi::NetworkParams(Bytes* buffer, std::uint32_t* size) {
  data_.calls.push_back("GetNetworkParams " + std::to_string(*size));
  if (!IpHelperLoaded()) return platform::kErrorNotSupported;
  const IpHelperLayout& layout = platform::NativeIpHelperLayout();
  const auto& f = layout.fixedInfo;
  const SimNetworkParams& p = data_.params;
  std::size_t extra = p.dnsServers.empty() ? 0 : p.dnsServers.size() - 1;
  std::size_t needed = f.size + extra * layout.addrString.size;
  if (!Fits(*buffer, size, needed)) return platform::kErrorBufferOverflow;

  std::fill(buffer->begin(), buffer->begin() + needed, 0);
  RecordWriter w(*buffer, layout);
  w.Text(f.hostName, p.hostName, platform::kHostNameSize);
  w.Text(f.domainName, p.domainName, platform::kDomainNameSize);
  std::size_t spill = f.size;
  w.Chain(f.dnsServerList, DnsEntries(p), &spill);
  if (p.currentDnsServer == 0) w.Pointer(f.currentDnsServer, f.dnsServerList);
  if (p.currentDnsServer > 0 && static_cast<std::size_t>(p.currentDnsServer) < p.dnsServers.size())
    w.Pointer(f.currentDnsServer, f.size + (static_cast<std::size_t>(p.currentDnsServer) - 1) * layout.addrString.size);
  w.Number(f.nodeType, p.nodeType, 4);
  w.Text(f.scopeId, p.scopeId, platform::kScopeIdSize);
  w.Number(f.enableRouting, p.enableRouting, 4);
  w.Number(f.enableProxy, p.enableProxy, 4);
  w.Number(f.enableDns, p.enableDns, 4);
  return 0;
}

}  // namespace nsx::sim
