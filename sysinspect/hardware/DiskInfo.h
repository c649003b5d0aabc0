// Reading one logical drive: its type, cluster figures, capacity and free
// space, volume label, serial number, file system and its flags; the media
// test; and the drive's universal (network) name.
#pragma once
#include <cstdint>
#include <string>

namespace nsx {

// Ordinals equal GetDriveTypeA's results.
enum TMediaType { dtUnknown, dtNotExists, dtRemovable, dtFixed, dtRemote, dtCDROM, dtRAMDisk };

enum TFileFlag {
  fsCaseIsPreserved,
  fsCaseSensitive,
  fsUnicodeStoredOnDisk,
  fsPersistentAcls,
  fsFileCompression,
  fsVolumeIsCompressed,
  fsLongFileNames,
  fsEncryptedFileSystemSupport,
  fsObjectIDsSupport,
  fsReparsePointsSupport,
  fsSparseFilesSupport,
  fsDiskQuotasSupport,
  kFileFlagCount
};
// A set of TFileFlag: bit n is flag n.
using TFileFlags = std::uint16_t;
inline bool HasFileFlag(TFileFlags flags, TFileFlag flag) { return (flags >> flag) & 1; }

// The set for a volume's file-system flags; fsLongFileNames when the
// maximum component length is exactly 255.
TFileFlags FileFlagsOf(std::uint32_t systemFlags, std::uint32_t maxComponentLength);

// "1A2B-3C4D": eight upper-case hexadecimal digits, high word first.
std::string FormatVolumeSerial(std::uint32_t serial);

// The drive letters, upper case, of GetLogicalDriveStringsA's buffer:
// walked from the start until a double NUL or `returned` + 1 characters.
std::string DriveLetters(const std::string& buffer, std::uint32_t returned);

// The drive's letter and colon (at most the first two characters) and its
// root path ("C:\").
std::string DriveSign(const std::string& drive);
std::string DriveRoot(const std::string& drive);

struct TDiskInfo {
  std::string Drive;
  TMediaType MediaType = dtUnknown;
  TFileFlags FileFlags = 0;
  std::uint32_t SectorsPerCluster = 0, BytesPerSector = 0, FreeClusters = 0, TotalClusters = 0;
  std::uint32_t Serial = 0;
  std::int64_t Capacity = 0, FreeSpace = 0;
  std::string VolumeLabel, SerialNumber, FileSystem;
};

// Whether the drive answers a free-space query now (critical-error boxes
// suppressed meanwhile).
bool GetMediaPresent(const std::string& drive);

// Reads the drive; every figure starts at zero and is taken only from a
// query that succeeded. Critical-error boxes stay away for the whole read.
// `previousType` is kept when the drive type is out of range.
TDiskInfo GetDiskInfo(const std::string& drive, TMediaType previousType = dtUnknown);

// The drive's root expanded to a full path and, when it is a connected
// network drive, replaced by its universal name (\\server\share\).
std::string GetDriveUNC(const std::string& drive);

}  // namespace nsx
