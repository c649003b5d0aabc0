// The ASPI layer (wnaspi32.dll, bound by the platform at program start)
// and the scan of the SCSI devices it reaches, which the engines topic
// reports and the IDE identification uses.
#pragma once
#include <cstdint>
#include <string>

#include "../core/Norvik_Routines.h"

namespace nsx {

// One scan: the host adapter count and, per device found in scan order,
// eight parallel texts.
struct TASPIScanResult {
  std::int32_t HostAdapterCount = 0;
  TStringList HostAdapters;    // adapter number, decimal
  TStringList Targets;         // target id, decimal
  TStringList Vendors;         // INQUIRY vendor identification
  TStringList Products;        // INQUIRY product identification
  TStringList DeviceTypes;     // peripheral device type of the get-device-type request, decimal
  TStringList Statuses;        // SRB status of the last command, decimal
  TStringList VendorSpecific;  // INQUIRY vendor-specific text
  TStringList Revisions;       // INQUIRY product revision level
};

// How long the scan waits for a command before it aborts it, and then for
// the aborted command to come back. A device answers TEST UNIT READY and
// INQUIRY at once, ready or not (a drive spinning up says so in its
// status), so a command still pending after the first bound is hung.
constexpr std::uint32_t kAspiCommandWaitMilliseconds = 4000;
constexpr std::uint32_t kAspiAbortWaitMilliseconds = 1000;

// The status byte of GetASPI32SupportInfo's answer (bits 8 to 15).
inline std::uint8_t AspiStatusByte(std::uint32_t supportInfo) {
  return static_cast<std::uint8_t>(supportInfo >> 8);
}

// GetASPI32SupportInfo, 0 when the library or the entry is not bound.
std::uint32_t GetASPI32SupportInfo();

// Clears `result` and scans: every host adapter that answers its inquiry,
// targets 0 to 15 (LUN 0), each device found asked TEST UNIT READY and
// INQUIRY. Returns GetASPI32SupportInfo's answer; devices are listed only
// when its status byte is SS_COMP.
std::uint32_t GetASPIDevices(TASPIScanResult& result);

}  // namespace nsx
