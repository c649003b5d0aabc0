// The network interface answered from the simulated machine. The IP Helper
// answers are written as the system writes them: records in this build's
// layout (IpHelperLayout.h) whose pointers are addresses in the buffer.
#pragma once
#include "../Network.h"
#include "SimMachine.h"

namespace nsx::sim {

class SimNetworkApi : public platform::NetworkApi {
 public:
  explicit SimNetworkApi(SimMachine& machine) : machine_(machine), data_(machine.network) {}
  std::uint8_t Netbios(const platform::NetbiosRequest& request, platform::Bytes* buffer) override;
  std::optional<platform::WinsockData> WinsockStartup(std::uint16_t requestedVersion) override;
  void WinsockCleanup() override;
  std::optional<std::string> HostName(std::uint32_t bufferLength) override;
  std::optional<std::vector<platform::IPv4Address>> HostAddresses(const std::string& name) override;
  bool IpHelperLoaded() override;
  std::uint32_t AdaptersInfo(platform::Bytes* buffer, std::uint32_t* size) override;
  std::uint32_t NetworkParams(platform::Bytes* buffer, std::uint32_t* size) override;

 private:
  const SimLana* FindLana(std::uint8_t number) const;
  // Whether an answer of `needed` bytes fits; otherwise *size asks for more.
  bool Fits(const platform::Bytes& buffer, std::uint32_t* size, std::size_t needed) const;

  SimMachine& machine_;
  SimNetwork& data_;
  std::vector<std::uint8_t> resetLanas_;
};

}  // namespace nsx::sim
