#include "SimDiskApi.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "../LittleEndian.h"

namespace nsx::sim {
namespace {

using platform::Bytes;
using platform::LittleEndian32;
using platform::PutLittleEndian32;

// Handles: the SMART VxD, a physical drive (base + N), a SCSI port (base + N).
constexpr platform::DeviceHandle kSmartVxdHandle = 1;
constexpr platform::DeviceHandle kPhysicalDriveBase = 0x10;
constexpr platform::DeviceHandle kScsiPortBase = 0x20;
constexpr std::uint32_t kDfpReceiveDriveData = 0x0007C088u;
constexpr std::uint32_t kIoctlScsiMiniport = 0x0004D008u;
constexpr std::uint32_t kMiniportIdentify = 0x001B0501u;
constexpr std::size_t kSrbHeader = 28, kCmdIn = 32, kCmdOutHeader = 16, kSector = 512;

std::string Upper(std::string text) {
  for (auto& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The letter of a path that begins "X:", else 0.
char DriveLetterOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0]))) return 0;
  return static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
}

struct TMessage {
  std::uint32_t code;
  const char* text;
};
const TMessage kMessages[] = {
    // code  FormatMessage text (English)
    {0, "The operation completed successfully."},
    {1, "Incorrect function."},
    {2, "The system cannot find the file specified."},
    {5, "Access is denied."},
    {6, "The handle is invalid."},
    {13, "The data is invalid."},
    {21, "The device is not ready."},
    {31, "A device attached to the system is not functioning."},
    {50, "The request is not supported."},
    {87, "The parameter is incorrect."},
    {122, "The data area passed to a system call is too small."},
    {1117, "The request could not be performed because of an I/O device error."},
};

}  // namespace

std::uint32_t SimDiskApi::LogicalDriveStrings(std::uint32_t bufferLength, std::string* buffer) {
  std::string all;
  for (const auto& [letter, drive] : data_.drives) all += std::string(1, letter) + ":\\" + '\0';
  auto length = static_cast<std::uint32_t>(all.size());
  if (length + 1 > bufferLength) {
    buffer->clear();
    return length + 1;  // the size needed, nothing written
  }
  *buffer = all + '\0';
  return length;
}

std::uint32_t SimDiskApi::DriveType(const std::string& root) {
  Asked(root);
  char letter = DriveLetterOf(root);
  auto forced = data_.driveTypeOverride.find(letter);
  if (forced != data_.driveTypeOverride.end()) return forced->second;
  auto it = data_.drives.find(letter);
  if (root.size() != 3 || root[2] != '\\' || it == data_.drives.end()) return platform::kDriveNoRootDir;
  return it->second.type;
}

std::uint32_t SimDiskApi::SetErrorMode(std::uint32_t mode) {
  std::uint32_t previous = data_.errorMode;
  data_.errorMode = mode;
  return previous;
}

void SimDiskApi::Asked(const std::string& root) {
  if (!(data_.errorMode & platform::kSemFailCriticalErrors)) data_.unsuppressedQueries.push_back(root);
}

const SimDrive* SimDiskApi::Ready(const std::string& root) {
  Asked(root);
  auto it = data_.drives.find(DriveLetterOf(root));
  if (it == data_.drives.end() || !it->second.mediaPresent) return nullptr;
  return &it->second;
}

std::optional<platform::DiskFreeSpace> SimDiskApi::FreeSpace(const std::string& root) {
  const SimDrive* drive = Ready(root);
  if (!drive) return std::nullopt;
  return drive->freeSpace;
}

std::optional<platform::DiskFreeSpaceEx> SimDiskApi::FreeSpaceEx(const std::string& root) {
  if (!data_.hasFreeSpaceEx) return std::nullopt;
  const SimDrive* drive = Ready(root);
  if (!drive) return std::nullopt;
  if (drive->freeSpaceEx) return drive->freeSpaceEx;
  const auto& f = drive->freeSpace;
  std::uint64_t cluster = std::uint64_t{f.sectorsPerCluster} * f.bytesPerSector;
  return platform::DiskFreeSpaceEx{cluster * f.freeClusters, cluster * f.totalClusters, cluster * f.freeClusters};
}

std::optional<platform::VolumeInformation> SimDiskApi::Volume(const std::string& root) {
  const SimDrive* drive = Ready(root);
  if (!drive) return std::nullopt;
  return drive->volume;
}

std::optional<std::string> SimDiskApi::FullPathName(const std::string& path) {
  char letter = DriveLetterOf(path);
  if (letter && path.size() == 2) {
    auto it = data_.drives.find(letter);
    if (it != data_.drives.end() && !it->second.currentDirectory.empty()) return it->second.currentDirectory;
    return std::string(1, letter) + ":\\";
  }
  if (path.empty()) return std::nullopt;
  return path;
}

std::optional<std::string> SimDiskApi::UniversalName(const std::string& localPath) {
  // The 9x family answers ERROR_NOT_SUPPORTED.
  if (machine_.version.platformId != platform::kPlatformNT) return std::nullopt;
  auto it = data_.drives.find(DriveLetterOf(localPath));
  if (it == data_.drives.end() || it->second.remoteName.empty()) return std::nullopt;  // ERROR_NOT_CONNECTED
  return it->second.remoteName + localPath.substr(2);
}

std::vector<platform::NetConnection> SimDiskApi::ConnectedDisks() {
  std::vector<platform::NetConnection> connections;
  for (const auto& remote : data_.unnamedConnections) connections.push_back({std::nullopt, remote});
  for (const auto& [letter, drive] : data_.drives)
    if (!drive.remoteName.empty()) connections.push_back({std::string(1, letter) + ":", drive.remoteName});
  return connections;
}

bool SimDeviceIoApi::IsNT() const { return machine_.version.platformId == platform::kPlatformNT; }

long SimDeviceIoApi::Open(const std::string& name, std::uint32_t access, std::uint32_t share, std::uint32_t creation,
                          platform::DeviceHandle* handle) {
  data_.requests.push_back("open " + name);
  std::string device = Upper(name);
  const long notFound = platform::kErrorFileNotFound;
  if (device == "\\\\.\\SMARTVSD") {
    if (!data_.smartVxd.value_or(!IsNT())) return notFound;
    *handle = kSmartVxdHandle;
  } else if (device.rfind("\\\\.\\PHYSICALDRIVE", 0) == 0 && device.size() == 18 && device[17] >= '0' &&
             device[17] <= '3') {
    int n = device[17] - '0';
    if (!IsNT() || !data_.smartDriver.value_or(false) || !data_.identify[n]) return notFound;
    if ((access & (platform::kGenericRead | platform::kGenericWrite)) !=
        (platform::kGenericRead | platform::kGenericWrite))
      return platform::kErrorAccessDenied;
    *handle = kPhysicalDriveBase + n;
  } else if (device == "\\\\.\\SCSI0:" || device == "\\\\.\\SCSI1:") {
    if (!IsNT() || !data_.scsiMiniport.value_or(true)) return notFound;
    *handle = kScsiPortBase + (device[8] - '0');
  } else {
    return notFound;
  }
  ++data_.openHandles;
  return 0;
}

void SimDeviceIoApi::Close(platform::DeviceHandle handle) {
  data_.requests.push_back("close");
  --data_.openHandles;
}

// Answers a SENDCMDINPARAMS block at `at` of the input with a
// SENDCMDOUTPARAMS at the same place of the output, as the drive at
// `position` (or no drive) would.
long SimDeviceIoApi::SmartIdentify(int position, const Bytes& input, std::size_t at, Bytes* output,
                                   std::uint32_t* bytesReturned) {
  if (input.size() < at + kCmdIn || input[at + 10] != 0xEC || LittleEndian32(input, at) < kSector)
    return platform::kErrorInvalidParameter;
  if (output->size() < at + kCmdOutHeader) return platform::kErrorInsufficientBuffer;
  const auto& sector = position >= 0 && position < 4 ? data_.identify[position] : std::nullopt;
  if (!sector || output->size() < at + kCmdOutHeader + kSector) {
    (*output)[at + 4] = 1;     // DRIVERSTATUS.bDriverError = SMART_IDE_ERROR
    (*output)[at + 5] = 0x04;  // bIDEError: command aborted
    *bytesReturned = static_cast<std::uint32_t>(at + kCmdOutHeader);
    return 0;
  }
  PutLittleEndian32(*output, at, static_cast<std::uint32_t>(kSector));
  std::memset(output->data() + at + 4, 0, kCmdOutHeader - 4);
  std::memset(output->data() + at + kCmdOutHeader, 0, kSector);
  std::memcpy(output->data() + at + kCmdOutHeader, sector->data(), std::min(sector->size(), kSector));
  *bytesReturned = static_cast<std::uint32_t>(at + kCmdOutHeader + kSector);
  return 0;
}

long SimDeviceIoApi::Control(platform::DeviceHandle handle, std::uint32_t code, const Bytes& input, Bytes* output,
                             std::uint32_t* bytesReturned) {
  *bytesReturned = 0;
  char line[96];
  std::size_t at = handle >= kScsiPortBase ? kSrbHeader : 0;
  std::snprintf(line, sizeof line, "control 0x%08X drive %d head 0x%02X", code,
                input.size() > at + 12 ? input[at + 12] : -1, input.size() > at + 9 ? input[at + 9] : 0);
  data_.requests.push_back(line);
  if (handle == kSmartVxdHandle) {
    if (code != kDfpReceiveDriveData) return platform::kErrorInvalidFunction;
    if (input.size() < kCmdIn || input[12] > 3) return platform::kErrorInvalidParameter;
    // The VxD passes the registers on: the channel from the drive number,
    // master or slave from the drive/head register.
    int position = (input[12] >> 1) * 2 + ((input[9] >> 4) & 1);
    return SmartIdentify(position, input, 0, output, bytesReturned);
  }
  if (handle >= kPhysicalDriveBase && handle < kPhysicalDriveBase + 4) {
    if (code != kDfpReceiveDriveData) return platform::kErrorInvalidFunction;
    return SmartIdentify(static_cast<int>(handle - kPhysicalDriveBase), input, 0, output, bytesReturned);
  }
  if (handle >= kScsiPortBase && handle < kScsiPortBase + 2) {
    if (code != kIoctlScsiMiniport) return platform::kErrorInvalidFunction;
    if (input.size() < kSrbHeader + kCmdIn || LittleEndian32(input, 0) != kSrbHeader ||
        std::memcmp(&input[4], "SCSIDISK", 8) != 0 || LittleEndian32(input, 16) != kMiniportIdentify ||
        input[kSrbHeader + 12] > 1)
      return platform::kErrorInvalidParameter;
    if (output->size() < kSrbHeader) return platform::kErrorInsufficientBuffer;
    std::memcpy(output->data(), input.data(), kSrbHeader);
    int position = static_cast<int>(handle - kScsiPortBase) * 2 + input[kSrbHeader + 12];
    return SmartIdentify(position, input, kSrbHeader, output, bytesReturned);
  }
  return platform::kErrorInvalidHandle;
}

std::string SimDeviceIoApi::SystemMessage(std::uint32_t code) {
  for (const auto& row : kMessages)
    if (row.code == code) return row.text;
  return "";
}

}  // namespace nsx::sim
