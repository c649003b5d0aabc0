// The profile's BIOS area and firmware: the first megabyte of physical
// memory as lowmem.bin, or an SMBIOS table as dmi.bin (the layout of
// `dmidecode --dump-bin`) placed in it as a BIOS would, and the [firmware]
// section of machine.ini (see docs/profile.md).
#pragma once
#include <string>

#include "IniFile.h"
#include "SimMachine.h"

namespace nsx::sim {

// Throws ProfileError naming the file the BIOS area cannot hold.
void LoadFirmwareProfile(const IniFile& ini, const std::string& dir, SimMachine& machine);

// Places a dmi.bin image (entry point at 0, table at 0x20) in the first
// megabyte: the entry point at 0xF0000, the table at 0xE0000, the entry
// point's table address and checksums set accordingly. Throws
// ProfileError (naming `fileName`) when the image is no such dump or its
// table does not fit the 64 KB below the BIOS segment.
void PlaceDmiImage(const platform::Bytes& image, const std::string& fileName, platform::Bytes& lowMemory);

// The firmware-table query's answer for the SMBIOS table of a first
// megabyte, found as the system finds it (a "_SM_" or "_SM3_" anchor on a
// 16-byte boundary of the BIOS segment with a valid checksum); nullopt
// when there is none.
std::optional<platform::Bytes> SmbiosFirmwareTable(const platform::Bytes& lowMemory);

}  // namespace nsx::sim
