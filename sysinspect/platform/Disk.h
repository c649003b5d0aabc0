// Logical drives and their volumes: the drive list, drive types, free
// space, volume information, full path names, the error mode that keeps
// critical-error boxes away, and the network connections behind drives.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nsx::platform {

// GetDriveTypeA results.
enum : std::uint32_t {
  kDriveUnknown = 0,
  kDriveNoRootDir = 1,
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdRom = 5,
  kDriveRamDisk = 6,
};

// SetErrorMode flags.
enum : std::uint32_t { kSemFailCriticalErrors = 0x0001 };

// GetDiskFreeSpaceA.
struct DiskFreeSpace {
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t bytesPerSector = 0;
  std::uint32_t freeClusters = 0;
  std::uint32_t totalClusters = 0;
};

// GetDiskFreeSpaceExA.
struct DiskFreeSpaceEx {
  std::uint64_t freeBytesToCaller = 0;
  std::uint64_t totalBytes = 0;
  std::uint64_t totalFreeBytes = 0;
};

// GetVolumeInformationA (label and name buffers of 255 bytes).
struct VolumeInformation {
  std::string label;
  std::uint32_t serial = 0;
  std::uint32_t maxComponentLength = 0;
  std::uint32_t flags = 0;
  std::string fileSystem;
};

// A connected disk resource as WNetEnumResourceA lists it; a connection
// made without a drive letter has no local name.
struct NetConnection {
  std::optional<std::string> localName;
  std::string remoteName;
};

class DiskApi {
 public:
  virtual ~DiskApi() = default;
  // GetLogicalDriveStringsA with a buffer of `bufferLength` bytes: the
  // call's return value, and in `buffer` the bytes it wrote (root names
  // "X:\" each ended by NUL, then a final NUL).
  virtual std::uint32_t LogicalDriveStrings(std::uint32_t bufferLength, std::string* buffer) = 0;
  // GetDriveTypeA of a root path ("C:\").
  virtual std::uint32_t DriveType(const std::string& root) = 0;
  // SetErrorMode: sets the mode, returns the previous one.
  virtual std::uint32_t SetErrorMode(std::uint32_t mode) = 0;
  // GetDiskFreeSpaceA; nullopt when the call fails.
  virtual std::optional<DiskFreeSpace> FreeSpace(const std::string& root) = 0;
  // kernel32 exports GetDiskFreeSpaceExA (from Windows 95 OSR2 and NT 4 on).
  virtual bool HasFreeSpaceEx() = 0;
  // GetDiskFreeSpaceExA through the looked-up entry; nullopt when the
  // entry is missing or the call fails.
  virtual std::optional<DiskFreeSpaceEx> FreeSpaceEx(const std::string& root) = 0;
  // GetVolumeInformationA; nullopt when the call fails.
  virtual std::optional<VolumeInformation> Volume(const std::string& root) = 0;
  // GetFullPathNameA; nullopt when the call fails.
  virtual std::optional<std::string> FullPathName(const std::string& path) = 0;
  // WNetGetUniversalNameA at UNIVERSAL_NAME_INFO_LEVEL (1024-byte buffer),
  // bound at run time; nullopt when it fails (a local drive among others).
  virtual std::optional<std::string> UniversalName(const std::string& localPath) = 0;
  // WNetOpenEnumA(RESOURCE_CONNECTED, RESOURCETYPE_DISK) and
  // WNetEnumResourceA until no more items: the connected disk resources.
  virtual std::vector<NetConnection> ConnectedDisks() = 0;
};

// Critical-error boxes suppressed for a scope (an empty floppy or CD drive
// would otherwise ask the user to insert a disk); the previous mode comes
// back however the scope is left.
class CriticalErrorsSuppressed {
 public:
  explicit CriticalErrorsSuppressed(DiskApi& api) : api_(api), previous_(api.SetErrorMode(kSemFailCriticalErrors)) {}
  CriticalErrorsSuppressed(const CriticalErrorsSuppressed&) = delete;
  CriticalErrorsSuppressed& operator=(const CriticalErrorsSuppressed&) = delete;
  ~CriticalErrorsSuppressed() { api_.SetErrorMode(previous_); }

 private:
  DiskApi& api_;
  std::uint32_t previous_;
};

}  // namespace nsx::platform
