#include "Norvik_WinIOCTL.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../core/Norvik_Routines.h"
#include "../core/Runtime.h"
#include "../platform/LittleEndian.h"
#include "../software/Norvik_WnASPI32.h"

namespace nsx {
namespace {

using platform::Bytes;
using platform::LittleEndian32;
using platform::PutLittleEndian32;

// SENDCMDINPARAMS: cBufferSize, IDEREGS (features, sector count, sector
// number, cylinder low, cylinder high, drive/head, command, reserved),
// bDriveNumber, then reserved bytes.
void WriteIdentifyCommand(Bytes& b, std::size_t at, std::uint8_t driveNumber) {
  PutLittleEndian32(b, at, static_cast<std::uint32_t>(kIdentifySize));
  b[at + 4] = 0;     // features
  b[at + 5] = 1;     // sector count
  b[at + 6] = 1;     // sector number
  b[at + 7] = 0;     // cylinder low
  b[at + 8] = 0;     // cylinder high
  b[at + 9] = static_cast<std::uint8_t>(0xA0 | ((driveNumber & 1) << 4));
  b[at + 10] = kAtaIdentifyDevice;
  b[at + 12] = driveNumber;
}

// SENDCMDOUTPARAMS at `at`: DRIVERSTATUS.bDriverError is its fifth byte,
// the identify block follows the 16-byte header.
long TakeIdentifyAt(const Bytes& answer, std::size_t at, std::uint32_t returned, TDriveInfo& info) {
  std::size_t end = at + kSendCmdOutHeader + kIdentifySize;
  if (answer.size() < end || returned < end) return platform::kErrorInvalidData;
  if (answer[at + 4] != 0) return platform::kErrorIoDevice;
  FillDriveInfo(DecodeIdentify(answer.data() + at + kSendCmdOutHeader, kIdentifySize), info);
  return 0;
}

long ReadThroughSmartDevice(const std::string& name, std::uint32_t access, std::uint32_t share,
                            std::uint32_t creation, int drive, TDriveInfo& info) {
  info = TDriveInfo{};
  platform::DeviceFile device(Machine().DeviceIo(), name, access, share, creation);
  if (device.Error()) return device.Error();
  Bytes answer(kSendCmdOutHeader + kIdentifySize, 0);
  std::uint32_t returned = 0;
  long error = device.Control(kDfpReceiveDriveData, IdentifyCommand(static_cast<std::uint8_t>(drive)), &answer,
                              &returned);
  if (error) return error;
  return TakeSmartAnswer(answer, returned, info);
}

}  // namespace

Bytes IdentifyCommand(std::uint8_t driveNumber) {
  Bytes b(kSendCmdInSize, 0);
  WriteIdentifyCommand(b, 0, driveNumber);
  return b;
}

Bytes MiniportIdentifyRequest(std::uint8_t driveNumber) {
  Bytes b(kMiniportBufferSize, 0);
  PutLittleEndian32(b, 0, static_cast<std::uint32_t>(kSrbIoControlSize));  // HeaderLength
  std::memcpy(&b[4], "SCSIDISK", 8);                             // Signature
  PutLittleEndian32(b, 12, 2);                                               // Timeout
  PutLittleEndian32(b, 16, kIoctlScsiMiniportIdentify);                      // ControlCode
  PutLittleEndian32(b, 20, 0);                                               // ReturnCode
  PutLittleEndian32(b, 24, static_cast<std::uint32_t>(kMiniportBufferSize - kSrbIoControlSize));  // Length
  WriteIdentifyCommand(b, kSrbIoControlSize, driveNumber);
  return b;
}

long TakeSmartAnswer(const Bytes& answer, std::uint32_t returned, TDriveInfo& info) {
  return TakeIdentifyAt(answer, 0, returned, info);
}

long TakeMiniportAnswer(const Bytes& answer, std::uint32_t returned, TDriveInfo& info) {
  if (answer.size() >= kSrbIoControlSize && LittleEndian32(answer, 20) != 0) return platform::kErrorIoDevice;
  return TakeIdentifyAt(answer, kSrbIoControlSize, returned, info);
}

void FillDriveInfo(const TIdentifyData& identify, TDriveInfo& info) {
  info.SerialNumber = identify.serialNumber;
  info.ModelNumber = identify.model;
  info.Revision = identify.revision;
  info.Capacity = static_cast<std::int64_t>(identify.CapacityBytes());
  info.Cylinders = identify.cylinders;
  info.Heads = identify.heads;
  info.SectorsPerTrack = identify.sectorsPerTrack;
  info.Word5 = identify.word5;
}

long ReadIdeSmart(int drive, TDriveInfo& info) {
  return ReadThroughSmartDevice("\\\\.\\SMARTVSD", 0, 0, platform::kCreateNew, drive, info);
}

long ReadIdePhysical(int drive, TDriveInfo& info) {
  char name[32];
  std::snprintf(name, sizeof name, "\\\\.\\PhysicalDrive%d", drive);
  return ReadThroughSmartDevice(name, platform::kGenericRead | platform::kGenericWrite,
                                platform::kFileShareRead | platform::kFileShareWrite, platform::kOpenExisting,
                                drive, info);
}

long ReadIdeScsi(int port, int drive, TDriveInfo& info) {
  info = TDriveInfo{};
  char name[32];
  std::snprintf(name, sizeof name, "\\\\.\\Scsi%d:", port);
  platform::DeviceFile device(Machine().DeviceIo(), name, platform::kGenericRead | platform::kGenericWrite,
                              platform::kFileShareRead | platform::kFileShareWrite, platform::kOpenExisting);
  if (device.Error()) return device.Error();
  Bytes buffer = MiniportIdentifyRequest(static_cast<std::uint8_t>(drive));
  std::uint32_t returned = 0;
  Bytes request = buffer;
  long error = device.Control(kIoctlScsiMiniport, request, &buffer, &returned);
  if (error) return error;
  return TakeMiniportAnswer(buffer, returned, info);
}

long ReadIdeAspi(const TASPIScanResult& scan, std::uint32_t scanStatus, int position, TDriveInfo& info) {
  info = TDriveInfo{};
  std::uint8_t status = AspiStatusByte(scanStatus);
  if (status != platform::kSsComp) return status;
  auto number = [](const std::string& text) { return std::strtol(text.c_str(), nullptr, 10); };
  for (std::size_t k = 0; k < scan.HostAdapters.size() && k < scan.Targets.size(); ++k) {
    if (number(scan.HostAdapters[k]) * 2 + number(scan.Targets[k]) != position) continue;
    info.ModelNumber = scan.Vendors[k] + scan.Products[k];
    info.Revision = scan.Revisions[k];
  }
  return 0;
}

void SplitDeviceIdentifier(const std::string& identifier, std::string* model, std::string* revision) {
  auto run = identifier.find("     ");
  if (run == std::string::npos) {
    *model = identifier;
    revision->clear();
    return;
  }
  *model = Trim(identifier.substr(0, run));
  *revision = Trim(identifier.substr(run));
}

long ReadIdeRegistry(int position, TDriveInfo& info) {
  static const char* const kKeys[] = {
      "HARDWARE\\DEVICEMAP\\Scsi\\Scsi Port 0\\Scsi Bus 0\\Target Id 0\\Logical Unit Id 0",
      "HARDWARE\\DEVICEMAP\\Scsi\\Scsi Port 0\\Scsi Bus 0\\Target Id 1\\Logical Unit Id 0",
      "HARDWARE\\DEVICEMAP\\Scsi\\Scsi Port 1\\Scsi Bus 0\\Target Id 0\\Logical Unit Id 0",
      "HARDWARE\\DEVICEMAP\\Scsi\\Scsi Port 1\\Scsi Bus 0\\Target Id 1\\Logical Unit Id 0",
  };
  info = TDriveInfo{};
  if (position < 0 || position > 3) return 0;
  auto key = platform::RegKey::Open(Reg(), platform::RegRoot::LocalMachine, kKeys[position]);
  if (!key) return 0;
  if (auto identifier = key.String("Identifier"))
    SplitDeviceIdentifier(*identifier, &info.ModelNumber, &info.Revision);
  return 0;
}

}  // namespace nsx
