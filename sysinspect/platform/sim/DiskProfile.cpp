#include "DiskProfile.h"

#include <strings.h>

#include <cctype>

#include "../../core/Norvik_Routines.h"
#include "CodePage.h"
#include "ProfileError.h"
#include "ProfileFile.h"

namespace nsx::sim {
namespace {

struct TypeName {
  const char* name;
  std::uint32_t type;
};
const TypeName kTypeNames[] = {
    // name       GetDriveTypeA
    {"unknown", platform::kDriveUnknown},     {"none", platform::kDriveNoRootDir},
    {"removable", platform::kDriveRemovable}, {"fixed", platform::kDriveFixed},
    {"remote", platform::kDriveRemote},       {"cdrom", platform::kDriveCdRom},
    {"ramdisk", platform::kDriveRamDisk},
};

class DiskLoader {
 public:
  DiskLoader(const IniFile& ini, const std::string& dir, SimMachine& machine) : ini_(ini), dir_(dir), m_(machine) {}

  void Run() {
    m_.disks.hasFreeSpaceEx = !IsRetailWindows95();
    for (const auto& section : ini_.sections) {
      if (strcasecmp(section.name.c_str(), "disks") == 0) Disks(section);
      if (strcasecmp(section.name.c_str(), "connections") == 0) Connections(section);
      if (strcasecmp(section.name.c_str(), "ide") == 0) Ide(section);
      if (strncasecmp(section.name.c_str(), "drive ", 6) == 0) Drive(section);
    }
    for (int position = 0; position < 4; ++position) Identify(position);
  }

 private:
  // Windows 95 before OSR2 has no extended free-space query.
  bool IsRetailWindows95() const {
    const auto& v = m_.version;
    if (v.platformId != platform::kPlatformWin9x || v.majorVersion != 4 || v.minorVersion != 0) return false;
    std::string csd = Trim(v.csdVersion);
    return csd != "B" && csd != "C";
  }

  std::uint64_t Unsigned(const IniEntry& e, std::uint64_t max) const { return IniUnsigned(e, ini_.fileName, max); }
  std::uint32_t U32(const IniEntry& e) const { return static_cast<std::uint32_t>(Unsigned(e, 0xFFFFFFFFu)); }
  bool Flag(const IniEntry& e) const { return Unsigned(e, 1) != 0; }
  std::string Ansi(const IniEntry& e) const { return Utf8ToAnsi(e.value, m_.ansiCodePage); }

  void Disks(const IniSection& s) {
    if (auto* e = s.Find("ExtendedFreeSpace")) m_.disks.hasFreeSpaceEx = Flag(*e);
  }

  void Connections(const IniSection& s) {
    for (const auto& e : s.entries) {
      if (strcasecmp(e.key.c_str(), "Unnamed") != 0)
        throw ProfileError(ini_.fileName, e.line, "a connection is \"Unnamed=\\\\server\\share\"");
      m_.disks.unnamedConnections.push_back(Ansi(e));
    }
  }

  void Ide(const IniSection& s) {
    if (auto* e = s.Find("SmartVxd")) m_.ide.smartVxd = Flag(*e);
    if (auto* e = s.Find("SmartDriver")) m_.ide.smartDriver = Flag(*e);
    if (auto* e = s.Find("ScsiMiniport")) m_.ide.scsiMiniport = Flag(*e);
  }

  std::uint32_t DriveType(const IniEntry& e) const {
    for (const auto& row : kTypeNames)
      if (strcasecmp(row.name, e.value.c_str()) == 0) return row.type;
    return U32(e);
  }

  void Drive(const IniSection& s) {
    std::string letter = Trim(s.name.substr(6));
    if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0])))
      throw ProfileError(ini_.fileName, s.entries.empty() ? 0 : s.entries[0].line,
                         "a drive section is [drive X] with one letter, not [" + s.name + "]");
    SimDrive& d = m_.disks.drives[static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])))];
    if (auto* e = s.Find("Type")) d.type = DriveType(*e);
    if (auto* e = s.Find("Media")) d.mediaPresent = Flag(*e);
    if (auto* e = s.Find("SectorsPerCluster")) d.freeSpace.sectorsPerCluster = U32(*e);
    if (auto* e = s.Find("BytesPerSector")) d.freeSpace.bytesPerSector = U32(*e);
    if (auto* e = s.Find("FreeClusters")) d.freeSpace.freeClusters = U32(*e);
    if (auto* e = s.Find("TotalClusters")) d.freeSpace.totalClusters = U32(*e);
    const IniEntry* capacity = s.Find("Capacity");
    const IniEntry* free = s.Find("FreeSpace");
    if (capacity || free) {
      std::uint64_t cluster = std::uint64_t{d.freeSpace.sectorsPerCluster} * d.freeSpace.bytesPerSector;
      platform::DiskFreeSpaceEx ex{cluster * d.freeSpace.freeClusters, cluster * d.freeSpace.totalClusters, 0};
      if (capacity) ex.totalBytes = Unsigned(*capacity, ~0ull >> 1);
      if (free) ex.freeBytesToCaller = Unsigned(*free, ~0ull >> 1);
      ex.totalFreeBytes = ex.freeBytesToCaller;
      d.freeSpaceEx = ex;
    }
    auto& volume = *d.volume;
    if (auto* e = s.Find("Label")) volume.label = Ansi(*e);
    if (auto* e = s.Find("Serial")) volume.serial = U32({e->key, "0x" + e->value, e->line});
    if (auto* e = s.Find("FileSystem")) volume.fileSystem = Ansi(*e);
    if (auto* e = s.Find("Flags")) volume.flags = U32(*e);
    if (auto* e = s.Find("MaxComponentLength")) volume.maxComponentLength = U32(*e);
    if (auto* e = s.Find("Volume"); e && !Flag(*e)) d.volume.reset();
    if (auto* e = s.Find("CurrentDir")) d.currentDirectory = Ansi(*e);
    if (auto* e = s.Find("Remote")) d.remoteName = Ansi(*e);
  }

  void Identify(int position) {
    std::string path = dir_ + "/ide/" + std::to_string(position) + ".bin";
    platform::Bytes bytes;
    if (!ReadProfileFile(path, &bytes)) return;
    if (bytes.size() != 512) throw ProfileError(path, 0, "an identify sector is 512 bytes, not " +
                                                             std::to_string(bytes.size()));
    m_.ide.identify[static_cast<size_t>(position)] = std::move(bytes);
  }

  const IniFile& ini_;
  std::string dir_;
  SimMachine& m_;
};

}  // namespace

void LoadDiskProfile(const IniFile& ini, const std::string& dir, SimMachine& machine) {
  DiskLoader(ini, dir, machine).Run();
}

}  // namespace nsx::sim
