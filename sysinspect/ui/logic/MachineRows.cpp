#include "MachineRows.h"

#include <cstdio>

#include "../../core/NSX_Common.h"
#include "../../hardware/SmbiosTables.h"

namespace nsx::ui {
namespace {

std::string Unit(long value, const char* unit) { return std::to_string(value) + " " + unit; }

}  // namespace

std::string ComputerTitle(const std::string& computer) {
  return IsBlank(computer) ? std::string() : " " + computer + " ";
}

std::string BIOSVendorText(const std::string& smbiosVendor, const std::string& biosCopyright) {
  return smbiosVendor.empty() ? biosCopyright : smbiosVendor;
}

std::string BIOSVersionText(const std::string& smbiosVersion, const std::string& biosName,
                            const std::string& biosExtended) {
  return smbiosVersion.empty() ? biosName + " " + biosExtended : smbiosVersion;
}

std::string BIOSDateText(const std::string& smbiosDate, const std::string& biosDate) {
  return smbiosDate.empty() ? biosDate : smbiosDate;
}

std::string InterleaveText(std::uint8_t current, std::uint8_t supported) {
  return InterleaveName(current) + " / " + InterleaveName(supported);
}

TRow ProcessorRow(const TProcessor& p, const std::string& decimalSeparator) {
  return {p.Manufacturer, p.Version, p.Socket, ProcessorUpgradeName(p.Upgrade),
          FormatFloat1(p.Voltage, decimalSeparator) + " V", Unit(p.CurrentSpeed, "MHz"), Unit(p.ExternalClock, "MHz")};
}

TRow CacheRow(const TCache& c) {
  return {c.Designation,          CacheTypeName(c.CacheType),  AssociativityName(c.Associativity),
          SRAMTypeName(c.SRAMType), Unit(c.InstalledSize, "KB"), Unit(c.MaxSize, "KB"), Unit(c.Speed, "ns")};
}

TRow MemoryRow(const TMemoryBank& b) {
  return {b.Designation, MemoryFormFactorName(b.FormFactor), TypesText(b.Types), MemoryDeviceTypeName(b.DeviceType),
          Unit(b.Size, "MB"), Unit(b.Speed, "ns")};
}

TRow PortRow(const TPort& p) {
  return {PortTypeName(p.PortType), p.InternalDesignator, PortConnectorName(p.InternalConnector),
          p.ExternalDesignator, PortConnectorName(p.ExternalConnector)};
}

TRow SlotRow(const TSlot& s) {
  return {SlotTypeName(s.SlotType), DataBusWidthName(s.DataBusWidth), CurrentUsageName(s.CurrentUsage),
          SlotLengthName(s.SlotLength)};
}

TRow StructureRow(const TStructTable& s) {
  char handle[8];
  std::snprintf(handle, sizeof handle, "%04X", s.Handle);
  return {"Type " + std::to_string(s.Type) + ": " + s.Name, std::to_string(s.Length), handle};
}

}  // namespace nsx::ui
