// What the Display and Network pages make of their topics.
#include <gtest/gtest.h>

#include "TestMachine.h"
#include "ui/logic/NetworkPageText.h"

namespace nsx::ui {
namespace {

TEST(DisplayPage, RefreshRateRowOnlyOnTheNTFamily) {
  sim::SimMachine m = test::WinXPSP3();
  m.display.caps = {{platform::kCapsHorzRes, 1280}, {platform::kCapsVertRes, 1024}, {platform::kCapsBitsPixel, 32},
                    {platform::kCapsHorzSize, 375}, {platform::kCapsVertSize, 300}, {platform::kCapsVRefresh, 60}};
  test::TestMachine machine(m);
  TDisplay display;
  display.GetInfo();
  auto nt = DisplayValueRows(display, true);
  auto nineX = DisplayValueRows(display, false);
  ASSERT_EQ(nt.size(), 9u);
  EXPECT_EQ(nt[2].second, "1280 x 1024 - 32 bit");
  EXPECT_EQ(nt[3].second, "(375 x 300) mm");
  EXPECT_EQ(nt.back(), (std::pair<std::string, std::string>{"Vertical Refresh Rate", "60 Hz"}));
  ASSERT_EQ(nineX.size(), 8u);
  EXPECT_EQ(nineX.back().first, "Font Resolution");
}

TEST(NetworkPage, DnsLinesAndAddressRows) {
  EXPECT_EQ(DNSBoxLines({"10.0.0.1", "10.0.0.2"}, {"corp.example"}), (TStringList{"10.0.0.1 corp.example", "10.0.0.2"}));
  EXPECT_EQ(DNSBoxLines({}, {""}), TStringList{});

  TAdapter a;
  a.IPAddress = {"192.168.1.5", "10.0.0.5"};
  a.IPMask = {"255.255.255.0"};  // one mask short
  a.Gateway_IPAddress = {"192.168.1.1"};
  a.Gateway_IPMask = {"255.255.255.255"};
  a.SecondaryWINS_IPAddress = {"192.168.1.3"};
  a.SecondaryWINS_IPMask = {""};
  auto rows = AdapterAddressRows(a);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1].resource + "|" + rows[1].address + "|" + rows[1].mask, "Local|10.0.0.5|");
  EXPECT_EQ(rows[2].resource + "|" + rows[2].mask, "Gateway|255.255.255.255");
  EXPECT_EQ(rows[3].resource, "Secondary WINS Server");
  EXPECT_EQ(NetworkAdapterIcon(1, 1), 15);
  EXPECT_EQ(NetworkAdapterIcon(0, -1), 22);
}

}  // namespace
}  // namespace nsx::ui
