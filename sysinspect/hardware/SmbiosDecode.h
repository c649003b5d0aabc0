// Decoding the SMBIOS tables from memory windows: the entry point in the
// BIOS segment, the walk through the structure table, the decoders of the
// structure types, the firmware-table form and the report element. Pure
// functions of the bytes they are given.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "../core/NSX_Common.h"
#include "MemoryWindow.h"
#include "SmbiosTypes.h"

namespace nsx {

// A structure count that does not limit the walk (64-bit entry points and
// firmware tables give none).
constexpr std::uint32_t kAnyStructureCount = 0xFFFFFFFFu;

struct TSmbiosEntryPoint {
  std::uint32_t StartAddress = 0;  // of the entry point; 0 if none
  std::string Version;             // "%d.%d"
  std::uint32_t TableAddress = 0;
  std::uint32_t TableLength = 0;
  std::uint32_t StructureCount = 0;
};

// Everything the tables tell.
struct TSmbiosInfo {
  TSmbiosEntryPoint Entry;
  std::string BIOSVendor, BIOSVersion, BIOSDate;
  std::uint32_t BIOSSize = 0;  // KB
  std::string SystemManufacturer, SystemModel, SystemVersion, SystemSerial, SystemUUID;
  std::string MainBoardManufacturer, MainBoardModel, MainBoardVersion, MainBoardSerial;
  std::uint8_t ChassisModel = smchUnknown;  // a TChassis, or a later edition's value past it
  std::string ChassisManufacturer, ChassisVersion, ChassisSerial;
  std::uint8_t MemCtrlSupportedInterleave = 0, MemCtrlCurrentInterleave = 0;
  TMemorySpeeds MemCtrlSupportedSpeeds;
  TMemoryTypes MemCtrlSupportedTypes;
  TVoltages MemCtrlSupportedVoltages;
  std::uint16_t MemCtrlMaxSize = 0;  // MB
  std::uint8_t MemCtrlSlotCount = 0;
  std::vector<TStructTable> Structures;
  std::vector<TProcessor> Processors;
  std::vector<TCache> Caches;
  std::vector<TMemoryBank> MemoryBanks;
  std::vector<TPort> Ports;
  std::vector<TSlot> Slots;
};

// The entry point in the BIOS segment 0xF0000-0xFFFFF, found byte by byte
// (no checksum, no alignment): "_SM_" first, then the legacy "_DMI_", then
// the 64-bit "_SM3_".
std::optional<TSmbiosEntryPoint> FindEntryPoint(const TMemoryWindow& bios);

// The structures of the table at `address` with `length` bytes, at most
// `maxCount` of them. The walk never leaves the window or the table, and
// ends at a structure shorter than its own header.
std::vector<TStructTable> WalkTable(const TMemoryWindow& table, std::uint32_t address, std::uint32_t length,
                                    std::uint32_t maxCount);

// Decodes the listed structures into `info` (whose Entry and Structures
// are set): types 0, 1, 2 and 3 once each, then every 4, 5, 7, 8, 9, 17
// and 6.
void DecodeStructures(const TMemoryWindow& table, TSmbiosInfo& info);

// The answer of the firmware-table query for 'RSMB': an 8-byte header
// (calling method, major and minor version, DMI revision, table length)
// and the table. Nullopt when it is too short to hold a table.
struct TFirmwareSmbios {
  std::string Version;
  platform::Bytes Table;
};
std::optional<TFirmwareSmbios> ParseFirmwareTable(const platform::Bytes& answer);

// The <SMBIOS> element; the voltage is written with `decimalSeparator`.
void WriteSmbiosElement(const TSmbiosInfo& info, const std::string& decimalSeparator, TReportList& list);

}  // namespace nsx
