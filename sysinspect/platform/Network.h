// Networking: NetBIOS (netapi32), Windows Sockets 1.1 (wsock32) and the
// IP Helper library (iphlpapi, loaded at start where it exists: not on
// Windows 95 nor NT 4).
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DeviceIo.h"
#include "WinTypes.h"

namespace nsx::platform {

// NetBIOS commands and return codes.
enum : std::uint8_t {
  kNcbReset = 0x32,
  kNcbAdapterStatus = 0x33,
  kNcbEnum = 0x37,
};
enum : std::uint8_t {
  kNrcGoodReturn = 0x00,
  kNrcBufferLength = 0x01,  // the buffer is too small for the answer
  kNrcIncomplete = 0x06,    // the answer did not fit completely; its start is valid
};

struct NetbiosRequest {
  std::uint8_t command = 0;
  std::uint8_t lana = 0;
  std::array<char, 16> callName{};
};

// WSADATA of WSAStartup.
struct WinsockData {
  std::uint16_t version = 0;
  std::uint16_t highVersion = 0;
  std::string description;   // up to its NUL, at most 256 characters
  std::string systemStatus;  // up to its NUL, at most 128 characters
};

using IPv4Address = std::array<std::uint8_t, 4>;  // network order

// Win32 errors of the IP Helper calls (and ERROR_NOT_SUPPORTED, DeviceIo.h).
enum : std::uint32_t {
  kErrorBufferOverflow = 111,
  kErrorNoData = 232,
};

class NetworkApi {
 public:
  virtual ~NetworkApi() = default;

  // Netbios on a zeroed NCB holding the request, with ncb_buffer and
  // ncb_length describing `buffer` (no buffer when it is empty): the return
  // code; `buffer` holds what the call wrote.
  virtual std::uint8_t Netbios(const NetbiosRequest& request, Bytes* buffer) = 0;

  // WSAStartup: the WSADATA, nullopt when the call fails. Each successful
  // start is paired with one WinsockCleanup.
  virtual std::optional<WinsockData> WinsockStartup(std::uint16_t requestedVersion) = 0;
  virtual void WinsockCleanup() = 0;
  // gethostname into a buffer of `bufferLength` bytes; nullopt when it fails.
  virtual std::optional<std::string> HostName(std::uint32_t bufferLength) = 0;
  // gethostbyname: the IPv4 addresses of its address list, in order;
  // nullopt when the name does not resolve.
  virtual std::optional<std::vector<IPv4Address>> HostAddresses(const std::string& name) = 0;

  // iphlpapi.dll is loaded and exports GetAdaptersInfo and GetNetworkParams.
  virtual bool IpHelperLoaded() = 0;
  // GetAdaptersInfo / GetNetworkParams on `buffer` (its size in *size on
  // the way in, the size the call asks for on the way out): the call's
  // result. Pointers the call writes into the buffer are addresses in it
  // (see IpHelperLayout.h); nothing is read past the buffer.
  virtual std::uint32_t AdaptersInfo(Bytes* buffer, std::uint32_t* size) = 0;
  virtual std::uint32_t NetworkParams(Bytes* buffer, std::uint32_t* size) = 0;
};

// A started Windows Sockets session for a scope, cleaned up however the
// scope is left.
class WinsockSession {
 public:
  WinsockSession(NetworkApi& api, std::uint16_t version) : api_(api), data_(api.WinsockStartup(version)) {}
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  ~WinsockSession() {
    if (data_) api_.WinsockCleanup();
  }
  const std::optional<WinsockData>& Data() const { return data_; }

 private:
  NetworkApi& api_;
  std::optional<WinsockData> data_;
};

}  // namespace nsx::platform
