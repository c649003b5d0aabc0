// The simulated machine's networking: its NetBIOS adapters, Windows Sockets
// and the IP Helper library's adapters and parameters, and what was asked.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "../Network.h"
#include "SimRegistry.h"

namespace nsx::sim {

// A NetBIOS adapter (LANA) and how it answers.
struct SimLana {
  std::uint8_t number = 0;
  std::array<std::uint8_t, 6> mac{};
  std::uint8_t resetResult = platform::kNrcGoodReturn;
  // NCBASTAT's return code; kNrcIncomplete still writes the adapter's start.
  std::uint8_t statusResult = platform::kNrcGoodReturn;
};

struct SimIpAddr {
  std::string address, mask;
};

// One record of GetAdaptersInfo.
struct SimIpAdapter {
  std::string adapterName, description;
  // The whole hardware address: AddressLength gives its length, the record
  // holds its first 8 bytes.
  platform::Bytes address;
  std::uint32_t type = 6;  // MIB_IF_TYPE_ETHERNET
  std::uint32_t dhcpEnabled = 0;
  std::uint32_t haveWins = 0;
  std::vector<SimIpAddr> ipAddresses, gateways, dhcpServers, primaryWins, secondaryWins;
};

// FIXED_INFO of GetNetworkParams.
struct SimNetworkParams {
  std::string hostName, domainName, scopeId;
  std::vector<std::string> dnsServers;
  int currentDnsServer = -1;  // the entry CurrentDnsServer points at; -1: null
  std::uint32_t nodeType = 0, enableRouting = 0, enableProxy = 0, enableDns = 0;
};

struct SimNetwork {
  std::vector<SimLana> lanas;  // in NCBENUM order
  // WSAStartup's answer; nullopt: it fails.
  std::optional<platform::WinsockData> winsock = platform::WinsockData{0x0101, 0x0202, "WinSock 2.0", "Running"};
  std::optional<std::string> hostName = std::string("simulated");  // gethostname; nullopt: it fails
  // gethostbyname: the addresses of each name that resolves.
  std::map<std::string, std::vector<platform::IPv4Address>, NoCaseLess> hosts;
  // iphlpapi.dll is loaded; nullopt: as the release has it (not on Windows
  // 95 nor NT 4).
  std::optional<bool> ipHelper;
  std::vector<SimIpAdapter> adapters;
  SimNetworkParams params;
  // Every call asks for this many bytes more than the buffer it was given,
  // as a list that grows between the calls.
  std::uint32_t growingAnswer = 0;
  std::vector<std::string> calls;  // "NCBENUM 256", "NCBRESET 0", "GetAdaptersInfo 640", ...
  int winsockSessions = 0;         // started and not cleaned up
};

}  // namespace nsx::sim
