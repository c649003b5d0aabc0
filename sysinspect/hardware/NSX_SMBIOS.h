// The SMBIOS topic: TSMBIOS finds the SMBIOS (DMI) tables and decodes the
// structures that describe the BIOS, system, main board, chassis, memory
// controller, processors, caches, memory, ports and slots. It reads the
// firmware-table query's copy where the system offers one, else physical
// memory through its two windows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "../core/NSX_Common.h"
#include "NSX_DMA.h"
#include "SmbiosDecode.h"
#include "SmbiosTables.h"

namespace nsx {

class TSMBIOS : public TTopic {
 public:
  TSMBIOS();  // the windows take the object's mode of this moment (emRaise)

  // Mode 1 acquires the tables first; any other mode decodes the windows
  // as they are.
  void GetInfo(std::int32_t mode);
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TSMBIOS"; }

  TExceptionMode ExceptionMode() const { return exceptionMode_; }
  void SetExceptionMode(TExceptionMode mode) { exceptionMode_ = mode; }

  const TSmbiosInfo& Info() const { return info_; }
  const std::string& Version() const { return info_.Entry.Version; }
  std::uint32_t StartAddress() const { return info_.Entry.StartAddress; }
  std::uint32_t TableAddress() const { return info_.Entry.TableAddress; }
  std::uint32_t TableLength() const { return info_.Entry.TableLength; }
  std::uint32_t StructureCount() const { return info_.Entry.StructureCount; }
  // True when the last acquisition used the firmware-table query.
  bool FromFirmwareTable() const { return fromFirmwareTable_; }

  const std::string& BIOSVendor() const { return info_.BIOSVendor; }
  const std::string& BIOSVersion() const { return info_.BIOSVersion; }
  const std::string& BIOSDate() const { return info_.BIOSDate; }
  std::uint32_t BIOSSize() const { return info_.BIOSSize; }
  const std::string& SystemManufacturer() const { return info_.SystemManufacturer; }
  const std::string& SystemModel() const { return info_.SystemModel; }
  const std::string& SystemVersion() const { return info_.SystemVersion; }
  const std::string& SystemSerial() const { return info_.SystemSerial; }
  const std::string& SystemUUID() const { return info_.SystemUUID; }
  const std::string& MainBoardManufacturer() const { return info_.MainBoardManufacturer; }
  const std::string& MainBoardModel() const { return info_.MainBoardModel; }
  const std::string& MainBoardVersion() const { return info_.MainBoardVersion; }
  const std::string& MainBoardSerial() const { return info_.MainBoardSerial; }
  TChassis ChassisModel() const { return static_cast<TChassis>(info_.ChassisModel); }
  const std::string& ChassisManufacturer() const { return info_.ChassisManufacturer; }
  const std::string& ChassisVersion() const { return info_.ChassisVersion; }
  const std::string& ChassisSerial() const { return info_.ChassisSerial; }
  TInterleaveSupport MemCtrlSupportedInterleave() const {
    return static_cast<TInterleaveSupport>(info_.MemCtrlSupportedInterleave);
  }
  TInterleaveSupport MemCtrlCurrentInterleave() const {
    return static_cast<TInterleaveSupport>(info_.MemCtrlCurrentInterleave);
  }
  TMemorySpeeds MemCtrlSupportedSpeeds() const { return info_.MemCtrlSupportedSpeeds; }
  TMemoryTypes MemCtrlSupportedTypes() const { return info_.MemCtrlSupportedTypes; }
  TVoltages MemCtrlSupportedVoltages() const { return info_.MemCtrlSupportedVoltages; }
  std::uint16_t MemCtrlMaxSize() const { return info_.MemCtrlMaxSize; }
  std::uint8_t MemCtrlSlotCount() const { return info_.MemCtrlSlotCount; }

  // Byte-sized counts of the five record lists (255 at most).
  std::uint8_t ProcessorCount() const { return ByteCount(info_.Processors.size()); }
  std::uint8_t CacheCount() const { return ByteCount(info_.Caches.size()); }
  std::uint8_t MemorySlotCount() const { return ByteCount(info_.MemoryBanks.size()); }
  std::uint8_t PortCount() const { return ByteCount(info_.Ports.size()); }
  std::uint8_t SystemSlotCount() const { return ByteCount(info_.Slots.size()); }
  const std::vector<TStructTable>& Structures() const { return info_.Structures; }

  // Record i, or a zeroed record for an index beyond the list.
  TProcessor Processor(std::size_t i) const { return At(info_.Processors, i); }
  TCache Cache(std::size_t i) const { return At(info_.Caches, i); }
  TMemoryBank MemoryBank(std::size_t i) const { return At(info_.MemoryBanks, i); }
  TPort Port(std::size_t i) const { return At(info_.Ports, i); }
  TSlot Slot(std::size_t i) const { return At(info_.Slots, i); }

  const TDMA& BIOSWindow() const { return biosWindow_; }
  const TDMA& TableWindow() const { return tableWindow_; }

 private:
  static std::uint8_t ByteCount(std::size_t n) { return static_cast<std::uint8_t>(n > 255 ? 255 : n); }
  template <class T>
  static T At(const std::vector<T>& list, std::size_t i) {
    return i < list.size() ? list[i] : T{};
  }
  void DecodeFromMemory(bool biosMapped);
  void DecodeFirmwareTable();

  TExceptionMode exceptionMode_ = emRaise;
  TDMA biosWindow_, tableWindow_;
  bool fromFirmwareTable_ = false;
  std::string firmwareVersion_;
  TSmbiosInfo info_;
};

}  // namespace nsx
