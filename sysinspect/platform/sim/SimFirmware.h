// The simulated machine's BIOS area, firmware tables, files and child
// processes: the data behind FirmwareApi and ProcessApi, and a record of
// what they were asked.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "../Firmware.h"
#include "../Process.h"
#include "SimRegistry.h"

namespace nsx::sim {

constexpr std::uint32_t kLowMemorySize = 0x100000;

struct SimFirmware {
  // The first megabyte of physical memory; bytes beyond its size read as 0.
  platform::Bytes lowMemory;
  // The 9x family's plain view of it can be read (false: every touch
  // faults, as in Wine's win98 mode).
  bool linearMemoryReadable = true;
  // ZwOpenSection's answer for "\Device\PhysicalMemory" (administrators
  // get 0) and whether MapViewOfFile then returns a view.
  std::uint32_t sectionStatus = platform::kStatusSuccess;
  bool sectionMaps = true;
  // GetSystemFirmwareTable('RSMB'); nullopt: kernel32 has no such entry.
  std::optional<platform::Bytes> smbiosFirmwareTable;
  // What was asked, in order: "copy 0xF0000+65535", "open section",
  // "view 0xF0000+65535", "close section", "firmware RSMB".
  std::vector<std::string> events;
};

// How the command interpreter's child behaves.
enum class SimChild {
  Runs,          // cmd.exe runs the program with its output redirected
  Hangs,         // it never ends (the redirect file exists, empty)
  DoesNotStart,  // CreateProcessA fails
};

struct SimFileSystem {
  std::set<std::string, NoCaseLess> directories;  // full paths, no trailing backslash
  std::map<std::string, platform::Bytes, NoCaseLess> files;
  SimChild child = SimChild::Runs;
  // What was done, in order: "mkdir P", "write P", "run CMD", "wait N",
  // "terminate", "read P", "delete P", "rmdir P".
  std::vector<std::string> events;
};

}  // namespace nsx::sim
