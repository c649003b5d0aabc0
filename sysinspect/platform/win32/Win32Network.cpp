#include <winsock.h>
#include <windows.h>
#include <nb30.h>

#include <cstring>

#include "Binding.h"
#include "Win32Network.h"

namespace nsx::win32 {
namespace {

// The IP Helper entries, typed by their documented signatures.
using GetAdaptersInfoFunction = DWORD(WINAPI*)(void*, ULONG*);
using GetNetworkParamsFunction = DWORD(WINAPI*)(void*, ULONG*);

class Win32Network : public platform::NetworkApi {
 public:
  Win32Network()
      : adaptersInfo_(ipHelper_.Entry<GetAdaptersInfoFunction>("GetAdaptersInfo")),
        networkParams_(ipHelper_.Entry<GetNetworkParamsFunction>("GetNetworkParams")) {}

  std::uint8_t Netbios(const platform::NetbiosRequest& request, platform::Bytes* buffer) override {
    NCB ncb;
    std::memset(&ncb, 0, sizeof ncb);
    ncb.ncb_command = request.command;
    ncb.ncb_lana_num = request.lana;
    std::memcpy(ncb.ncb_callname, request.callName.data(), sizeof ncb.ncb_callname);
    if (!buffer->empty()) {
      ncb.ncb_buffer = buffer->data();
      ncb.ncb_length = static_cast<WORD>(buffer->size());
    }
    return ::Netbios(&ncb);
  }

  std::optional<platform::WinsockData> WinsockStartup(std::uint16_t requestedVersion) override {
    WSADATA data;
    std::memset(&data, 0, sizeof data);
    if (WSAStartup(requestedVersion, &data) != 0) return std::nullopt;
    data.szDescription[WSADESCRIPTION_LEN] = '\0';
    data.szSystemStatus[WSASYS_STATUS_LEN] = '\0';
    return platform::WinsockData{data.wVersion, data.wHighVersion, data.szDescription, data.szSystemStatus};
  }

  void WinsockCleanup() override { WSACleanup(); }

  std::optional<std::string> HostName(std::uint32_t bufferLength) override {
    std::string buffer(bufferLength + 1, '\0');
    if (gethostname(&buffer[0], static_cast<int>(bufferLength)) != 0) return std::nullopt;
    return std::string(buffer.c_str());
  }

  std::optional<std::vector<platform::IPv4Address>> HostAddresses(const std::string& name) override {
    const hostent* host = gethostbyname(name.c_str());
    if (!host || !host->h_addr_list) return std::nullopt;
    std::vector<platform::IPv4Address> addresses;
    if (host->h_addrtype != AF_INET || host->h_length != 4) return addresses;
    for (char** entry = host->h_addr_list; *entry; ++entry) {
      platform::IPv4Address address;
      std::memcpy(address.data(), *entry, 4);
      addresses.push_back(address);
    }
    return addresses;
  }

  bool IpHelperLoaded() override { return adaptersInfo_ && networkParams_; }

  std::uint32_t AdaptersInfo(platform::Bytes* buffer, std::uint32_t* size) override {
    return Call(adaptersInfo_, buffer, size);
  }

  std::uint32_t NetworkParams(platform::Bytes* buffer, std::uint32_t* size) override {
    return Call(networkParams_, buffer, size);
  }

 private:
  template <class Function>
  static std::uint32_t Call(Function function, platform::Bytes* buffer, std::uint32_t* size) {
    if (!function) return platform::kErrorNotSupported;
    // Never more than the buffer holds, whatever the caller says.
    ULONG length = *size < buffer->size() ? *size : static_cast<ULONG>(buffer->size());
    DWORD result = function(buffer->empty() ? nullptr : buffer->data(), &length);
    *size = length;
    return result;
  }

  LoadedLibrary ipHelper_{"iphlpapi.dll"};
  GetAdaptersInfoFunction adaptersInfo_ = nullptr;
  GetNetworkParamsFunction networkParams_ = nullptr;
};

}  // namespace

std::unique_ptr<platform::NetworkApi> CreateWin32Network() { return std::make_unique<Win32Network>(); }

}  // namespace nsx::win32
