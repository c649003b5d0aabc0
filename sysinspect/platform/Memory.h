// Memory status, power status and the free system resources of the 9x
// family's 16-bit heaps.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace nsx::platform {

// MEMORYSTATUS (32-byte form, dwLength 32).
struct MemoryStatus {
  std::uint32_t memoryLoad = 0;
  std::uint32_t totalPhys = 0;
  std::uint32_t availPhys = 0;
  std::uint32_t totalPageFile = 0;
  std::uint32_t availPageFile = 0;
  std::uint32_t totalVirtual = 0;
  std::uint32_t availVirtual = 0;
};

// MEMORYSTATUSEX (64-byte form, dwLength 64).
struct MemoryStatusEx {
  std::uint32_t memoryLoad = 0;
  std::uint64_t totalPhys = 0;
  std::uint64_t availPhys = 0;
  std::uint64_t totalPageFile = 0;
  std::uint64_t availPageFile = 0;
  std::uint64_t totalVirtual = 0;
  std::uint64_t availVirtual = 0;
  std::uint64_t availExtendedVirtual = 0;
};

// SYSTEM_POWER_STATUS.
struct PowerStatus {
  std::uint8_t acLineStatus = 255;
  std::uint8_t batteryFlag = 255;
  std::uint8_t batteryLifePercent = 255;
  std::uint8_t reserved = 0;
  std::uint32_t batteryLifeTime = 0xFFFFFFFFu;
  std::uint32_t batteryFullLifeTime = 0xFFFFFFFFu;
};

class MemoryApi {
 public:
  virtual ~MemoryApi() = default;
  // GlobalMemoryStatus.
  virtual MemoryStatus GlobalStatus() = 0;
  // GetProcAddress(kernel32, "GlobalMemoryStatusEx") != null: the entry
  // exists (Windows 2000 and later).
  virtual bool HasGlobalStatusEx() = 0;
  // GlobalMemoryStatusEx through the looked-up entry; nullopt when the entry
  // is missing or the call fails.
  virtual std::optional<MemoryStatusEx> GlobalStatusEx() = 0;
  // GetSystemPowerStatus; nullopt when the call fails.
  virtual std::optional<PowerStatus> SystemPowerStatus() = 0;

  // The 16-bit side of the 9x family, reached through kernel32's thunk
  // entries: kernel32 exports "QT_Thunk" and, on the 9x family, the 16-bit
  // module entries (ordinals 35 to 37) too.
  virtual bool HasThunkGate() = 0;
  // kernel32 ordinal 35 (LoadLibrary16): a module handle, below 32 on failure.
  virtual std::uint32_t LoadModule16(const std::string& name) = 0;
  // kernel32 ordinal 36 (FreeLibrary16).
  virtual void FreeModule16(std::uint32_t module) = 0;
  // kernel32 ordinal 37 (GetProcAddress16): a 16:16 address, 0 when not found.
  virtual std::uint32_t FindEntry16(std::uint32_t module, const std::string& name) = 0;
  // Calls the 16-bit GetFreeSystemResources at `entry` through QT_Thunk with
  // its one 16-bit argument (0 system, 1 GDI, 2 user): percent free.
  virtual std::uint16_t CallFreeSystemResources(std::uint32_t entry, std::uint16_t which) = 0;
};

}  // namespace nsx::platform
