// The writers of the request's sections, grouped by the topics they read,
// and the conversions they share. Each writer reads only what the topic
// objects hold (and the facts read beside them); none gathers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "InventoryFacts.h"
#include "InventoryXml.h"

namespace nsx {
class TNSystemInfo;
}

namespace nsx::inventory {

// Machine, operating system, processor and memory totals (HardwareSection.cpp).
void WriteHardware(TNSystemInfo& info, std::uint32_t checksum, TInventoryXml& xml);
void WriteBios(TNSystemInfo& info, TInventoryXml& xml);
void WriteAccountInfo(const std::string& tag, TInventoryXml& xml);

// Processors and the SMBIOS records of the board (BoardSections.cpp).
void WriteCpus(TNSystemInfo& info, TInventoryXml& xml);
void WriteMemories(TNSystemInfo& info, TInventoryXml& xml);
void WriteSlots(TNSystemInfo& info, TInventoryXml& xml);
void WritePorts(TNSystemInfo& info, TInventoryXml& xml);

// IDE drives and logical drives (StorageSections.cpp).
void WriteStorages(TNSystemInfo& info, TInventoryXml& xml);
void WriteDrives(const std::vector<TDriveFacts>& drives, TInventoryXml& xml);

// Network adapters, display, monitors, sound and controllers of the device
// tree (DeviceSections.cpp).
void WriteNetworks(TNSystemInfo& info, TInventoryXml& xml);
void WriteVideos(TNSystemInfo& info, TInventoryXml& xml);
void WriteMonitors(TNSystemInfo& info, TInventoryXml& xml);
void WriteSounds(TNSystemInfo& info, TInventoryXml& xml);
void WriteControllers(TNSystemInfo& info, TInventoryXml& xml);

// Printers and installed products (SoftwareSections.cpp).
void WritePrinters(TNSystemInfo& info, TInventoryXml& xml);
void WriteSoftwares(const std::vector<TProductDetails>& products, TInventoryXml& xml);

// Shared conversions (InventoryValues.cpp).

// A byte count in whole megabytes, rounded to the nearest; 0 for a negative count.
std::int64_t Megabytes(std::int64_t bytes);
// The first address of a list that names a host: not empty, not 0.0.0.0.
std::string FirstAddress(const std::vector<std::string>& addresses);
// The value of NAME=value in an environment list (names compare without regard to case).
std::string EnvironmentValue(const std::vector<std::string>& environment, const std::string& name);
// `text`, or empty when it only repeats `shown`.
std::string IfDifferent(const std::string& text, const std::string& shown);
// The non-empty items joined by `separator`.
std::string JoinNonEmpty(const std::vector<std::string>& items, const std::string& separator);

}  // namespace nsx::inventory
