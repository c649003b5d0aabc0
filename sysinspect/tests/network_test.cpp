// The network topic on simulated machines: NetBIOS adapter addresses,
// Windows Sockets versions, the IP Helper adapters and parameters with
// their edge cases, the registry sources of both families, and the report.
#include <gtest/gtest.h>

#include "DeviceTestMachines.h"
#include "TestMachine.h"
#include "core/CommaText.h"
#include "platform/sim/CodePage.h"
#include "platform/sim/Profile.h"
#include "software/NSX_Network.h"
#include "software/Norvik_IpHlpAPI.h"

namespace nsx {
namespace {

using platform::kNrcGoodReturn;
using platform::kNrcIncomplete;

sim::SimLana Lana(std::uint8_t number, std::uint8_t last, std::uint8_t reset = 0, std::uint8_t status = 0) {
  return {number, {0x00, 0x50, 0x56, 0xC0, 0x00, last}, reset, status};
}

TEST(TNetwork, NetbiosAddressesOfEachLana) {
  struct Case {
    const char* what;
    std::vector<sim::SimLana> lanas;
    TStringList macs;
  } cases[] = {
      {"several LANAs, two on one card", {Lana(0, 1), Lana(2, 8), Lana(5, 1)},
       {"00:50:56:C0:00:01", "00:50:56:C0:00:08"}},
      {"an incomplete answer still has its address", {Lana(1, 0xAB, kNrcGoodReturn, kNrcIncomplete)},
       {"00:50:56:C0:00:AB"}},
      {"a LANA that does not reset is skipped", {Lana(0, 1, 0x23), Lana(1, 2)}, {"00:50:56:C0:00:02"}},
      {"failing status answers say so once", {Lana(0, 1, 0, 0x34), Lana(1, 2, 0, 0x34)}, {"??:??:??:??:??:??"}},
      {"no LANA", {}, {}},
  };
  for (const auto& c : cases) {
    sim::SimMachine m = test::WinXPSP3();
    m.network.lanas = c.lanas;
    test::TestMachine machine(m);
    TNetwork network;
    network.GetInfo();
    EXPECT_EQ(network.MACAddresses(), c.macs) << c.what;
    // The enumeration buffer is a whole LANA_ENUM: 255 bytes answer NRC_BUFLEN.
    EXPECT_NE(std::find(machine.Data().network.calls.begin(), machine.Data().network.calls.end(), "NCBENUM 256"),
              machine.Data().network.calls.end());
  }
}

TEST(TNetwork, EveryLanaOfAFullEnumeration) {
  sim::SimMachine m = test::WinXPSP3();
  for (int i = 0; i < 255; ++i) m.network.lanas.push_back(Lana(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i)));
  test::TestMachine machine(m);
  TNetwork network;
  network.GetInfo();
  EXPECT_EQ(network.MACAddresses().size(), 255u);
}

TEST(TWinsock, VersionFromTheHighVersionAndAFailedStart) {
  struct Case {
    std::optional<platform::WinsockData> data;
    std::uint16_t major, minor;
    const char* status;
  } cases[] = {
      {platform::WinsockData{0x0101, 0x0202, "WinSock 2.0", "Running"}, 2, 2, "Running"},
      {platform::WinsockData{0x0101, 0x0101, "Microsoft Windows Sockets Version 1.1.", "Running."}, 1, 1, "Running."},
      {std::nullopt, 0, 0, "Winsock cannot be initialized."},
  };
  for (const auto& c : cases) {
    sim::SimMachine m = test::WinXPSP3();
    m.network.winsock = c.data;
    test::TestMachine machine(m);
    TWinsock winsock;
    winsock.GetInfo();
    EXPECT_EQ(winsock.MajorVersion(), c.major);
    EXPECT_EQ(winsock.MinorVersion(), c.minor);
    EXPECT_EQ(winsock.Status(), c.status);
    EXPECT_EQ(machine.Data().network.winsockSessions, 0) << "every start is cleaned up";
  }
}

sim::SimIpAdapter IpAdapter(const std::string& description, platform::Bytes address, std::uint32_t type) {
  sim::SimIpAdapter a;
  a.adapterName = "{" + description + "}";
  a.description = description;
  a.address = std::move(address);
  a.type = type;
  return a;
}

TEST(TTCPIP, AdaptersAsTheLibraryListsThem) {
  sim::SimMachine m = test::WinXPSP3();
  auto lan = IpAdapter("  Intel(R) PRO/100 VE  ", {0x00, 0x0C, 0xF1, 0x11, 0x22, 0x33}, 6);
  lan.ipAddresses = {{"192.168.1.5", "255.255.255.0"}, {"10.0.0.5", "255.0.0.0"}};
  lan.gateways = {{"192.168.1.1", "255.255.255.255"}};
  lan.dhcpEnabled = 0x101;  // only its low byte counts
  lan.haveWins = 1;
  lan.primaryWins = {{"192.168.1.2", "255.255.255.255"}};
  // An address longer than the record's 8 bytes, and a wireless adapter (type 71).
  auto wlan = IpAdapter("Wireless", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 71);
  auto dialUp = IpAdapter("WAN (PPP/SLIP) Interface", {}, 23);
  m.network.adapters = {lan, wlan, dialUp};
  test::TestMachine machine(m);
  TTCPIP tcpip;
  tcpip.GetInfo();
  ASSERT_EQ(tcpip.AdapterCount(), 3);
  TAdapter a;
  tcpip.GetAdapter(0, a);
  EXPECT_EQ(a.Name, "Intel(R) PRO/100 VE");
  EXPECT_EQ(a.PhysicalAddress, "00:0C:F1:11:22:33");
  EXPECT_EQ(CommaText(a.IPAddress), "192.168.1.5,10.0.0.5");
  EXPECT_EQ(CommaText(a.IPMask), "255.255.255.0,255.0.0.0");
  EXPECT_EQ(a.Gateway_IPAddress, TStringList{"192.168.1.1"});
  EXPECT_EQ(a.DHCPEnabled, 1);
  EXPECT_TRUE(a.HaveWINS);
  EXPECT_EQ(a.PrimaryWINS_IPAddress, TStringList{"192.168.1.2"});
  EXPECT_EQ(a.SecondaryWINS_IPAddress, TStringList{""}) << "the embedded entry is always read";
  tcpip.GetAdapter(1, a);
  EXPECT_EQ(a.PhysicalAddress, "01:02:03:04:05:06:07:08");
  EXPECT_EQ(AdapterTypeText(a.AdapterType), "Other");
  tcpip.GetAdapter(2, a);
  EXPECT_EQ(a.PhysicalAddress, "");
  EXPECT_EQ(AdapterTypeText(a.AdapterType), "PPP");
  tcpip.GetAdapter(7, a);  // no such record: unchanged
  EXPECT_EQ(a.Name, "WAN (PPP/SLIP) Interface");

  TReportList list;
  tcpip.Report(list, false);
  std::vector<std::string> sections;
  for (const auto& line : list.Lines())
    if (line.rfind("<section ", 0) == 0) sections.push_back(line);
  EXPECT_EQ(sections, (std::vector<std::string>{"<section name=\"Adapter_0\">", "<section name=\"Adapter_1\">",
                                                "<section name=\"Adapter_2\">"}));
}

TEST(TTCPIP, ParametersSuffixesAndNodeType) {
  struct Case {
    std::uint32_t node;
    const char* searchList;  // nullptr: no value
    TStringList suffixes;
    const char* nodeText;
  } cases[] = {
      {8, "corp.example,lab.example", {"corp.example", "lab.example"}, "Hybrid"},
      {1, "", {""}, "Broadcast"},
      {4, nullptr, {""}, "Mixed"},
      {16, "one", {"one"}, "Unknown"},
  };
  for (const auto& c : cases) {
    sim::SimMachine m = test::WinXPSP3();
    m.network.params = {"pc7", "corp.example", "", {"10.0.0.1", "10.0.0.2", "10.0.0.2", "10.0.0.9"}, 1, c.node, 0, 0x100, 1};
    if (c.searchList)
      m.registry.SetString("HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", "SearchList", c.searchList);
    test::TestMachine machine(m);
    TTCPIP tcpip;
    tcpip.GetInfo();
    EXPECT_EQ(tcpip.DNSSuffixes(), c.suffixes);
    EXPECT_EQ(NodeTypeText(tcpip.NodeType()), c.nodeText);
    EXPECT_EQ(tcpip.HostName(), "pc7");
    EXPECT_EQ(tcpip.PrimaryDNSSuffix(), "10.0.0.2");
    // The walk stops where the next server repeats the one just read.
    EXPECT_EQ(tcpip.DNSServers(), (TStringList{"10.0.0.1", "10.0.0.2"}));
    EXPECT_FALSE(tcpip.EnableProxy()) << "the low byte of 0x100";
    EXPECT_TRUE(tcpip.EnableDNS());
  }
}

TEST(TTCPIP, WithoutTheLibraryOrWithAnAnswerThatNeverFits) {
  // Windows 95 and NT 4 have no iphlpapi.dll.
  for (auto version : {platform::VersionInfo{4, 0, 950, platform::kPlatformWin9x, "", false, 0, 0, 0, 0, 0},
                       platform::VersionInfo{4, 0, 1381, platform::kPlatformNT, "Service Pack 6", false, 0, 0, 0, 0, 0}}) {
    sim::SimMachine m;
    m.version = version;
    m.network.adapters = {IpAdapter("LAN", {1, 2, 3, 4, 5, 6}, 6)};
    test::TestMachine machine(m);
    TTCPIP tcpip;
    tcpip.GetInfo();
    EXPECT_EQ(tcpip.AdapterCount(), 0);
    EXPECT_EQ(tcpip.NodeType(), ntUnknown);
    EXPECT_TRUE(machine.Data().network.calls.empty());
  }
  sim::SimMachine m = test::WinXPSP3();
  m.network.adapters = {IpAdapter("LAN", {1, 2, 3, 4, 5, 6}, 6)};
  m.network.growingAnswer = 64;
  test::TestMachine machine(m);
  TTCPIP tcpip;
  tcpip.GetInfo();
  EXPECT_EQ(tcpip.AdapterCount(), 0);
  EXPECT_EQ(machine.Data().network.calls.size(), 2u * kIpHelperMaxCalls);
}

const char kNetworkCards[] = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\";

TEST(TNetwork, NT4CardsOncePerGathering) {
  sim::SimMachine m;
  m.version = {4, 0, 1381, platform::kPlatformNT, "Service Pack 6", false, 0, 0, 0, 0, 0};
  m.registry.SetString(std::string(kNetworkCards) + "1", "Description", "3Com Etherlink III Adapter");
  m.registry.SetString(std::string(kNetworkCards) + "2", "Description", "NdisWan Adapter");
  test::TestMachine machine(m);
  TNetwork network;
  network.GetInfo();
  network.GetInfo();
  EXPECT_EQ(network.Adapters(), (TStringList{"3Com Etherlink III Adapter", "NdisWan Adapter"}));
  EXPECT_EQ(network.CardAdapterIndex(), 0);
  EXPECT_EQ(network.CardName(), "3Com Etherlink III Adapter");
}

TEST(TNetwork, NT5CardsOnlyWithoutAPhysicalCard) {
  const char kNetGuid[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
  for (bool withLocation : {true, false}) {
    sim::SimMachine m = test::WinXPSP3();
    test::AddNTClass(m, kNetGuid, "Net", "Network adapters");
    test::AddNTDevice(m, {"PCI\\VEN_8086&DEV_1229\\1", kNetGuid, "Net", "Intel 8255x", "", "", ""});
    test::AddNTDevice(m, {"ROOT\\MS_PPPOEMINIPORT\\0000", kNetGuid, "Net", "WAN Miniport (PPPOE)", "", "", ""});
    if (withLocation)
      m.registry.SetString("HKLM\\SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_8086&DEV_1229\\1", "LocationInformation",
                           "PCI bus 2, device 8, function 0");
    m.registry.SetString(std::string(kNetworkCards) + "2", "Description", "Intel(R) PRO/100 Network Connection");
    test::TestMachine machine(m);
    TNetwork network;
    network.GetInfo();
    network.GetInfo();
    if (withLocation) {
      EXPECT_EQ(network.Adapters().size(), 2u);
      EXPECT_EQ(network.CardName(), "Intel 8255x");
    } else {
      EXPECT_EQ(network.Adapters().size(), 3u);
      EXPECT_EQ(network.CardAdapterIndex(), 2);
      EXPECT_EQ(network.CardName(), "Intel(R) PRO/100 Network Connection");
    }
  }
}

TEST(TNetwork, ComponentsOfBothFamiliesAndHostAddresses) {
  struct Case {
    const char* profile;
    TStringList protocols, clients, addresses;
  } cases[] = {
      {"/w2k-lan", {"Protokół internetowy (TCP/IP)", "Protokół NetBEUI"}, {"Klient sieci Microsoft Networks"},
       {"192.168.10.21"}},
      {"/98se-lan", {"TCP/IP"}, {"Клиент для сетей Microsoft"}, {"10.1.1.7"}},
  };
  for (const auto& c : cases) {
    sim::SimMachine m = sim::LoadProfile(std::string(SYSINSPECT_TEST_PROFILES) + c.profile);
    auto ansi = [&](TStringList list) {
      for (auto& item : list) item = sim::Utf8ToAnsi(item, m.ansiCodePage);
      return list;
    };
    TStringList protocols = ansi(c.protocols), clients = ansi(c.clients);
    test::TestMachine machine(m);
    TNetwork network;
    network.GetInfo();
    EXPECT_EQ(network.IPAddresses(), c.addresses) << c.profile;
    EXPECT_EQ(network.Protocols(), protocols) << c.profile;
    EXPECT_EQ(network.Clients(), clients) << c.profile;
  }
}

TEST(CommaText, QuotesWhatNeedsIt) {
  EXPECT_EQ(CommaText({"10.0.0.1", "10.0.0.2"}), "10.0.0.1,10.0.0.2");
  EXPECT_EQ(CommaText({"a b", "c,d", "say \"hi\"", ""}), "\"a b\",\"c,d\",\"say \"\"hi\"\"\",");
  EXPECT_EQ(CommaText({}), "");
}

}  // namespace
}  // namespace nsx
