#include <algorithm>

#include "../core/NSX_GUI.h"
#include "../hardware/NSX_CPU.h"
#include "../hardware/NSX_Machine.h"
#include "../hardware/SmbiosTables.h"
#include "InventorySections.h"

namespace nsx::inventory {
namespace {

// Logical processors per package: CPUID leaf 1 EBX bits 16-23 when the
// processor says it has more than one (HTT), else one.
int LogicalPerPackage(const TCPU& cpu) {
  int logical = static_cast<int>(cpu.Leaf1().ebx >> 16 & 0xFF);
  return cpu.Features().HTT() && logical > 1 ? logical : 1;
}

// Memory modules (SMBIOS type 6) give their speed in ns, which the topic
// keeps; memory devices (type 17) give MHz, which it keeps as a whole
// number of ns (133 and 142 MHz both read 7 ns), too coarse to send.
bool BankSpeedsAreExact(const TSMBIOS& smbios) {
  for (const auto& structure : smbios.Structures())
    if (structure.Type == 17) return false;
  return true;
}

}  // namespace

void WriteCpus(TNSystemInfo& info, TInventoryXml& xml) {
  const TCPU& cpu = info.CPU();
  const TSMBIOS& smbios = info.Machine().SMBIOS();
  if (cpu.Count() <= 0) return;  // never gathered
  const int perPackage = LogicalPerPackage(cpu);
  const bool x64 = cpu.Architecture() == IA_64;  // the AMD64 family, as the topic names it
  // One entry per package; SMBIOS describes the sockets in the same order.
  int remaining = cpu.Count();
  for (std::size_t package = 0; remaining > 0; ++package) {
    const int logical = std::min(perPackage, remaining);
    remaining -= logical;
    const TProcessor socket = smbios.Processor(package);  // zeros beyond the tables
    TEntry entry = xml.Entry(kCpus);
    entry.Text("MANUFACTURER", cpu.Vendor().empty() ? socket.Manufacturer : cpu.Vendor());
    entry.Text("TYPE", cpu.FriendlyName());
    entry.Text("SPEED", cpu.Frequency() > 0 ? std::to_string(cpu.Frequency()) : "");
    entry.Text("CURRENT_SPEED", socket.CurrentSpeed ? std::to_string(socket.CurrentSpeed) : "");
    entry.Text("L2CACHESIZE", cpu.Cache().Level2() > 0 ? std::to_string(cpu.Cache().Level2()) : "");
    entry.Text("CPUARCH", x64 ? "x86_64" : "x86");
    entry.Integer("DATA_WIDTH", x64 ? 64 : 32);
    // A 32-bit processor runs a 32-bit system; a 64-bit one may run either.
    if (!x64) entry.Integer("CURRENT_ADDRESS_WIDTH", 32);
    if (perPackage == 1) entry.Integer("CORES", 1);  // cores of a multi-threaded package are not known
    entry.Integer("LOGICAL_CPUS", logical);
    entry.Text("SOCKET", socket.Socket);
    entry.Text("VOLTAGE", socket.Voltage > 0 ? FormatFloat1(socket.Voltage, ".") + " V" : "");
  }
}

void WriteMemories(TNSystemInfo& info, TInventoryXml& xml) {
  const TSMBIOS& smbios = info.Machine().SMBIOS();
  const bool exactSpeeds = BankSpeedsAreExact(smbios);
  for (std::size_t i = 0; i < smbios.Info().MemoryBanks.size(); ++i) {
    const TMemoryBank bank = smbios.MemoryBank(i);
    // A module of the old tables has no device type; its type set tells.
    std::string type = MemoryDeviceTypeName(bank.DeviceType);
    if ((type == kUnknownName || type == "Other") && bank.Types.bits) type = TypesText(bank.Types);
    TEntry entry = xml.Entry(kMemories);
    entry.Text("CAPTION", bank.Designation);
    entry.Text("DESCRIPTION", MemoryFormFactorName(bank.FormFactor));
    entry.Integer("CAPACITY", bank.Size);  // MB; 0: empty or not known
    entry.Text("TYPE", type);
    if (exactSpeeds && bank.Speed) entry.Text("SPEED", std::to_string(bank.Speed) + " ns");
    entry.Integer("NUMSLOTS", static_cast<std::int64_t>(i) + 1);
  }
}

void WriteSlots(TNSystemInfo& info, TInventoryXml& xml) {
  const TSMBIOS& smbios = info.Machine().SMBIOS();
  for (std::size_t i = 0; i < smbios.Info().Slots.size(); ++i) {
    const TSlot slot = smbios.Slot(i);
    TEntry entry = xml.Entry(kSlots);
    entry.Text("NAME", slot.Designation);
    entry.Text("DESCRIPTION", SlotTypeName(slot.SlotType) + ", " + DataBusWidthName(slot.DataBusWidth));
    entry.Text("DESIGNATION", std::to_string(slot.SlotID));
    entry.Text("STATUS", CurrentUsageName(slot.CurrentUsage));
  }
}

void WritePorts(TNSystemInfo& info, TInventoryXml& xml) {
  const TSMBIOS& smbios = info.Machine().SMBIOS();
  for (std::size_t i = 0; i < smbios.Info().Ports.size(); ++i) {
    const TPort port = smbios.Port(i);
    const bool external = !port.ExternalDesignator.empty();
    // The outside of a port names it when the table gives one, else its
    // header on the board.
    std::string connector = PortConnectorName(external ? port.ExternalConnector : port.InternalConnector);
    TEntry entry = xml.Entry(kPorts);
    entry.Text("NAME", external ? port.ExternalDesignator : port.InternalDesignator);
    entry.Text("CAPTION", connector);
    entry.Text("DESCRIPTION", external ? port.InternalDesignator : "");
    entry.Text("TYPE", PortTypeName(port.PortType));
  }
}

}  // namespace nsx::inventory
