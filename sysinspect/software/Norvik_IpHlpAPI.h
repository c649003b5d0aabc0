// The IP Helper library (bound at start by the platform where it exists):
// its two queries with their buffer growth, and the decoders of what they
// write: IP_ADAPTER_INFO records and FIXED_INFO, linked by pointers that
// are addresses in the buffer. The decoders read nothing outside the
// buffer and follow no chain in a circle.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "../platform/IpHelperLayout.h"
#include "../platform/Network.h"

namespace nsx {

// One IP_ADDR_STRING.
struct TIpAddrString {
  std::string address, mask;
};

struct TIpAdapterRecord {
  std::string description;          // up to its NUL
  std::uint32_t addressLength = 0;  // as the record says
  platform::Bytes address;          // the bytes it holds: at most 8, whatever the length says
  std::uint32_t type = 0;
  std::uint32_t dhcpEnabled = 0;
  std::uint32_t haveWins = 0;
  std::vector<TIpAddrString> ipAddresses, gateways, dhcpServers, primaryWins, secondaryWins;
};

struct TNetworkParamsRecord {
  std::string hostName, domainName, scopeId;
  // The entry CurrentDnsServer points at; nullopt when the pointer is null
  // or points outside the answer.
  std::optional<std::string> currentDnsServer;
  std::vector<std::string> dnsServers;
  std::uint32_t nodeType = 0, enableRouting = 0, enableProxy = 0, enableDns = 0;
};

// What a query wrote: the buffer and the address it had while written.
struct TIpHelperAnswer {
  platform::Bytes bytes;
  std::uint64_t base = 0;
};

// Calls at most this many times while the answer does not fit.
constexpr int kIpHelperMaxCalls = 4;

// GetAdaptersInfo: first a buffer of one record, then the size the call
// asks for plus one record. nullopt when the library is missing, the call
// fails, or the answer still does not fit after kIpHelperMaxCalls calls.
std::optional<TIpHelperAnswer> QueryAdaptersInfo(platform::NetworkApi& api);
// GetNetworkParams: first a buffer of one FIXED_INFO, then twice as large
// (at least what the call asks for), under the same limits.
std::optional<TIpHelperAnswer> QueryNetworkParams(platform::NetworkApi& api);

std::vector<TIpAdapterRecord> DecodeAdaptersInfo(const TIpHelperAnswer& answer, const platform::IpHelperLayout& layout);
std::optional<TNetworkParamsRecord> DecodeNetworkParams(const TIpHelperAnswer& answer,
                                                        const platform::IpHelperLayout& layout);

}  // namespace nsx
