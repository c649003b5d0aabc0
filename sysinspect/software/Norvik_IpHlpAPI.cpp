#include "Norvik_IpHlpAPI.h"

#include <algorithm>
#include <iterator>
#include <set>

#include "FixedText.h"

namespace nsx {
namespace {

using platform::IpHelperLayout;

// A buffer asked for beyond this size is not believed.
const std::uint32_t kMaxAnswerSize = 16u << 20;

// The records of one linked list, each at its own place: a link to a place
// that overlaps a record already read (or to that record again) is not a
// record the system wrote, and ends the list.
class RecordPlaces {
 public:
  explicit RecordPlaces(std::size_t size) : size_(size) {}
  bool Take(std::size_t at) {
    auto next = starts_.lower_bound(at);
    if (next != starts_.end() && *next - at < size_) return false;
    if (next != starts_.begin() && at - *std::prev(next) < size_) return false;
    starts_.insert(next, at);
    return true;
  }

 private:
  std::size_t size_;
  std::set<std::size_t> starts_;
};

// Reads fields of an answer by offset; pointers become offsets when the
// record they point at lies wholly inside the buffer.
class AnswerReader {
 public:
  AnswerReader(const TIpHelperAnswer& answer, const IpHelperLayout& layout) : a_(answer), layout_(layout) {}

  bool Holds(std::size_t at, std::size_t size) const { return at <= a_.bytes.size() && size <= a_.bytes.size() - at; }

  std::uint64_t Number(std::size_t at, std::size_t width) const {
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = (value << 8) | a_.bytes[at + i];
    return value;
  }
  std::uint32_t U32(std::size_t at) const { return static_cast<std::uint32_t>(Number(at, 4)); }

  // The offset a pointer field leads to, when a record of `size` bytes fits there.
  std::optional<std::size_t> Follow(std::size_t at, std::size_t size) const {
    std::uint64_t pointer = Number(at, layout_.pointerSize);
    if (pointer == 0 || pointer < a_.base) return std::nullopt;
    std::uint64_t offset = pointer - a_.base;
    if (offset > a_.bytes.size() || !Holds(static_cast<std::size_t>(offset), size)) return std::nullopt;
    return static_cast<std::size_t>(offset);
  }

  // A NUL-ended text in a field of `size` bytes; without a NUL, the whole field.
  std::string Text(std::size_t at, std::size_t size) const { return FixedFieldText(a_.bytes, at, size); }

  TIpAddrString AddrString(std::size_t at) const {
    const auto& s = layout_.addrString;
    return {Text(at + s.ipAddress, platform::kIpAddressStringSize), Text(at + s.ipMask, platform::kIpAddressStringSize)};
  }

  // The chain from an embedded entry: each entry once, until a null link,
  // a link outside the buffer or into an entry already read. With
  // `stopAtRepeat`, also where the next address repeats the last one.
  std::vector<TIpAddrString> Chain(std::size_t embedded, bool stopAtRepeat = false) const {
    std::vector<TIpAddrString> entries;
    RecordPlaces places(layout_.addrString.size);
    std::optional<std::size_t> at = embedded;
    while (at && places.Take(*at)) {
      TIpAddrString entry = AddrString(*at);
      if (stopAtRepeat && !entries.empty() && entry.address == entries.back().address) break;
      entries.push_back(entry);
      at = Follow(*at + layout_.addrString.next, layout_.addrString.size);
    }
    return entries;
  }

 private:
  const TIpHelperAnswer& a_;
  const IpHelperLayout& layout_;
};

template <class Call>
std::optional<TIpHelperAnswer> Query(Call call, std::uint32_t firstSize, bool doubleOnOverflow) {
  platform::Bytes buffer(firstSize);
  for (int calls = 0; calls < kIpHelperMaxCalls; ++calls) {
    std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
    std::uint32_t result = call(&buffer, &size);
    if (result == 0) {
      std::uint64_t base = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(buffer.data()));
      return TIpHelperAnswer{std::move(buffer), base};
    }
    if (result != platform::kErrorBufferOverflow) return std::nullopt;
    std::uint64_t next = doubleOnOverflow ? std::max<std::uint64_t>(2ull * buffer.size(), size)
                                          : std::uint64_t{size} + firstSize;
    if (next > kMaxAnswerSize) return std::nullopt;
    buffer.assign(static_cast<std::size_t>(next), 0);
  }
  return std::nullopt;
}

}  // namespace

std::optional<TIpHelperAnswer> QueryAdaptersInfo(platform::NetworkApi& api) {
  if (!api.IpHelperLoaded()) return std::nullopt;
  auto call = [&](platform::Bytes* buffer, std::uint32_t* size) { return api.AdaptersInfo(buffer, size); };
  return Query(call, static_cast<std::uint32_t>(platform::NativeIpHelperLayout().adapterInfo.size), false);
}

std::optional<TIpHelperAnswer> QueryNetworkParams(platform::NetworkApi& api) {
  if (!api.IpHelperLoaded()) return std::nullopt;
  auto call = [&](platform::Bytes* buffer, std::uint32_t* size) { return api.NetworkParams(buffer, size); };
  return Query(call, static_cast<std::uint32_t>(platform::NativeIpHelperLayout().fixedInfo.size), true);
}

std::vector<TIpAdapterRecord> DecodeAdaptersInfo(const TIpHelperAnswer& answer, const IpHelperLayout& layout) {
  std::vector<TIpAdapterRecord> records;
  AnswerReader r(answer, layout);
  const auto& a = layout.adapterInfo;
  RecordPlaces places(a.size);
  std::optional<std::size_t> at;
  if (r.Holds(0, a.size)) at = 0;
  while (at && places.Take(*at)) {
    std::size_t base = *at;
    TIpAdapterRecord record;
    record.description = r.Text(base + a.description, platform::kAdapterDescriptionSize);
    record.addressLength = r.U32(base + a.addressLength);
    std::size_t held = std::min<std::size_t>(record.addressLength, platform::kAdapterAddressSize);
    for (std::size_t i = 0; i < held; ++i) record.address.push_back(static_cast<std::uint8_t>(r.Number(base + a.address + i, 1)));
    record.type = r.U32(base + a.type);
    record.dhcpEnabled = r.U32(base + a.dhcpEnabled);
    record.haveWins = r.U32(base + a.haveWins);
    record.ipAddresses = r.Chain(base + a.ipAddressList);
    record.gateways = r.Chain(base + a.gatewayList);
    record.dhcpServers = r.Chain(base + a.dhcpServer);
    record.primaryWins = r.Chain(base + a.primaryWinsServer);
    record.secondaryWins = r.Chain(base + a.secondaryWinsServer);
    records.push_back(std::move(record));
    at = r.Follow(base + a.next, a.size);
  }
  return records;
}

std::optional<TNetworkParamsRecord> DecodeNetworkParams(const TIpHelperAnswer& answer, const IpHelperLayout& layout) {
  AnswerReader r(answer, layout);
  const auto& f = layout.fixedInfo;
  if (!r.Holds(0, f.size)) return std::nullopt;
  TNetworkParamsRecord p;
  p.hostName = r.Text(f.hostName, platform::kHostNameSize);
  p.domainName = r.Text(f.domainName, platform::kDomainNameSize);
  if (auto current = r.Follow(f.currentDnsServer, layout.addrString.size)) p.currentDnsServer = r.AddrString(*current).address;
  for (const auto& entry : r.Chain(f.dnsServerList, true)) p.dnsServers.push_back(entry.address);
  p.nodeType = r.U32(f.nodeType);
  p.scopeId = r.Text(f.scopeId, platform::kScopeIdSize);
  p.enableRouting = r.U32(f.enableRouting);
  p.enableProxy = r.U32(f.enableProxy);
  p.enableDns = r.U32(f.enableDns);
  return p;
}

}  // namespace nsx
