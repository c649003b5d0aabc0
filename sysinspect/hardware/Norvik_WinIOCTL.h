// The readers of an IDE drive's identification: IDENTIFY DEVICE sent
// through the SMART driver of a physical drive (NT), the SMART VxD (9x) or
// the SCSI miniport of an IDE port (NT), the devices of an ASPI scan, and
// the registry's SCSI device map as the last resort. Each reader clears
// its result first and returns a platform error code, 0 for success.
#pragma once
#include <cstdint>
#include <string>

#include "../platform/WinTypes.h"
#include "IdentifyData.h"

namespace nsx {

struct TASPIScanResult;

struct TDriveInfo {
  std::string SerialNumber;
  std::string ModelNumber;
  std::string Revision;
  std::int64_t Capacity = 0;  // bytes
  std::uint32_t Cylinders = 0, Heads = 0, SectorsPerTrack = 0, Word5 = 0;
};

// I/O control codes and the ATA command.
constexpr std::uint32_t kDfpReceiveDriveData = 0x0007C088u;
constexpr std::uint32_t kIoctlScsiMiniport = 0x0004D008u;
constexpr std::uint32_t kIoctlScsiMiniportIdentify = 0x001B0501u;
constexpr std::uint8_t kAtaIdentifyDevice = 0xEC;

// Layout of the requests and answers.
constexpr std::size_t kSendCmdInSize = 32;       // SENDCMDINPARAMS without its data byte
constexpr std::size_t kSendCmdOutHeader = 16;    // cBufferSize and DRIVERSTATUS
constexpr std::size_t kSrbIoControlSize = 28;    // SRB_IO_CONTROL
constexpr std::size_t kMiniportBufferSize = 572; // SRB_IO_CONTROL + 544 bytes

// The SENDCMDINPARAMS block asking drive `driveNumber` for its identify
// data; the drive/head register selects the master (0xA0) or, for an odd
// drive number, the slave (0xB0).
platform::Bytes IdentifyCommand(std::uint8_t driveNumber);
// The miniport request: SRB_IO_CONTROL ("SCSIDISK", IDENTIFY) and the
// command block, in one zeroed buffer that also receives the answer.
platform::Bytes MiniportIdentifyRequest(std::uint8_t driveNumber);

// Decodes a driver's answer into `info` when it is whole (`returned` covers
// the identify block) and the driver reports no error; else returns the
// error code that says why not.
long TakeSmartAnswer(const platform::Bytes& answer, std::uint32_t returned, TDriveInfo& info);
long TakeMiniportAnswer(const platform::Bytes& answer, std::uint32_t returned, TDriveInfo& info);

void FillDriveInfo(const TIdentifyData& identify, TDriveInfo& info);

// The SMART VxD of the 9x family ("\\.\SMARTVSD"), drive 0 to 3.
long ReadIdeSmart(int drive, TDriveInfo& info);
// The SMART driver of an NT physical drive ("\\.\PhysicalDriveN").
long ReadIdePhysical(int drive, TDriveInfo& info);
// The SCSI miniport of IDE port `port` ("\\.\ScsiN:"), drive 0 or 1 on it.
long ReadIdeScsi(int port, int drive, TDriveInfo& info);
// The device of an ASPI scan (GetASPIDevices, with the status it returned)
// at a position, host adapter x 2 + target: its vendor and product joined
// as the model (untrimmed) and its revision; no serial number, geometry or
// capacity. A later match overwrites an earlier one. Returns 0 when the
// scan's status byte is SS_COMP, else that status byte (ASPI's own code).
long ReadIdeAspi(const TASPIScanResult& scan, std::uint32_t scanStatus, int position, TDriveInfo& info);
// The identifier in the registry's SCSI device map of a position; always 0.
long ReadIdeRegistry(int position, TDriveInfo& info);

// An identifier "MODEL<five or more blanks>REVISION" split into both; one
// without such a run is all model.
void SplitDeviceIdentifier(const std::string& identifier, std::string* model, std::string* revision);

}  // namespace nsx
