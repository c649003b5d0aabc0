// The disk topic: the logical drives of the machine and the details of the
// one selected drive, read again whenever a drive is selected.
#pragma once
#include <cstdint>
#include <string>

#include "../core/NSX_Common.h"
#include "DiskInfo.h"

namespace nsx {

// "<unknown>", "<not exists>", "Removable", "Fixed", "Remote", "CDROM", "RAM".
std::string GetMediaTypeStr(TMediaType type);

class TDisk : public TTopic {
 public:
  // Rebuilds the list of drive letters; the selected drive stays.
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TDisk"; }

  const std::string& Drive() const { return drive_; }
  // Selects a drive by its first two characters and reads it, every time.
  void SetDrive(const std::string& drive);

  const std::string& AvailableDisks() const { return availableDisks_; }
  // Asks the drive now; never cached.
  bool MediaPresent() const;
  TMediaType MediaType() const { return info_.MediaType; }
  TFileFlags FileFlags() const { return info_.FileFlags; }
  const std::string& FileSystem() const { return info_.FileSystem; }
  std::uint32_t FreeClusters() const { return info_.FreeClusters; }
  std::uint32_t TotalClusters() const { return info_.TotalClusters; }
  std::int64_t FreeSpace() const { return info_.FreeSpace; }
  std::int64_t Capacity() const { return info_.Capacity; }
  const std::string& SerialNumber() const { return info_.SerialNumber; }
  std::uint32_t Serial() const { return info_.Serial; }
  const std::string& VolumeLabel() const { return info_.VolumeLabel; }
  std::uint32_t SectorsPerCluster() const { return info_.SectorsPerCluster; }
  std::uint32_t BytesPerSector() const { return info_.BytesPerSector; }
  // The selected drive's full path, or its network path when it is mapped.
  std::string UNC() const { return GetDriveUNC(drive_); }

  // Appends one "Name=0|1" line per file-system flag of the selected drive.
  void GetFileFlagsStr(TStringList& list) const;

 private:
  std::string drive_;
  std::string availableDisks_;
  TDiskInfo info_;
};

}  // namespace nsx
