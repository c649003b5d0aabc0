// A simulated Windows machine: the data behind every platform answer. Tests
// build one in a few lines; LoadProfile fills one from a profile directory.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "../Session.h"
#include "../WinTypes.h"
#include "SimDisk.h"
#include "SimDisplay.h"
#include "SimEngines.h"
#include "SimFirmware.h"
#include "SimPerformance.h"
#include "SimHardware.h"
#include "SimNetwork.h"
#include "SimOSData.h"
#include "SimRegistry.h"
#include "SimSoftware.h"

namespace nsx::sim {

struct SimMachine {
  platform::VersionInfo version{5, 1, 2600, platform::kPlatformNT, "Service Pack 3", true, 3, 0, 0x0100, 1, 0};
  // RtlGetVersion's answer (nullopt: ntdll has no such entry), asked where
  // `version` says NT 6.2, as Windows 8.1 and later answer a program whose
  // manifest does not declare them.
  std::optional<platform::VersionInfo> nativeVersion;
  std::optional<std::string> computerName = std::string("SIMULATED");
  std::optional<std::string> userName = std::string("User");
  std::string windowsDir = "C:\\WINDOWS";
  std::string systemDir = "C:\\WINDOWS\\system32";
  std::string tempDir = "C:\\WINDOWS\\TEMP\\";
  std::string currentDirectory = "C:\\";     // GetCurrentDirectoryA
  std::vector<std::string> environment;       // NAME=value, in block order
  std::optional<platform::Bytes> rawEnvironmentBlock;  // overrides `environment` when set
  std::map<int, std::string> specialFolders;  // CSIDL -> path
  std::uint16_t langId = 0x0409;
  std::uint32_t ansiCodePage = 1252;
  std::set<std::string> moduleEntries;        // "NTDLL.DLL!ZwClose", upper-case module name
  std::map<std::string, platform::Bytes, NoCaseLess> versionResources;  // file -> VS_VERSIONINFO
  std::uint32_t tickCount = 3600000;
  SimRegistry registry;
  SimRegional regional;  // time zone, clock, locales
  SimInternet internet;  // program files, dial-up connections
  SimProcessor processor;
  SimMemory memory;
  SimPerformanceData performance;  // processor times of the native query
  SimDisks disks;  // logical drives and network connections
  SimIde ide;      // IDE drives and the devices that identify them
  SimFirmware firmware;            // the BIOS area and the firmware tables
  SimFileSystem files;             // directories, files and the child process
  SimDisplay display;              // the screen and its modes
  SimNetwork network;              // NetBIOS, Windows Sockets, IP Helper
  SimMultimedia media;             // wave, MIDI, auxiliary and mixer devices
  SimAspi aspi;                    // the ASPI library, its adapters and devices
  SimCom com;                      // automation objects by ProgID
  // GetTickCount64; nullopt: kernel32 has no such entry (before Vista).
  std::optional<std::uint64_t> tickCount64;
  // GetKeyboardState; nullopt: the call fails.
  std::optional<platform::KeyboardState> keyboard = platform::KeyboardState{};
  SimSpooler spooler;              // printers
  SimFiles shellFiles;             // files of the folders (shell links) and initialisation files

  // Adds the native entry points an NT machine's ntdll exports.
  void AddNtdllEntries();
};

}  // namespace nsx::sim
