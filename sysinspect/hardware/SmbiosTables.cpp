#include "SmbiosTables.h"

#include <iterator>

namespace nsx {

const char kUnknownName[] = "Unknown";

namespace {

// Names of the structure types the table knows.
struct TTypeName {
  std::uint8_t type;
  const char* name;
};

const TTypeName kStructureNames[] = {
    // type  name
    {0,   "BIOS Information"},
    {1,   "System Information"},
    {2,   "Base Board Information"},
    {3,   "System Enclosure or Chassis"},
    {4,   "Processor Information"},
    {5,   "Memory Controller Information"},
    {6,   "Memory Module Information"},
    {7,   "Cache Information"},
    {8,   "Port Connector Information"},
    {9,   "System Slots"},
    {10,  "On Board Devices Information"},
    {11,  "OEM Strings"},
    {12,  "System Configuration Options"},
    {13,  "BIOS Language Information"},
    {14,  "Group Associations"},
    {15,  "System Event Log"},
    {16,  "Physical Memory Array"},
    {17,  "Memory Device"},
    {18,  "32-bit Memory Error Information"},
    {19,  "Memory Array Mapped Address"},
    {20,  "Memory Device Mapped Address"},
    {21,  "Built-in Pointing Device"},
    {22,  "Portable Battery"},
    {23,  "System Reset"},
    {24,  " Hardware Security"},
    {25,  "System Power Controls"},
    {26,  "Voltage Probe"},
    {27,  " Cooling Device"},
    {28,  "Temperature Probe"},
    {29,  "Electrical Current Probe"},
    {30,  "Out-of-Band Remote Access"},
    {31,  "Boot Integrity Services (BIS) Entry Point"},
    {32,  "System Boot Information"},
    {33,  "64-bit Memory Error Information"},
    {34,  "Management Device"},
    {35,  "Management Device Component"},
    {36,  "Management Device Threshold Data"},
    {37,  "Memory Channel"},
    {38,  "IPMI Device Information"},
    {39,  "System Power Supply"},
    // later editions of the standard
    {40,  "Additional Information"},
    {41,  "Onboard Devices Extended Information"},
    {42,  "Management Controller Host Interface"},
    {43,  "TPM Device"},
    {44,  "Processor Additional Information"},
    {45,  "Firmware Inventory Information"},
    {46,  "String Property"},
    // end of the standard's types
    {126, "Inactive"},
    {127, "End-of-Table"},
};

// Tables indexed by stored value; a null row is a value the standard
// reserves.
const char* const kChassisNames[] = {
    // stored value = byte - 1
    "Other", "Unknown", "Desktop", "Low Profile Desktop", "Pizza Box", "Mini Tower", "Tower", "Portable",
    "LapTop", "Notebook", "Hand Held", "Docking Station", "All in One", "SubNotebook", "Space-Saving",
    "Lunch Box", "Main Server Chassis", "Expansion Chassis", "SubChassis", "Bus Expansion Chassis",
    "Peripheral Chassis", "RAID Chassis", "Rack-Mount Chassis", "Sealed-case PC", "Multi-system Chassis",
    // later editions (0x1A on)
    "Compact PCI", "AdvancedTCA", "Blade", "Blade Enclosure", "Tablet", "Convertible", "Detachable",
    "IoT Gateway", "Embedded PC", "Mini PC", "Stick PC",
};

const char* const kInterleaveNames[] = {
    "Other", "Unknown", "1-Way", "2-Way", "4-Way", "8-Way", "16-Way",
};

const char* const kProcessorUpgradeNames[] = {
    "Other", "Unknown", "Daughter Board", "ZIF Socket", "Replaceable Piggy Back", "None", "LIF Socket",
    "Slot 1", "Slot 2", "370-pin Socket", "Slot A", "Slot M", "Socket 423", "Socket A (Socket 462)",
    "Socket 478",
    // later editions (0x10 on)
    "Socket 754", "Socket 940", "Socket 939", "Socket mPGA604", "Socket LGA771", "Socket LGA775",
    "Socket S1", "Socket AM2", "Socket F (1207)", "Socket LGA1366", "Socket G34", "Socket AM3",
    "Socket C32", "Socket LGA1156", "Socket LGA1567", "Socket PGA988A", "Socket BGA1288",
    "Socket rPGA988B", "Socket BGA1023", "Socket BGA1224", "Socket LGA1155", "Socket LGA1356",
    "Socket LGA2011", "Socket FS1", "Socket FS2", "Socket FM1", "Socket FM2", "Socket LGA2011-3",
    "Socket LGA1356-3", "Socket LGA1150", "Socket BGA1168", "Socket BGA1234", "Socket BGA1364",
    "Socket AM4", "Socket LGA1151", "Socket BGA1356", "Socket BGA1440", "Socket BGA1515",
    "Socket LGA3647-1", "Socket SP3", "Socket SP3r2", "Socket LGA2066", "Socket BGA1392",
    "Socket BGA1510", "Socket BGA1528", "Socket LGA4189", "Socket LGA1200",
};

const char* const kMemoryFormFactorNames[] = {
    "Other", "Unknown", "SIMM", "SIP", "Chip", "DIP", "ZIP", "PropCard", "DIMM", "TSOP", "RowChip", "RIMM",
    "SODIMM", "SRIMM",
    // later editions (0x0F on)
    "FB-DIMM", "Die",
};

const char* const kMemoryDeviceTypeNames[] = {
    "Other", "Unknown", "DRAM", "EDRAM", "VRAM", "SRAM", "RAM", "ROM", "FLASH", "EEPROM", "FEPROM", "EPROM",
    "CDRAM", "3DRAM", "SDRAM", "SGRAM", "RDRAM",
    // later editions (0x12 on; 0x15 to 0x17 reserved)
    "DDR", "DDR2", "DDR2 FB-DIMM", nullptr, nullptr, nullptr, "DDR3", "FBD2", "DDR4", "LPDDR", "LPDDR2",
    "LPDDR3", "LPDDR4", "Logical non-volatile device", "HBM", "HBM2", "DDR5", "LPDDR5",
};

const char* const kDataBusWidthNames[] = {
    "Other", "Unknown", "8 bit", "16 bit", "32 bit", "64 bit", "128 bit",
    // later editions (0x08 on)
    "1x or x1", "2x or x2", "4x or x4", "8x or x8", "12x or x12", "16x or x16", "32x or x32",
};

const char* const kCurrentUsageNames[] = {
    "Other", "Unknown", "Available", "InUse",
    // later editions
    "Unavailable",
};

const char* const kSlotLengthNames[] = {
    "Other", "Unknown", "Short", "Long",
    // later editions
    "2.5\" drive form factor", "3.5\" drive form factor",
};

const char* const kSRAMTypeNames[] = {
    // by bit
    "Other", "Unknown", "Non-Burst", "Burst", "Pipeline Burst", "Synchronous", "Asynchronous",
};

const char* const kCacheTypeNames[] = {
    "Other", "Unknown", "Instruction", "Data", "Unified",
};

const char* const kAssociativityNames[] = {
    "Other", "Unknown", "Direct Mapped", "2-way Set-Associative", "4-way Set-Associative",
    "Fully Associative",
    // later editions (0x07 on)
    "8-way Set-Associative", "16-way Set-Associative", "12-way Set-Associative", "24-way Set-Associative",
    "32-way Set-Associative", "48-way Set-Associative", "64-way Set-Associative", "20-way Set-Associative",
};

const char* const kVoltageNames[] = {"5V", "3.3V", "2.9V"};
const char* const kSpeedNames[] = {"Other", "Unknown", "70ns", "60ns", "50ns"};
const char* const kMemoryTypeNames[] = {
    "Other", "Unknown", "Standard", "Fast Page Mode", "EDO", "Parity", "ECC", "SIMM", "DIMM", "Burst EDO", "SDRAM",
};

// Tables stored by row: the standard's byte of each row, in row order.
struct TCodeName {
  std::uint8_t code;
  const char* name;
};

const TCodeName kPortConnectors[] = {
    // code  name
    {0x00, "None"},
    {0x01, "Centronics"},
    {0x02, "Mini Centronics"},
    {0x03, "Proprietary"},
    {0x04, "DB-25 pin male"},
    {0x05, "DB-25 pin female"},
    {0x06, "DB-15 pin male"},
    {0x07, "DB-15 pin female"},
    {0x08, "DB-9 pin male"},
    {0x09, "DB-9 pin female"},
    {0x0A, "RJ-11"},
    {0x0B, "RJ-45"},
    {0x0C, "50 Pin MiniSCSI"},
    {0x0D, "Mini-DIN"},
    {0x0E, "Micro-DIN"},
    {0x0F, "PS/2"},
    {0x10, "Infrared"},
    {0x11, "HP-HIL"},
    {0x12, "Access Bus (USB)"},
    {0x13, "SSA SCSI"},
    {0x14, "Circular DIN-8 male"},
    {0x15, "Circular DIN-8 female"},
    {0x16, "On Board IDE"},
    {0x17, "On Board Floppy"},
    {0x18, "9 Pin Dual Inline (pin 10 cut)"},
    {0x19, "25 Pin Dual Inline (pin 26 cut)"},
    {0x1A, "50 Pin Dual Inline"},
    {0x1B, "68 Pin Dual Inline"},
    {0x1C, "On Board Sound Input from CD-ROM"},
    {0x1D, "Mini-Centronics Type-14"},
    {0x1E, "Mini-Centronics Type-26"},
    {0x1F, "Mini-jack (headphones)"},
    {0x20, "BNC"},
    {0x21, "1394"},
    {0xA0, "PC-98"},
    {0xA1, "PC-98Hireso"},
    {0xA2, "PC-H98"},
    {0xA3, "PC-98Note"},
    {0xA4, "PC-98Full"},
    {0xFF, "Other"},
    // later editions
    {0x22, "SAS/SATA Plug Receptacle"},
    {0x23, "USB Type-C Receptacle"},
};

const TCodeName kPortTypes[] = {
    // code  name
    {0x00, "None"},
    {0x01, "Parallel Port XT/AT Compatible"},
    {0x02, "Parallel Port PS/2"},
    {0x03, "Parallel Port ECP"},
    {0x04, "Parallel Port EPP"},
    {0x05, "Parallel Port ECP/EPP"},
    {0x06, "Serial Port XT/AT Compatible"},
    {0x07, "Serial Port 16450 Compatible"},
    {0x08, "Serial Port 16550 Compatible"},
    {0x09, "Serial Port 16550A Compatible"},
    {0x0A, "SCSI Port"},
    {0x0B, "MIDI Port"},
    {0x0C, "Joy Stick Port"},
    {0x0D, "Keyboard Port"},
    {0x0E, "Mouse Port"},
    {0x0F, "SSA SCSI"},
    {0x10, "USB"},
    {0x11, "FireWire (IEEE P1394)"},
    {0x12, "PCMCIA Type I"},
    {0x13, "PCMCIA Type II"},
    {0x14, "PCMCIA Type III"},
    {0x15, "Cardbus"},
    {0x16, "Access Bus Port"},
    {0x17, "SCSI II"},
    {0x18, "SCSI Wide"},
    {0x19, "PC-98"},
    {0x1A, "PC-98-Hireso"},
    {0x1B, "PC-H98"},
    {0x1C, "Video Port"},
    {0x1D, "Audio Port"},
    {0x1E, "Modem Port"},
    {0x1F, "Network Port"},
    {0xA0, "8251 Compatible"},
    {0xA1, "8251 FIFO Compatible"},
    {0xFF, "Other"},
    // later editions
    {0x20, "SATA"},
    {0x21, "SAS"},
    {0x22, "MFDP (Multi-Function Display Port)"},
    {0x23, "Thunderbolt"},
};

const TCodeName kSlotTypes[] = {
    // code  name
    {0x01, "Other"},
    {0x02, "Unknown"},
    {0x03, "ISA"},
    {0x04, "MCA"},
    {0x05, "EISA"},
    {0x06, "PCI"},
    {0x07, "PC Card (PCMCIA)"},
    {0x08, "VL-VESA"},
    {0x09, "Proprietary"},
    {0x0A, "Processor Card Slot"},
    {0x0B, "Proprietary Memory Card"},
    {0x0C, "I/O Riser Card Slot"},
    {0x0D, "NuBus"},
    {0x0E, "PCI - 66MHz Capable"},
    {0x0F, "AGP"},
    {0x10, "AGP 2X"},
    {0x11, "AGP 4X"},
    {0xA0, "PC-98/C20"},
    {0xA1, "PC-98/C24"},
    {0xA2, "PC-98/E"},
    {0xA3, "PC-98/Local Bus"},
    {0xA4, "PC-98/Card"},
    // later editions
    {0x12, "PCI-X"},
    {0x13, "AGP 8X"},
    {0x14, "M.2 Socket 1-DP (Mechanical Key A)"},
    {0x15, "M.2 Socket 1-SD (Mechanical Key E)"},
    {0x16, "M.2 Socket 2 (Mechanical Key B)"},
    {0x17, "M.2 Socket 3 (Mechanical Key M)"},
    {0x18, "MXM Type I"},
    {0x19, "MXM Type II"},
    {0x1A, "MXM Type III (standard connector)"},
    {0x1B, "MXM Type III (HE connector)"},
    {0x1C, "MXM Type IV"},
    {0x1D, "MXM 3.0 Type A"},
    {0x1E, "MXM 3.0 Type B"},
    {0x1F, "PCI Express Gen 2 SFF-8639"},
    {0x20, "PCI Express Gen 3 SFF-8639"},
    {0x21, "PCI Express Mini 52-pin (CEM 2.0) with bottom-side keep-outs"},
    {0x22, "PCI Express Mini 52-pin (CEM 2.0) without bottom-side keep-outs"},
    {0x23, "PCI Express Mini 76-pin (CEM 2.0)"},
    {0xA5, "PCI Express"},
    {0xA6, "PCI Express x1"},
    {0xA7, "PCI Express x2"},
    {0xA8, "PCI Express x4"},
    {0xA9, "PCI Express x8"},
    {0xAA, "PCI Express x16"},
    {0xAB, "PCI Express Gen 2"},
    {0xAC, "PCI Express Gen 2 x1"},
    {0xAD, "PCI Express Gen 2 x2"},
    {0xAE, "PCI Express Gen 2 x4"},
    {0xAF, "PCI Express Gen 2 x8"},
    {0xB0, "PCI Express Gen 2 x16"},
    {0xB1, "PCI Express Gen 3"},
    {0xB2, "PCI Express Gen 3 x1"},
    {0xB3, "PCI Express Gen 3 x2"},
    {0xB4, "PCI Express Gen 3 x4"},
    {0xB5, "PCI Express Gen 3 x8"},
    {0xB6, "PCI Express Gen 3 x16"},
    {0xB8, "PCI Express Gen 4"},
    {0xB9, "PCI Express Gen 4 x1"},
    {0xBA, "PCI Express Gen 4 x2"},
    {0xBB, "PCI Express Gen 4 x4"},
    {0xBC, "PCI Express Gen 4 x8"},
    {0xBD, "PCI Express Gen 4 x16"},
};

template <std::size_t N>
std::string Lookup(const char* const (&names)[N], std::uint8_t value) {
  return value < N && names[value] ? names[value] : kUnknownName;
}

template <std::size_t N>
std::uint8_t RowOf(const TCodeName (&rows)[N], std::uint8_t code) {
  for (std::size_t i = 0; i < N; ++i)
    if (rows[i].code == code) return static_cast<std::uint8_t>(i);
  return static_cast<std::uint8_t>(N);  // past the table: "Unknown"
}

template <std::size_t N>
std::string RowName(const TCodeName (&rows)[N], std::uint8_t index) {
  return index < N ? rows[index].name : kUnknownName;
}

template <std::size_t N>
std::string SetText(const char* const (&names)[N], unsigned bits) {
  std::string text;
  for (std::size_t i = 0; i < N; ++i)
    if (bits & (1u << i)) text += std::string(names[i]) + ",";
  if (!text.empty()) text.pop_back();
  return text;
}

}  // namespace

std::string StructureName(std::uint8_t type) {
  for (const auto& row : kStructureNames)
    if (row.type == type) return row.name;
  return kUnknownName;
}

std::string ChassisName(std::uint8_t value) { return Lookup(kChassisNames, value); }
std::string InterleaveName(std::uint8_t value) { return Lookup(kInterleaveNames, value); }
std::string ProcessorUpgradeName(std::uint8_t value) { return Lookup(kProcessorUpgradeNames, value); }
std::string MemoryFormFactorName(std::uint8_t value) { return Lookup(kMemoryFormFactorNames, value); }
std::string MemoryDeviceTypeName(std::uint8_t value) { return Lookup(kMemoryDeviceTypeNames, value); }
std::string DataBusWidthName(std::uint8_t value) { return Lookup(kDataBusWidthNames, value); }
std::string CurrentUsageName(std::uint8_t value) { return Lookup(kCurrentUsageNames, value); }
std::string SlotLengthName(std::uint8_t value) { return Lookup(kSlotLengthNames, value); }
std::string CacheTypeName(std::uint8_t value) { return Lookup(kCacheTypeNames, value); }
std::string AssociativityName(std::uint8_t value) { return Lookup(kAssociativityNames, value); }
std::string SRAMTypeName(std::uint8_t bit) { return Lookup(kSRAMTypeNames, bit); }

std::uint8_t PortConnectorIndex(std::uint8_t code) { return RowOf(kPortConnectors, code); }
std::uint8_t PortTypeIndex(std::uint8_t code) { return RowOf(kPortTypes, code); }
std::uint8_t SlotTypeIndex(std::uint8_t code) { return RowOf(kSlotTypes, code); }
std::string PortConnectorName(std::uint8_t index) { return RowName(kPortConnectors, index); }
std::string PortTypeName(std::uint8_t index) { return RowName(kPortTypes, index); }
std::string SlotTypeName(std::uint8_t index) { return RowName(kSlotTypes, index); }

std::uint8_t CacheTypeCount() { return static_cast<std::uint8_t>(std::size(kCacheTypeNames)); }
std::uint8_t AssociativityCount() { return static_cast<std::uint8_t>(std::size(kAssociativityNames)); }

std::string VoltagesText(TVoltages set) { return SetText(kVoltageNames, set.bits); }
std::string SpeedsText(TMemorySpeeds set) { return SetText(kSpeedNames, set.bits); }
std::string TypesText(TMemoryTypes set) { return SetText(kMemoryTypeNames, set.bits); }

}  // namespace nsx
