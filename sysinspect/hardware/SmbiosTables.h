// The names of SMBIOS values. Every lookup is bounded: a value past a
// table's last row is "Unknown", never a read beyond the table. Beyond the
// rows the program always knew, the tables carry the names later editions
// of the SMBIOS standard give.
#pragma once
#include <cstdint>
#include <string>

#include "SmbiosTypes.h"

namespace nsx {

extern const char kUnknownName[];  // "Unknown"

std::string StructureName(std::uint8_t type);

// By stored value (the standard's byte - 1).
std::string ChassisName(std::uint8_t value);
std::string InterleaveName(std::uint8_t value);
std::string ProcessorUpgradeName(std::uint8_t value);
std::string MemoryFormFactorName(std::uint8_t value);
std::string MemoryDeviceTypeName(std::uint8_t value);
std::string DataBusWidthName(std::uint8_t value);
std::string CurrentUsageName(std::uint8_t value);
std::string SlotLengthName(std::uint8_t value);
std::string CacheTypeName(std::uint8_t value);
std::string AssociativityName(std::uint8_t value);
// By bit number (0-6).
std::string SRAMTypeName(std::uint8_t bit);

// Port connectors, port types and slot types are stored by their row in
// the name table; these map the standard's byte to that row (a byte no row
// names maps past the table).
std::uint8_t PortConnectorIndex(std::uint8_t code);
std::uint8_t PortTypeIndex(std::uint8_t code);
std::uint8_t SlotTypeIndex(std::uint8_t code);
std::string PortConnectorName(std::uint8_t index);
std::string PortTypeName(std::uint8_t index);
std::string SlotTypeName(std::uint8_t index);

// The number of stored values the standard names for these, so a decoder
// can tell a named value from a reserved one.
std::uint8_t CacheTypeCount();
std::uint8_t AssociativityCount();

// A set as text: its members' names in ascending order, separated by ","
// (the empty set gives "").
std::string VoltagesText(TVoltages set);
std::string SpeedsText(TMemorySpeeds set);
std::string TypesText(TMemoryTypes set);

}  // namespace nsx
