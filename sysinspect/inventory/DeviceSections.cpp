#include <cstdio>
#include <set>

#include "../core/NSX_GUI.h"
#include "../hardware/NSX_Devices.h"
#include "../software/NSX_Display.h"
#include "../software/NSX_Media.h"
#include "../software/NSX_Network.h"
#include "InventorySections.h"

namespace nsx::inventory {
namespace {

// The device classes whose devices are controllers, and the kind each is.
struct TControllerClass {
  const char* className;
  const char* type;
};
const TControllerClass kControllerClasses[] = {
    // device class   controller type
    {"hdc", "IDE"},
    {"SCSIAdapter", "SCSI"},
    {"USB", "USB"},
    {"1394", "IEEE 1394"},
    {"fdc", "Floppy"},
    {"PCMCIA", "PCMCIA"},
};

std::vector<TDevice> DevicesOfClassName(const TDevices& devices, const std::string& className) {
  std::uint8_t wanted = TDevices::GetDeviceClass(className);
  std::vector<TDevice> picked;
  for (int i = 0; i < devices.DeviceCount(); ++i) {
    TDevice device;
    devices.GetDevice(i, device);
    if (device.DeviceClass == wanted) picked.push_back(device);
  }
  return picked;
}

bool ParseIPv4(const std::string& text, unsigned (&parts)[4]) {
  char rest = 0;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3], &rest) != 4)
    return false;
  for (unsigned part : parts)
    if (part > 255) return false;
  return true;
}

// The network an address lies in; empty unless both parse.
std::string Subnet(const std::string& address, const std::string& mask) {
  unsigned a[4], m[4];
  if (!ParseIPv4(address, a) || !ParseIPv4(mask, m)) return "";
  return std::to_string(a[0] & m[0]) + "." + std::to_string(a[1] & m[1]) + "." + std::to_string(a[2] & m[2]) + "." +
         std::to_string(a[3] & m[3]);
}

std::string At(const TStringList& list, std::size_t i) { return i < list.size() ? Trim(list[i]) : ""; }

// Adapters made by software rather than cards: loopback and dial-up links.
bool IsVirtual(std::uint8_t adapterType) {
  return adapterType == atLoopback || adapterType == atPPP || adapterType == atSlip;
}

// One entry per address of each adapter the IP Helper describes.
void WriteIpHelperAdapters(const TTCPIP& tcpip, TInventoryXml& xml) {
  for (int i = 0; i < tcpip.AdapterCount(); ++i) {
    TAdapter adapter;
    tcpip.GetAdapter(i, adapter);
    std::size_t addresses = adapter.IPAddress.empty() ? 1 : adapter.IPAddress.size();
    for (std::size_t k = 0; k < addresses; ++k) {
      std::string address = At(adapter.IPAddress, k), mask = At(adapter.IPMask, k);
      if (address == "0.0.0.0") {  // no address bound
        address.clear();
        mask.clear();
      }
      TEntry entry = xml.Entry(kNetworks);
      entry.Text("DESCRIPTION", adapter.Name);
      entry.Text("TYPE", AdapterTypeText(adapter.AdapterType));
      entry.Text("MACADDR", adapter.PhysicalAddress);
      entry.Text("IPADDRESS", address);
      entry.Text("IPMASK", mask);
      entry.Text("IPSUBNET", Subnet(address, mask));
      entry.Text("IPGATEWAY", FirstAddress(adapter.Gateway_IPAddress));
      if (adapter.DHCPEnabled) entry.Text("IPDHCP", FirstAddress(adapter.DHCP_IPAddress));
      entry.Integer("VIRTUALDEV", IsVirtual(adapter.AdapterType) ? 1 : 0);
    }
  }
}

// Without the IP Helper (Windows 95, NT 4) only the cards are known. The
// host's address and NetBIOS's MAC address belong to a card only when
// there is one card and one of each.
void WriteNetworkCards(const TNetwork& network, TInventoryXml& xml) {
  std::set<std::string> macs;
  for (const auto& mac : network.MACAddresses())
    if (mac.find('?') == std::string::npos) macs.insert(mac);
  const bool single = network.Adapters().size() == 1;
  for (const auto& card : network.Adapters()) {
    TEntry entry = xml.Entry(kNetworks);
    entry.Text("DESCRIPTION", card);
    if (single && macs.size() == 1) entry.Text("MACADDR", *macs.begin());
    if (single && network.IPAddresses().size() == 1) entry.Text("IPADDRESS", network.IPAddresses()[0]);
  }
}

}  // namespace

void WriteNetworks(TNSystemInfo& info, TInventoryXml& xml) {
  const TNetwork& network = info.Network();
  if (network.TCPIP().AdapterCount() > 0)
    WriteIpHelperAdapters(network.TCPIP(), xml);
  else
    WriteNetworkCards(network, xml);
}

void WriteVideos(TNSystemInfo& info, TInventoryXml& xml) {
  const TDisplay& display = info.Display();
  if (display.Adapter().empty() && display.Chipset().empty() && display.HorzRes() <= 0) return;
  TEntry entry = xml.Entry(kVideos);
  entry.Text("NAME", display.Adapter());
  entry.Text("CHIPSET", display.Chipset());
  // The topic keeps bytes in a signed 32-bit number; 2 GB and more would read negative.
  std::uint32_t memory = static_cast<std::uint32_t>(display.Memory());
  if (memory) entry.Text("MEMORY", std::to_string(Megabytes(memory)));
  if (display.HorzRes() > 0 && display.VertRes() > 0)
    entry.Text("RESOLUTION", std::to_string(display.HorzRes()) + " x " + std::to_string(display.VertRes()));
}

void WriteMonitors(TNSystemInfo& info, TInventoryXml& xml) {
  for (const TDevice& monitor : DevicesOfClassName(info.Devices(), "Monitor")) {
    TEntry entry = xml.Entry(kMonitors);
    entry.Text("MANUFACTURER", monitor.Manufacturer);
    entry.Text("CAPTION", DeviceTitle(monitor));
    entry.Text("DESCRIPTION", IfDifferent(monitor.Description, DeviceTitle(monitor)));
  }
}

void WriteSounds(TNSystemInfo& info, TInventoryXml& xml) {
  const TMedia& media = info.Media();
  std::string gamePort = media.GamePortIndex() >= 0 && media.GamePortIndex() < static_cast<int>(media.Devices().size())
                             ? media.Devices()[static_cast<std::size_t>(media.GamePortIndex())]
                             : "";
  bool any = false;
  // The multimedia devices on a bus (drivers and codecs have no location),
  // but the game port.
  for (const TDevice& device : DevicesOfClassName(info.Devices(), "MEDIA")) {
    if (device.Location.empty() || DeviceTitle(device) == gamePort) continue;
    TEntry entry = xml.Entry(kSounds);
    entry.Text("NAME", DeviceTitle(device));
    entry.Text("MANUFACTURER", device.Manufacturer);
    entry.Text("DESCRIPTION", IfDifferent(device.Description, DeviceTitle(device)));
    any = true;
  }
  if (any) return;
  // No device tree (or no card in it): the wave output devices of the multimedia API.
  for (const auto& wave : media.WAVEOut()) {
    TEntry entry = xml.Entry(kSounds);
    entry.Text("NAME", wave);
    entry.Text("DESCRIPTION", "Wave output device");
  }
}

void WriteControllers(TNSystemInfo& info, TInventoryXml& xml) {
  for (const auto& kind : kControllerClasses) {
    for (const TDevice& device : DevicesOfClassName(info.Devices(), kind.className)) {
      TEntry entry = xml.Entry(kControllers);
      entry.Text("NAME", DeviceTitle(device));
      entry.Text("MANUFACTURER", device.Manufacturer);
      entry.Text("CAPTION", IfDifferent(device.Description, DeviceTitle(device)));
      entry.Text("DESCRIPTION", ClassTitle(device));
      entry.Text("VERSION", device.DriverVersion);
      entry.Text("TYPE", kind.type);
    }
  }
}

}  // namespace nsx::inventory
