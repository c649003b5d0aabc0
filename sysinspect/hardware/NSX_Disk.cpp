#include "NSX_Disk.h"

#include "../core/Runtime.h"

namespace nsx {
namespace {

const char* const kMediaTypeNames[] = {"<unknown>", "<not exists>", "Removable", "Fixed", "Remote", "CDROM", "RAM"};

struct TFlagText {
  TFileFlag flag;
  const char* listName;    // GetFileFlagsStr
  const char* reportName;  // the report's Flags section
};
const TFlagText kFlagTexts[] = {
    // flag                        list name                        report name
    {fsCaseIsPreserved,            "Case Is Preserved",             "CaseIsPreserved"},
    {fsCaseSensitive,              "Case Sensitive",                "CaseSensitive"},
    {fsUnicodeStoredOnDisk,        "Unicode stored On Disk",        "UnicodeStoredOnDisk"},
    {fsPersistentAcls,             "Persistent Acls",               "PersistentACLs"},
    {fsFileCompression,            "File Compression",              "FileCompression"},
    {fsVolumeIsCompressed,         "Volume Is Compressed",          "VolumeIsCompressed"},
    {fsLongFileNames,              "Long Filenames",                "LongFilenames"},
    {fsEncryptedFileSystemSupport, "Encrypted File System Support", "EncryptedFileSystemSupport"},
    {fsObjectIDsSupport,           "Object IDs Support",            "ObjectODsSupport"},
    {fsReparsePointsSupport,       "Reparse Points Support",        "ReparsePointsSupport"},
    {fsSparseFilesSupport,         "Sparse Files Support",          "SparseFilesSupport"},
    {fsDiskQuotasSupport,          "Disk Quotas Support",           "DiskQuotasSupport"},
};

// Counts and sizes as the unsigned or 64-bit numbers they are.
void WriteCount(TReportList& list, const std::string& name, std::uint64_t value, const std::string& unit = "") {
  WriteData(list, name, "integer", std::to_string(value), "", unit);
}

}  // namespace

std::string GetMediaTypeStr(TMediaType type) {
  return type >= dtUnknown && type <= dtRAMDisk ? kMediaTypeNames[type] : "";
}

void TDisk::GetInfo() {
  std::string buffer;
  std::uint32_t returned = Machine().Disk().LogicalDriveStrings(255, &buffer);
  availableDisks_ = DriveLetters(buffer, returned);
}

void TDisk::SetDrive(const std::string& drive) {
  drive_ = DriveSign(drive);
  info_ = GetDiskInfo(drive_, info_.MediaType);
}

bool TDisk::MediaPresent() const { return GetMediaPresent(drive_); }

void TDisk::GetFileFlagsStr(TStringList& list) const {
  for (const auto& row : kFlagTexts)
    list.push_back(std::string(row.listName) + "=" + (HasFileFlag(info_.FileFlags, row.flag) ? "1" : "0"));
}

void TDisk::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "Disk", ClassName());
  WriteString(list, "AvailableLogicalDisks", availableDisks_);
  for (char letter : availableDisks_) {
    SetDrive(std::string(1, letter) + ":");
    WriteSectionStart(list, std::string("Disk_") + letter);
    WriteString(list, "VolumeLabel", VolumeLabel());
    WriteString(list, "FileSystem", FileSystem());
    WriteString(list, "Type", GetMediaTypeStr(MediaType()));
    WriteString(list, "UNC", UNC());
    WriteString(list, "SerialNumber", SerialNumber());
    WriteCount(list, "Capacity", static_cast<std::uint64_t>(Capacity()), "B");
    WriteCount(list, "FreeSpace", static_cast<std::uint64_t>(FreeSpace()), "B");
    WriteCount(list, "BytesPerSector", BytesPerSector());
    WriteCount(list, "SectorsPerCluster", SectorsPerCluster());
    WriteCount(list, "FreeClusters", FreeClusters());
    WriteCount(list, "TotalClusters", TotalClusters());
    WriteSectionStart(list, "Flags");
    for (const auto& row : kFlagTexts) WriteBoolean(list, row.reportName, HasFileFlag(info_.FileFlags, row.flag));
    WriteSectionEnd(list);
    WriteSectionEnd(list);
  }
  WriteElementEnd(list, "Disk");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
