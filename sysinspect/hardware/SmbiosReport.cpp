// The <SMBIOS> report element.
#include "SmbiosDecode.h"
#include "SmbiosTables.h"

namespace nsx {
namespace {

void Strings(TReportList& list, const std::string& model, const std::string& manufacturer,
             const std::string& version, const std::string& serial) {
  WriteString(list, "Model", model);
  WriteString(list, "Manufacturer", manufacturer);
  WriteString(list, "Version", version);
  WriteString(list, "Serial", serial);
}

void Count(TReportList& list, std::size_t count) { WriteInteger(list, "Count", static_cast<std::int64_t>(count)); }

}  // namespace

void WriteSmbiosElement(const TSmbiosInfo& info, const std::string& decimalSeparator, TReportList& list) {
  WriteElementStart(list, "SMBIOS", "TSMBIOS");
  WriteString(list, "Version", info.Entry.Version);
  WriteInteger(list, "StartAddress", info.Entry.StartAddress);
  WriteInteger(list, "StructureTableStartAddress", info.Entry.StartAddress ? info.Entry.TableAddress : 0);
  WriteInteger(list, "TableCount", static_cast<std::int64_t>(info.Structures.size()) - 1);
  for (const auto& s : info.Structures) WriteString(list, "Table_" + std::to_string(s.Type), s.Name);

  WriteSectionStart(list, "BIOS");
  WriteString(list, "Vendor", info.BIOSVendor);
  WriteString(list, "Version", info.BIOSVersion);
  WriteString(list, "Date", info.BIOSDate);
  WriteInteger(list, "Size", info.BIOSSize, "", "KB");
  WriteSectionEnd(list);

  WriteSectionStart(list, "System");
  Strings(list, info.SystemModel, info.SystemManufacturer, info.SystemVersion, info.SystemSerial);
  WriteString(list, "UUID", info.SystemUUID);
  WriteSectionEnd(list);

  WriteSectionStart(list, "Mainboard");
  Strings(list, info.MainBoardModel, info.MainBoardManufacturer, info.MainBoardVersion, info.MainBoardSerial);
  WriteSectionEnd(list);

  WriteSectionStart(list, "Chassis");
  Strings(list, ChassisName(info.ChassisModel), info.ChassisManufacturer, info.ChassisVersion, info.ChassisSerial);
  WriteSectionEnd(list);

  WriteSectionStart(list, "MemoryController");
  WriteString(list, "SupportedInterleave", InterleaveName(info.MemCtrlSupportedInterleave));
  WriteString(list, "ActiveInterleave", InterleaveName(info.MemCtrlCurrentInterleave));
  WriteInteger(list, "MaxModuleSize", info.MemCtrlMaxSize, "", "MB");
  WriteString(list, "SupportedSpeeds", SpeedsText(info.MemCtrlSupportedSpeeds));
  WriteString(list, "SupportedTypes", TypesText(info.MemCtrlSupportedTypes));
  WriteString(list, "SupportedVoltages", VoltagesText(info.MemCtrlSupportedVoltages));
  WriteInteger(list, "SlotCount", info.MemCtrlSlotCount);
  WriteSectionEnd(list);

  WriteSectionStart(list, "CPU");
  Count(list, info.Processors.size());
  for (const auto& p : info.Processors) {
    WriteSectionStart(list, p.Version);
    WriteString(list, "Socket", p.Socket);
    WriteString(list, "UpgradeInterface", ProcessorUpgradeName(p.Upgrade));
    WriteString(list, "Manufacturer", p.Manufacturer);
    WriteString(list, "Version", p.Version);
    WriteData(list, "Voltage", "float", FormatFloat1(p.Voltage, decimalSeparator), "", "V");
    WriteInteger(list, "Frequency", p.CurrentSpeed, "", "MHz");
    WriteInteger(list, "ExternalFrequency", p.ExternalClock, "", "MHz");
    WriteSectionEnd(list);
  }
  WriteSectionEnd(list);

  WriteSectionStart(list, "Cache");
  Count(list, info.Caches.size());
  for (const auto& c : info.Caches) {
    WriteSectionStart(list, c.Designation);
    WriteString(list, "Socket", c.Designation);
    WriteInteger(list, "InstalledSize", c.InstalledSize, "", "KB");
    WriteInteger(list, "MaxSize", c.MaxSize, "", "KB");
    WriteInteger(list, "Speed", c.Speed, "", "ns");
    WriteString(list, "Type", CacheTypeName(c.CacheType));
    WriteString(list, "Associativity", AssociativityName(c.Associativity));
    WriteString(list, "SRAMType", SRAMTypeName(c.SRAMType));
    WriteSectionEnd(list);
  }
  WriteSectionEnd(list);

  WriteSectionStart(list, "MemorySlot");
  Count(list, info.MemoryBanks.size());
  for (const auto& b : info.MemoryBanks) {
    WriteSectionStart(list, b.Designation);
    WriteString(list, "Bank", b.Designation);
    WriteString(list, "Type", TypesText(b.Types));
    WriteString(list, "FormFactor", MemoryFormFactorName(b.FormFactor));
    WriteString(list, "Device", MemoryDeviceTypeName(b.DeviceType));
    WriteInteger(list, "Size", b.Size, "", "MB");
    WriteInteger(list, "Speed", b.Speed & 0xFF, "", "ns");
    WriteSectionEnd(list);
  }
  WriteSectionEnd(list);

  WriteSectionStart(list, "PortSlot");
  Count(list, info.Ports.size());
  for (const auto& p : info.Ports) {
    WriteSectionStart(list, p.ExternalDesignator);
    WriteString(list, "Type", PortTypeName(p.PortType));
    WriteString(list, "InternalDesignator", p.InternalDesignator);
    WriteString(list, "InternalConnector", PortConnectorName(p.InternalConnector));
    WriteString(list, "ExternalDesignator", p.ExternalDesignator);
    WriteString(list, "ExternalConnector", PortConnectorName(p.ExternalConnector));
    WriteSectionEnd(list);
  }
  WriteSectionEnd(list);

  WriteSectionStart(list, "SystemSlot");
  Count(list, info.Slots.size());
  for (const auto& s : info.Slots) {
    WriteSectionStart(list, s.Designation);
    WriteString(list, "Type", SlotTypeName(s.SlotType));
    WriteString(list, "DataBus", DataBusWidthName(s.DataBusWidth));
    WriteString(list, "CurrentUsage", CurrentUsageName(s.CurrentUsage));
    WriteString(list, "SlotLength", SlotLengthName(s.SlotLength));
    WriteSectionEnd(list);
  }
  WriteSectionEnd(list);
  WriteElementEnd(list, "SMBIOS");
}

}  // namespace nsx
