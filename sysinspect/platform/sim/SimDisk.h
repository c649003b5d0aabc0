// The simulated machine's logical drives, network connections and IDE
// drives: the data behind DiskApi and DeviceIoApi, and what was asked.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "../Disk.h"
#include "../WinTypes.h"

namespace nsx::sim {

struct SimDrive {
  std::uint32_t type = platform::kDriveFixed;
  // false: a drive without media (an empty floppy or CD drive, a broken
  // link): every query on its root fails with ERROR_NOT_READY.
  bool mediaPresent = true;
  platform::DiskFreeSpace freeSpace{8, 512, 0, 0};
  // The extended query's answer; nullopt: the products of the cluster figures.
  std::optional<platform::DiskFreeSpaceEx> freeSpaceEx;
  // nullopt: the volume query fails.
  std::optional<platform::VolumeInformation> volume = platform::VolumeInformation{"", 0, 255, 0x6, "FAT32"};
  std::string currentDirectory;  // GetFullPathNameA of "X:"; "X:\" when empty
  std::string remoteName;        // a network drive's connection (\\server\share)
};

struct SimDisks {
  std::map<char, SimDrive> drives;  // upper-case letter -> drive, listed in letter order
  // kernel32 exports GetDiskFreeSpaceExA (not on retail Windows 95).
  bool hasFreeSpaceEx = true;
  // Connections made without a drive letter (WNetEnumResourceA lists them
  // with no local name).
  std::vector<std::string> unnamedConnections;
  std::uint32_t errorMode = 0;
  // Roots queried while the error mode lacked SEM_FAILCRITICALERRORS: a
  // drive whose media is missing (or was just taken out) would show a
  // critical-error box there.
  std::vector<std::string> unsuppressedQueries;
  // GetDriveTypeA answers every query on these roots with this value
  // (a driver answering outside the documented range).
  std::map<char, std::uint32_t> driveTypeOverride;
};

// The devices that answer IDENTIFY on this machine. By default the 9x
// family has the SMART VxD and the NT family the SCSI miniport ports; the
// SMART driver of the NT physical drives answers only when switched on
// (it needs an administrator).
struct SimIde {
  // The identify data of positions 0-3 (primary master, primary slave,
  // secondary master, secondary slave); nullopt: no device there.
  std::array<std::optional<platform::Bytes>, 4> identify;
  std::optional<bool> smartVxd, smartDriver, scsiMiniport;  // nullopt: the family's default
  // Every open and control asked: "open \\.\SMARTVSD", "control 0x7C088 drive 1 head 0xB0".
  std::vector<std::string> requests;
  int openHandles = 0;  // opened and not yet closed
};

}  // namespace nsx::sim
