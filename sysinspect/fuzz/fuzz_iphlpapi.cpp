// IP Helper answers of any content, in either layout and at any address,
// decode without reading past the buffer or following a link for ever; what
// they give stays within what the buffer can hold.
//
// Input: one byte choosing the layout (bit 0: 64-bit) and the record kind
// (bit 1: FIXED_INFO), four bytes of the buffer's address, then the buffer.
#include <cstdint>
#include <cstdlib>

#include "software/Norvik_IpHlpAPI.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  const auto& layout = (data[0] & 1) ? nsx::platform::kIpHelperLayout64 : nsx::platform::kIpHelperLayout32;
  nsx::TIpHelperAnswer answer;
  answer.base = data[1] | (data[2] << 8) | (data[3] << 16) | (static_cast<std::uint64_t>(data[4]) << 24);
  answer.bytes.assign(data + 5, data + size);  // exactly the buffer, so that a read past it is caught
  const std::size_t entries = answer.bytes.size() / layout.addrString.size + 1;
  if (data[0] & 2) {
    auto params = nsx::DecodeNetworkParams(answer, layout);
    if (params && (params->dnsServers.size() > entries || params->hostName.size() >= 133)) std::abort();
    return 0;
  }
  auto records = nsx::DecodeAdaptersInfo(answer, layout);
  if (records.size() > answer.bytes.size() / layout.adapterInfo.size) std::abort();
  for (const auto& record : records) {
    if (record.address.size() > 8 || record.description.size() > 132) std::abort();
    for (const auto* chain : {&record.ipAddresses, &record.gateways, &record.dhcpServers, &record.primaryWins,
                              &record.secondaryWins})
      if (chain->empty() || chain->size() > entries) std::abort();
  }
  return 0;
}
