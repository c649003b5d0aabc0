// Where the IP Helper records keep their fields: IP_ADDR_STRING,
// IP_ADAPTER_INFO and FIXED_INFO as the 32-bit and the 64-bit system write
// them (their pointers are 4 or 8 bytes wide and aligned to their size).
#pragma once
#include <cstddef>

namespace nsx::platform {

// Text field sizes, NUL included.
constexpr std::size_t kIpAddressStringSize = 16;
constexpr std::size_t kAdapterNameSize = 260;
constexpr std::size_t kAdapterDescriptionSize = 132;
constexpr std::size_t kAdapterAddressSize = 8;
constexpr std::size_t kHostNameSize = 132;
constexpr std::size_t kDomainNameSize = 132;
constexpr std::size_t kScopeIdSize = 260;

struct AddrStringLayout {
  std::size_t next, ipAddress, ipMask, size;
};

struct AdapterInfoLayout {
  std::size_t next, adapterName, description, addressLength, address, type, dhcpEnabled, ipAddressList,
      gatewayList, dhcpServer, haveWins, primaryWinsServer, secondaryWinsServer, size;
};

struct FixedInfoLayout {
  std::size_t hostName, domainName, currentDnsServer, dnsServerList, nodeType, scopeId, enableRouting, enableProxy,
      enableDns, size;
};

struct IpHelperLayout {
  std::size_t pointerSize;
  AddrStringLayout addrString;
  AdapterInfoLayout adapterInfo;
  FixedInfoLayout fixedInfo;
};

constexpr IpHelperLayout kIpHelperLayout32{
    4,
    // next ipAddress ipMask size
    {0, 4, 20, 40},
    // next name desc addrLen addr type dhcp ipList gateway dhcpSrv haveWins primary secondary size
    {0, 8, 268, 400, 404, 416, 420, 428, 468, 508, 548, 552, 592, 640},
    // host domain current dnsList node scope routing proxy dns size
    {0, 132, 264, 268, 308, 312, 572, 576, 580, 584},
};

constexpr IpHelperLayout kIpHelperLayout64{
    8,
    {0, 8, 24, 48},
    {0, 12, 272, 404, 408, 420, 424, 440, 488, 536, 584, 592, 640, 704},
    {0, 132, 264, 272, 320, 324, 584, 588, 592, 600},
};

// The layout of this build's pointer size: the system's own for the
// programs, the same rules for the simulated machine.
constexpr const IpHelperLayout& NativeIpHelperLayout() {
  return sizeof(void*) == 8 ? kIpHelperLayout64 : kIpHelperLayout32;
}

}  // namespace nsx::platform
