// The values the SMBIOS tables describe: enumerations and sets, the
// structure list entry and the five kinds of records.
#pragma once
#include <cstdint>
#include <string>

namespace nsx {

// An SMBIOS enumeration byte v (1-based in the standard) is stored as
// v - 1, so it indexes these enumerations and their name tables.
enum TChassis : std::uint8_t {
  smchOther, smchUnknown, smchDesktop, smchLowProfileDesktop, smchPizzaBox, smchMiniTower, smchTower,
  smchPortable, smchLapTop, smchNotebook, smchHandHeld, smchDockingStation, smchAllInOne, smchSubNotebook,
  smchSpaceSaving, smchLunchBox, smchMainServer, smchExpansion, smchSubChassis, smchBusExpansion,
  smchPeripheral, smchRAID, smchRackMount, smchSealedCasePC, smchMultiSystem,
};

enum TInterleaveSupport : std::uint8_t {
  smisOther, smisUnknown, smisOnewWay, smisTwoWay, smisFourWay, smisEightWay, smisSixteenWay,
};

enum TVoltage { smv5V, smv33V, smv29V };
enum TMemorySpeed { smmsOther, smmsUnknown, smms70ns, smms60ns, smms50ns };
enum TMemoryType {
  smmtOther, smmtUnknown, smmtStandard, smmtFastPageMode, smmtEDO, smmtParity, smmtECC, smmtSIMM, smmtDIMM,
  smmtBurstEDO, smmtSDRAM,
};

// Sets of those: bit i holds member i.
struct TVoltages {
  std::uint8_t bits = 0;
};
struct TMemorySpeeds {
  std::uint8_t bits = 0;
};
struct TMemoryTypes {
  std::uint16_t bits = 0;
};

// One structure of the table as the walk found it.
struct TStructTable {
  std::uint32_t Address = 0;  // physical (or the offset in a firmware table)
  std::uint8_t Type = 0;
  std::uint8_t Length = 0;    // the formatted area
  std::uint16_t Handle = 0;
  std::string Name;
  std::uint32_t End = 0;      // one past its string area: where the next one starts
};

struct TProcessor {
  std::string Socket, Manufacturer, Version;
  std::uint8_t Upgrade = 0;
  double Voltage = 0.0;  // volts
  std::uint16_t CurrentSpeed = 0, ExternalClock = 0;  // MHz
};

struct TCache {
  std::string Designation;
  std::uint16_t MaxSize = 0, InstalledSize = 0;  // KB
  std::uint8_t SRAMType = 0, CacheType = 0, Associativity = 0;
  std::uint8_t Speed = 0;  // ns
};

struct TPort {
  std::string InternalDesignator, ExternalDesignator;
  std::uint8_t InternalConnector = 0, ExternalConnector = 0, PortType = 0;
};

struct TSlot {
  std::string Designation;
  std::uint8_t SlotType = 0, DataBusWidth = 0;
  std::uint16_t SlotID = 0;
  std::uint8_t CurrentUsage = 0, SlotLength = 0;
};

struct TMemoryBank {
  std::string Designation;
  std::uint16_t Speed = 0;  // ns
  std::uint16_t Size = 0;   // MB
  TMemoryTypes Types;
  std::uint8_t FormFactor = 0, DeviceType = 0;
};

}  // namespace nsx
