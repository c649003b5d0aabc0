#include "DiskInfo.h"

#include <cctype>
#include <cstdio>
#include <exception>

#include "../core/Norvik_Routines.h"
#include "../core/Runtime.h"

namespace nsx {
namespace {

struct TFlagRow {
  std::uint32_t systemFlag;
  TFileFlag flag;
};
const TFlagRow kFlagRows[] = {
    // file-system flag          set member
    {0x00000002u /* FILE_CASE_PRESERVED_NAMES */, fsCaseIsPreserved},
    {0x00000001u /* FILE_CASE_SENSITIVE_SEARCH */, fsCaseSensitive},
    {0x00000004u /* FILE_UNICODE_ON_DISK */, fsUnicodeStoredOnDisk},
    {0x00000008u /* FILE_PERSISTENT_ACLS */, fsPersistentAcls},
    {0x00000010u /* FILE_FILE_COMPRESSION */, fsFileCompression},
    {0x00008000u /* FILE_VOLUME_IS_COMPRESSED */, fsVolumeIsCompressed},
    {0x00020000u /* FILE_SUPPORTS_ENCRYPTION */, fsEncryptedFileSystemSupport},
    {0x00010000u /* FILE_SUPPORTS_OBJECT_IDS */, fsObjectIDsSupport},
    {0x00000080u /* FILE_SUPPORTS_REPARSE_POINTS */, fsReparsePointsSupport},
    {0x00000040u /* FILE_SUPPORTS_SPARSE_FILES */, fsSparseFilesSupport},
    {0x00000020u /* FILE_VOLUME_QUOTAS */, fsDiskQuotasSupport},
};

char UpperLetter(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool StartsWithDrive(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// The 9x family has no universal-name query: the connection whose local
// name is the same drive gives the remote name. Connections made without a
// drive letter have no local name and cannot match.
std::optional<std::string> ConnectionOfDrive(char letter) {
  for (const auto& connection : Machine().Disk().ConnectedDisks()) {
    if (!connection.localName || connection.localName->empty()) continue;
    if (UpperLetter((*connection.localName)[0]) == UpperLetter(letter)) return connection.remoteName;
  }
  return std::nullopt;
}

}  // namespace

TFileFlags FileFlagsOf(std::uint32_t systemFlags, std::uint32_t maxComponentLength) {
  TFileFlags flags = 0;
  for (const auto& row : kFlagRows)
    if (systemFlags & row.systemFlag) flags |= static_cast<TFileFlags>(1u << row.flag);
  if (maxComponentLength == 255) flags |= static_cast<TFileFlags>(1u << fsLongFileNames);
  return flags;
}

std::string FormatVolumeSerial(std::uint32_t serial) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X-%04X", static_cast<unsigned>(serial >> 16),
                static_cast<unsigned>(serial & 0xFFFF));
  return text;
}

std::string DriveLetters(const std::string& buffer, std::uint32_t returned) {
  std::string letters;
  std::size_t limit = std::min<std::size_t>(buffer.size(), std::size_t{returned} + 1);
  for (std::size_t i = 0; i < limit; ++i) {
    if (buffer[i] == '\0' && i + 1 < buffer.size() && buffer[i + 1] == '\0') break;
    unsigned char c = static_cast<unsigned char>(buffer[i]);
    if (c < 0x80 && std::isalpha(c)) letters += UpperLetter(buffer[i]);
  }
  return letters;
}

std::string DriveSign(const std::string& drive) { return drive.substr(0, 2); }
std::string DriveRoot(const std::string& drive) { return DriveSign(drive) + "\\"; }

bool GetMediaPresent(const std::string& drive) {
  if (!StartsWithDrive(drive)) return false;
  auto& disk = Machine().Disk();
  try {
    platform::CriticalErrorsSuppressed quiet(disk);
    return disk.FreeSpace(DriveRoot(drive)).has_value();
  } catch (const std::exception&) {
    return false;
  }
}

TDiskInfo GetDiskInfo(const std::string& drive, TMediaType previousType) {
  auto& disk = Machine().Disk();
  TDiskInfo info;
  info.Drive = DriveSign(drive);
  // Without a letter the root would be "\", the current drive's: no drive is read.
  if (!StartsWithDrive(drive)) {
    info.MediaType = dtNotExists;
    return info;
  }
  std::string root = DriveRoot(drive);
  platform::CriticalErrorsSuppressed quiet(disk);
  std::uint32_t type = disk.DriveType(root);
  info.MediaType = type <= dtRAMDisk ? static_cast<TMediaType>(type) : previousType;
  if (!GetMediaPresent(drive)) return info;  // no media: zeros and empty texts

  if (auto space = disk.FreeSpace(root)) {
    info.SectorsPerCluster = space->sectorsPerCluster;
    info.BytesPerSector = space->bytesPerSector;
    info.FreeClusters = space->freeClusters;
    info.TotalClusters = space->totalClusters;
  }
  std::optional<platform::DiskFreeSpaceEx> extended;
  try {
    extended = disk.FreeSpaceEx(root);
  } catch (const std::exception&) {
    extended.reset();
  }
  if (extended) {
    info.FreeSpace = static_cast<std::int64_t>(extended->freeBytesToCaller);
    info.Capacity = static_cast<std::int64_t>(extended->totalBytes);
  } else {
    // Without the extended query (retail Windows 95) the cluster figures give the sizes.
    std::uint64_t cluster = std::uint64_t{info.SectorsPerCluster} * info.BytesPerSector;
    info.Capacity = static_cast<std::int64_t>(cluster * info.TotalClusters);
    info.FreeSpace = static_cast<std::int64_t>(cluster * info.FreeClusters);
  }

  if (auto volume = disk.Volume(root)) {
    info.VolumeLabel = volume->label;
    info.FileSystem = volume->fileSystem;
    info.Serial = volume->serial;
    info.SerialNumber = FormatVolumeSerial(volume->serial);
    info.FileFlags = FileFlagsOf(volume->flags, volume->maxComponentLength);
  }
  return info;
}

std::string GetDriveUNC(const std::string& drive) {
  if (!StartsWithDrive(drive)) return "";
  auto& disk = Machine().Disk();
  // From the root: the drive alone would expand to its current directory,
  // a path of the machine that says nothing about the drive.
  std::string root = DriveRoot(drive);
  std::string path = disk.FullPathName(root).value_or(root);
  if (!StartsWithDrive(path)) return path;
  if (OSInfo().OSPlatformId == platform::kPlatformWin9x) {
    if (auto remote = ConnectionOfDrive(path[0])) return *remote + path.substr(2);
    return path;
  }
  return disk.UniversalName(path).value_or(path);
}

}  // namespace nsx
