#include <strings.h>

#include <cstdio>
#include <sstream>

#include "CodePage.h"
#include "NetworkProfile.h"
#include "ProfileError.h"

namespace nsx::sim {
namespace {

bool Is(const IniEntry& e, const char* key) { return strcasecmp(e.key.c_str(), key) == 0; }

std::vector<std::string> Pieces(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  std::stringstream in(text);
  for (std::string piece; std::getline(in, piece, separator);) pieces.push_back(piece);
  return pieces;
}

class NetworkLoader {
 public:
  NetworkLoader(const IniFile& ini, SimMachine& machine) : ini_(ini), m_(machine), n_(machine.network) {}

  void Run() {
    for (const auto& section : ini_.sections) {
      if (strcasecmp(section.name.c_str(), "netbios") == 0) Netbios(section);
      if (strcasecmp(section.name.c_str(), "winsock") == 0) Winsock(section);
      if (strcasecmp(section.name.c_str(), "iphelper") == 0) IpHelper(section);
      if (strncasecmp(section.name.c_str(), "adapter ", 8) == 0) Adapter(section);
    }
  }

 private:
  std::uint32_t U32(const IniEntry& e, std::uint64_t max = 0xFFFFFFFFu) const {
    return static_cast<std::uint32_t>(IniUnsigned(e, ini_.fileName, max));
  }
  std::string Ansi(const std::string& utf8) const { return Utf8ToAnsi(utf8, m_.ansiCodePage); }
  [[noreturn]] void Bad(const IniEntry& e, const std::string& what) const {
    throw ProfileError(ini_.fileName, e.line, "\"" + e.key + "\" " + what + ", not \"" + e.value + "\"");
  }

  // Hexadecimal bytes joined by "-" or ":".
  platform::Bytes HardwareAddress(const IniEntry& e, const std::string& text) const {
    platform::Bytes bytes;
    std::string clean = text;
    for (auto& c : clean)
      if (c == ':') c = '-';
    for (const auto& piece : Pieces(clean, '-')) {
      unsigned value = 0;
      int used = 0;
      if (piece.size() != 2 || std::sscanf(piece.c_str(), "%2x%n", &value, &used) != 1 || used != 2)
        Bad(e, "needs hexadecimal bytes like 00-0C-29-3A-5B-7C");
      bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
  }

  platform::IPv4Address Dotted(const IniEntry& e, const std::string& text) const {
    unsigned a[4];
    int used = 0;
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u%n", &a[0], &a[1], &a[2], &a[3], &used) != 4 ||
        static_cast<std::size_t>(used) != text.size() || a[0] > 255 || a[1] > 255 || a[2] > 255 || a[3] > 255)
      Bad(e, "needs dotted IPv4 addresses");
    return {static_cast<std::uint8_t>(a[0]), static_cast<std::uint8_t>(a[1]), static_cast<std::uint8_t>(a[2]),
            static_cast<std::uint8_t>(a[3])};
  }

  // "NUMBER,MAC" with optional reset and status results.
  void Netbios(const IniSection& s) {
    for (const auto& e : s.entries) {
      if (!Is(e, "Lana")) Bad(e, "is not a NetBIOS key (Lana=NUMBER,MAC[,RESET[,STATUS]])");
      auto pieces = Pieces(e.value, ',');
      if (pieces.size() < 2 || pieces.size() > 4) Bad(e, "is NUMBER,MAC[,RESET[,STATUS]]");
      SimLana lana;
      lana.number = static_cast<std::uint8_t>(U32({e.key, pieces[0], e.line}, 255));
      platform::Bytes mac = HardwareAddress(e, pieces[1]);
      if (mac.size() != 6) Bad(e, "needs a MAC address of six bytes");
      std::copy(mac.begin(), mac.end(), lana.mac.begin());
      if (pieces.size() > 2) lana.resetResult = static_cast<std::uint8_t>(U32({e.key, pieces[2], e.line}, 255));
      if (pieces.size() > 3) lana.statusResult = static_cast<std::uint8_t>(U32({e.key, pieces[3], e.line}, 255));
      n_.lanas.push_back(lana);
    }
  }

  void Winsock(const IniSection& s) {
    platform::WinsockData& w = *n_.winsock;
    for (const auto& e : s.entries) {
      if (Is(e, "Version")) w.version = static_cast<std::uint16_t>(U32(e, 0xFFFF));
      else if (Is(e, "HighVersion")) w.highVersion = static_cast<std::uint16_t>(U32(e, 0xFFFF));
      else if (Is(e, "Description")) w.description = Ansi(e.value).substr(0, 256);
      else if (Is(e, "Status")) w.systemStatus = Ansi(e.value).substr(0, 128);
      else if (Is(e, "HostName")) n_.hostName = Ansi(e.value);
      else if (!Is(e, "Startup") && !Is(e, "Addresses")) Bad(e, "is not a Winsock key");
    }
    if (const IniEntry* e = s.Find("Addresses")) {
      auto& addresses = n_.hosts[n_.hostName.value_or("")];
      for (const auto& piece : Pieces(e->value, ',')) addresses.push_back(Dotted(*e, piece));
    }
    if (const IniEntry* e = s.Find("Startup"); e && U32(*e, 1) == 0) n_.winsock.reset();
  }

  void IpHelper(const IniSection& s) {
    SimNetworkParams& p = n_.params;
    for (const auto& e : s.entries) {
      if (Is(e, "Library")) n_.ipHelper = U32(e, 1) != 0;
      else if (Is(e, "HostName")) p.hostName = Ansi(e.value);
      else if (Is(e, "DomainName")) p.domainName = Ansi(e.value);
      else if (Is(e, "ScopeId")) p.scopeId = Ansi(e.value);
      else if (Is(e, "NodeType")) p.nodeType = U32(e);
      else if (Is(e, "EnableRouting")) p.enableRouting = U32(e);
      else if (Is(e, "EnableProxy")) p.enableProxy = U32(e);
      else if (Is(e, "EnableDns")) p.enableDns = U32(e);
      else if (Is(e, "DnsServers")) p.dnsServers = Pieces(e.value, ',');
      else if (Is(e, "CurrentDnsServer")) p.currentDnsServer = static_cast<int>(U32(e, 255));
      else if (Is(e, "GrowingAnswer")) n_.growingAnswer = U32(e, 0xFFFF);
      else Bad(e, "is not an IP Helper key");
    }
  }

  void Adapter(const IniSection& s) {
    SimIpAdapter a;
    a.adapterName = Ansi(s.name.substr(8));
    for (const auto& e : s.entries) {
      auto address = [&](std::vector<SimIpAddr>& list) {
        auto slash = e.value.find('/');
        list.push_back({e.value.substr(0, slash), slash == std::string::npos ? "" : e.value.substr(slash + 1)});
      };
      if (Is(e, "Description")) a.description = Ansi(e.value);
      else if (Is(e, "Address")) a.address = HardwareAddress(e, e.value);
      else if (Is(e, "Type")) a.type = U32(e);
      else if (Is(e, "DhcpEnabled")) a.dhcpEnabled = U32(e);
      else if (Is(e, "HaveWins")) a.haveWins = U32(e);
      else if (Is(e, "IpAddress")) address(a.ipAddresses);
      else if (Is(e, "Gateway")) address(a.gateways);
      else if (Is(e, "DhcpServer")) address(a.dhcpServers);
      else if (Is(e, "PrimaryWins")) address(a.primaryWins);
      else if (Is(e, "SecondaryWins")) address(a.secondaryWins);
      else Bad(e, "is not an adapter key");
    }
    n_.adapters.push_back(std::move(a));
  }

  const IniFile& ini_;
  SimMachine& m_;
  SimNetwork& n_;
};

}  // namespace

void LoadNetworkProfile(const IniFile& ini, SimMachine& machine) { NetworkLoader(ini, machine).Run(); }

}  // namespace nsx::sim
