// The network topic: TNetwork (adapters of the network class, installed
// protocols, services and clients, the host's addresses, the adapters' MAC
// addresses through NetBIOS) with the two objects it owns, TWinsock (the
// Windows Sockets implementation) and TTCPIP (the TCP/IP configuration of
// each adapter, through the IP Helper library).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "../core/NSX_Common.h"

namespace nsx {

enum TNodeType { ntUnknown = 0, ntBroadcast = 1, ntPeerToPeer = 2, ntMixed = 3, ntHybrid = 4 };

// Adapter types: 0 Other, 1 Ethernet, 2 Token Ring, 3 FDDI, 4 PPP, 5 Loopback, 6 Slip.
enum TAdapterType : std::uint8_t { atOther, atEthernet, atTokenRing, atFDDI, atPPP, atLoopback, atSlip };

std::string NodeTypeText(TNodeType type);
// "Other" for a value outside the table.
std::string AdapterTypeText(std::uint8_t type);
// The IP Helper's interface type (MIB_IF_TYPE_*); "Other" for any it does not name.
TAdapterType AdapterTypeFromInterface(std::uint32_t interfaceType);
// The NetBT node type (1, 2, 4, 8); ntUnknown otherwise.
TNodeType NodeTypeFromPlatform(std::uint32_t nodeType);

struct TAdapter {
  std::string Name;
  std::string PhysicalAddress;
  std::uint8_t AdapterType = atOther;
  std::uint8_t DHCPEnabled = 0;
  bool HaveWINS = false;
  TStringList IPAddress, IPMask, Gateway_IPAddress, Gateway_IPMask, DHCP_IPAddress, DHCP_IPMask,
      PrimaryWINS_IPAddress, PrimaryWINS_IPMask, SecondaryWINS_IPAddress, SecondaryWINS_IPMask;
};

class TWinsock {
 public:
  void GetInfo();
  std::string ClassName() const { return "TWinsock"; }

  const std::string& Description() const { return description_; }
  std::uint16_t MajorVersion() const { return majorVersion_; }
  std::uint16_t MinorVersion() const { return minorVersion_; }
  const std::string& Status() const { return status_; }

 private:
  std::string description_, status_;
  std::uint16_t majorVersion_ = 0, minorVersion_ = 0;
};

class TTCPIP : public TTopic {
 public:
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TTCPIP"; }

  // Copies the record at `index`; an invalid index leaves `out` unchanged.
  void GetAdapter(int index, TAdapter& out) const;
  void ClearAdapters() { adapters_.clear(); }

  std::uint16_t AdapterCount() const { return static_cast<std::uint16_t>(adapters_.size()); }
  const std::string& HostName() const { return hostName_; }
  const std::string& DomainName() const { return domainName_; }
  bool EnableProxy() const { return enableProxy_; }
  bool EnableRouting() const { return enableRouting_; }
  bool EnableDNS() const { return enableDNS_; }
  const std::string& PrimaryDNSSuffix() const { return primaryDNSSuffix_; }
  const std::string& DHCPScopeName() const { return dhcpScopeName_; }
  const TStringList& DNSServers() const { return dnsServers_; }
  const TStringList& DNSSuffixes() const { return dnsSuffixes_; }
  TNodeType NodeType() const { return nodeType_; }

 private:
  void ReadAdapters();
  void ReadNetworkParams();

  std::vector<TAdapter> adapters_;
  std::string hostName_, domainName_, primaryDNSSuffix_, dhcpScopeName_;
  bool enableProxy_ = false, enableRouting_ = false, enableDNS_ = false;
  TStringList dnsServers_, dnsSuffixes_;
  TNodeType nodeType_ = ntUnknown;
};

class TNetwork : public TTopic {
 public:
  // Finds the adapters of the network class in a private device list.
  TNetwork();
  ~TNetwork() override;
  TNetwork(const TNetwork&) = delete;
  TNetwork& operator=(const TNetwork&) = delete;

  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TNetwork"; }

  TExceptionMode ExceptionMode() const { return exceptionMode_; }
  void SetExceptionMode(TExceptionMode mode) { exceptionMode_ = mode; }

  const TStringList& Adapters() const { return adapters_; }
  std::int32_t CardAdapterIndex() const { return cardAdapterIndex_; }
  const TStringList& IPAddresses() const { return ipAddresses_; }
  const TStringList& MACAddresses() const { return macAddresses_; }
  const TStringList& Protocols() const { return protocols_; }
  const TStringList& Services() const { return services_; }
  const TStringList& Clients() const { return clients_; }
  TWinsock& WinSock() { return *winsock_; }
  const TWinsock& WinSock() const { return *winsock_; }
  TTCPIP& TCPIP() { return *tcpip_; }
  const TTCPIP& TCPIP() const { return *tcpip_; }
  // The chosen card: the first physical card, else the first adapter.
  const std::string& CardName() const { return cardName_; }

 private:
  void AddNetworkCards();
  void ReadHostAddresses();
  void ReadMACAddresses();

  TExceptionMode exceptionMode_ = emMessage;
  std::unique_ptr<TWinsock> winsock_;
  std::unique_ptr<TTCPIP> tcpip_;
  // The adapters of the device list, as construction found them.
  TStringList deviceAdapters_;
  std::int32_t deviceCardIndex_ = -1;
  TStringList adapters_, ipAddresses_, macAddresses_, protocols_, services_, clients_;
  std::int32_t cardAdapterIndex_ = -1;
  std::string cardName_;
};

// The MAC text of an NCBASTAT answer: its first six bytes as upper-case
// hexadecimal pairs joined by ":" (fewer bytes: "??:??:??:??:??:??").
std::string AdapterStatusMac(const platform::Bytes& status);

}  // namespace nsx
