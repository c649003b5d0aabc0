#include "../core/NSX_GUI.h"
#include "../hardware/NSX_Disk.h"
#include "../hardware/NSX_IDE.h"
#include "InventorySections.h"

namespace nsx::inventory {
namespace {

// The IDE topic's positions, in its order.
const char* const kIdePositionNames[] = {
    // position 0 to 3
    "IDE primary master", "IDE primary slave", "IDE secondary master", "IDE secondary slave",
};

}  // namespace

void WriteStorages(TNSystemInfo& info, TInventoryXml& xml) {
  for (int position = 0; position < 4; ++position) {
    const TDeviceInfo& drive = info.IDE().Position(position);
    if (Trim(drive.ModelNumber).empty()) continue;  // no device identified there
    TEntry entry = xml.Entry(kStorages);
    entry.Text("NAME", kIdePositionNames[position]);
    entry.Text("MODEL", drive.ModelNumber);
    entry.Text("TYPE", drive.AccessMethod == amASPI ? "SCSI" : "IDE");  // the topic falls back on the ASPI scan
    entry.Integer("DISKSIZE", Megabytes(drive.Capacity));
    entry.Text("SERIALNUMBER", drive.SerialNumber);
    entry.Text("FIRMWARE", drive.RevisionNumber);
  }
}

void WriteDrives(const std::vector<TDriveFacts>& drives, TInventoryXml& xml) {
  for (const auto& drive : drives) {
    const TDiskInfo& disk = drive.Disk;
    TEntry entry = xml.Entry(kDrives);
    entry.Text("LETTER", disk.Drive);
    entry.Text("TYPE", GetMediaTypeStr(disk.MediaType));
    entry.Text("FILESYSTEM", disk.FileSystem);
    entry.Integer("TOTAL", Megabytes(disk.Capacity));
    entry.Integer("FREE", Megabytes(disk.FreeSpace));
    entry.Text("VOLUMN", drive.RemotePath.empty() ? disk.VolumeLabel : drive.RemotePath);
  }
}

}  // namespace nsx::inventory
