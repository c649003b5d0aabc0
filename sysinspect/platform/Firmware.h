// The BIOS area of physical memory and the firmware tables: the plain view
// of the first megabyte the 9x family gives every process, the NT section
// object "\Device\PhysicalMemory", and the firmware-table query of the
// releases that no longer let user programs map physical memory.
#pragma once
#include <cstdint>
#include <optional>

#include "Performance.h"
#include "WinTypes.h"

namespace nsx::platform {

// NTSTATUS values of ZwOpenSection beyond kStatusSuccess (Performance.h).
enum : std::uint32_t {
  kStatusAccessDenied = 0xC0000022u,
  kStatusObjectNameNotFound = 0xC0000034u,
};

// Firmware-table provider signatures ('RSMB': the raw SMBIOS table).
constexpr std::uint32_t kFirmwareProviderRSMB = 0x52534D42u;

class FirmwareApi {
 public:
  virtual ~FirmwareApi() = default;

  // The 9x family: copies `length` bytes from linear address `address`.
  // False, with `destination` untouched, when the range cannot be read; a
  // fault is caught (Wine's win98 mode faults on the first touch).
  virtual bool CopyLinearMemory(std::uint32_t address, std::uint32_t length, std::uint8_t* destination) = 0;

  // ZwOpenSection (ntdll, bound at run time) of "\Device\PhysicalMemory"
  // with SECTION_MAP_READ and OBJ_CASE_INSENSITIVE: the status, and the
  // handle in *section when the status is 0.
  virtual std::uint32_t OpenPhysicalMemory(std::uintptr_t* section) = 0;
  // MapViewOfFile(section, FILE_MAP_READ, 0, offset, length), the view
  // copied into *bytes and unmapped; false when no view is returned.
  virtual bool ReadView(std::uintptr_t section, std::uint32_t offset, std::uint32_t length, Bytes* bytes) = 0;
  // ZwClose.
  virtual void CloseSection(std::uintptr_t section) = 0;

  // GetSystemFirmwareTable (kernel32, bound at run time; Server 2003 SP1,
  // XP x64 and later): the table; nullopt where the entry point is absent,
  // the call fails or answers nothing.
  virtual std::optional<Bytes> SystemFirmwareTable(std::uint32_t provider, std::uint32_t tableId) = 0;
};

}  // namespace nsx::platform
