// The IP Helper decoders on answers no well-behaved system writes: links in
// a circle, links out of the buffer, lengths beyond the record, buffers cut
// short; in the 32-bit and the 64-bit layout.
#include <gtest/gtest.h>

#include <cstring>

#include "software/Norvik_IpHlpAPI.h"

namespace nsx {
namespace {

using platform::IpHelperLayout;

class Answer {
 public:
  Answer(const IpHelperLayout& layout, std::size_t size, std::uint64_t base) : layout_(layout) {
    answer_.bytes.assign(size, 0);
    answer_.base = base;
  }
  void Number(std::size_t at, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) answer_.bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  void Link(std::size_t at, std::uint64_t target) { Number(at, answer_.base + target, layout_.pointerSize); }
  void Text(std::size_t at, const char* text) { std::memcpy(&answer_.bytes[at], text, std::strlen(text)); }
  void Entry(std::size_t at, const char* address) { Text(at + layout_.addrString.ipAddress, address); }
  const TIpHelperAnswer& Get() const { return answer_; }

 private:
  const IpHelperLayout& layout_;
  TIpHelperAnswer answer_;
};

const IpHelperLayout* const kLayouts[] = {&platform::kIpHelperLayout32, &platform::kIpHelperLayout64};

TEST(IpHelperDecode, AdapterLinksInACircleEndAtTheFirstRepeat) {
  for (const IpHelperLayout* layout : kLayouts) {
    const auto& a = layout->adapterInfo;
    Answer answer(*layout, 2 * a.size, 0x7FFE0000u);
    answer.Text(a.description, "first");
    answer.Link(a.next, a.size);
    answer.Text(a.size + a.description, "second");
    answer.Link(a.size + a.next, 0);  // back to the first
    // A chain whose second entry links back to the first.
    answer.Entry(a.ipAddressList, "10.0.0.1");
    answer.Link(a.ipAddressList, a.size + a.ipAddressList);
    answer.Entry(a.size + a.ipAddressList, "10.0.0.2");
    answer.Link(a.size + a.ipAddressList, a.ipAddressList);
    auto records = DecodeAdaptersInfo(answer.Get(), *layout);
    ASSERT_EQ(records.size(), 2u) << layout->pointerSize;
    EXPECT_EQ(records[1].description, "second");
    ASSERT_EQ(records[0].ipAddresses.size(), 2u);
    EXPECT_EQ(records[0].ipAddresses[1].address, "10.0.0.2");
  }
}

// Links into the middle of a record already read: the overlapping places
// would give more records than the buffer holds, so the list ends there.
TEST(IpHelperDecode, LinksIntoARecordAlreadyReadEndTheList) {
  for (const IpHelperLayout* layout : kLayouts) {
    const auto& a = layout->adapterInfo;
    Answer answer(*layout, 2 * a.size, 0x7FFE0000u);
    answer.Link(a.next, a.size / 2);  // into the first record
    answer.Entry(a.ipAddressList, "10.0.0.1");
    answer.Link(a.ipAddressList + layout->addrString.next, a.ipAddressList + 4);  // into the embedded entry
    auto records = DecodeAdaptersInfo(answer.Get(), *layout);
    ASSERT_EQ(records.size(), 1u) << layout->pointerSize;
    EXPECT_EQ(records[0].ipAddresses.size(), 1u);
  }
}

TEST(IpHelperDecode, LinksOutOfTheBufferAndLengthsBeyondTheRecord) {
  for (const IpHelperLayout* layout : kLayouts) {
    const auto& a = layout->adapterInfo;
    Answer answer(*layout, a.size + 8, 0x00400000u);
    answer.Number(a.addressLength, 0xFFFFFFFFu, 4);
    for (std::size_t i = 0; i < 8; ++i) answer.Number(a.address + i, 0xA0 + i, 1);
    answer.Number(a.type, 71, 4);
    answer.Link(a.next, a.size);                                 // a record that does not fit
    answer.Number(a.gatewayList, 0x00300000u, layout->pointerSize);  // below the buffer
    answer.Link(a.dhcpServer, a.size + 8);                       // just past its end
    // A description that fills its whole field.
    std::string full(platform::kAdapterDescriptionSize, 'x');
    answer.Text(a.description, full.c_str());
    auto records = DecodeAdaptersInfo(answer.Get(), *layout);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].address.size(), 8u);
    EXPECT_EQ(records[0].address.back(), 0xA7);
    EXPECT_EQ(records[0].description, full);
    EXPECT_EQ(records[0].gateways.size(), 1u);
    EXPECT_EQ(records[0].dhcpServers.size(), 1u);
  }
}

TEST(IpHelperDecode, NetworkParamsWithoutRoomOrWithAStrayCurrentServer) {
  for (const IpHelperLayout* layout : kLayouts) {
    const auto& f = layout->fixedInfo;
    EXPECT_FALSE(DecodeNetworkParams(Answer(*layout, f.size - 1, 0x1000).Get(), *layout));
    Answer answer(*layout, f.size, 0x1000);
    answer.Text(f.hostName, "host");
    answer.Entry(f.dnsServerList, "192.0.2.53");
    answer.Link(f.dnsServerList, f.dnsServerList);  // links to itself
    answer.Number(f.currentDnsServer, 0x0FFF, layout->pointerSize);  // before the buffer
    auto params = DecodeNetworkParams(answer.Get(), *layout);
    ASSERT_TRUE(params);
    EXPECT_EQ(params->hostName, "host");
    EXPECT_EQ(params->dnsServers, std::vector<std::string>{"192.0.2.53"});
    EXPECT_FALSE(params->currentDnsServer);
  }
}

TEST(IpHelperDecode, AnAnswerTooShortForOneRecordHasNoAdapters) {
  for (const IpHelperLayout* layout : kLayouts)
    EXPECT_TRUE(DecodeAdaptersInfo(Answer(*layout, layout->adapterInfo.size - 1, 0).Get(), *layout).empty());
}

}  // namespace
}  // namespace nsx
