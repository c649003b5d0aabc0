// Texts of the Machine page: the computer type's field, the BIOS fields
// with their fall-backs to the registry's texts, and the rows of the
// SMBIOS lists.
#pragma once
#include <string>
#include <vector>

#include "../../hardware/SmbiosTypes.h"

namespace nsx::ui {

using TRow = std::vector<std::string>;

// " Computer " when the computer type is not blank; "" leaves the field.
std::string ComputerTitle(const std::string& computer);

// The SMBIOS value, else what the BIOS texts hold.
std::string BIOSVendorText(const std::string& smbiosVendor, const std::string& biosCopyright);
std::string BIOSVersionText(const std::string& smbiosVersion, const std::string& biosName,
                            const std::string& biosExtended);
std::string BIOSDateText(const std::string& smbiosDate, const std::string& biosDate);

// "current / supported", by their names.
std::string InterleaveText(std::uint8_t current, std::uint8_t supported);

// Vendor, Vendor ID, Socket, Upgrade Intf, Voltage, Frequency, External Clock.
TRow ProcessorRow(const TProcessor& p, const std::string& decimalSeparator);
// Socket, Type, Associativity, SRAM, Size, Max Size, Speed.
TRow CacheRow(const TCache& c);
// Bank, Form Factor, Type, Device, Size, Speed.
TRow MemoryRow(const TMemoryBank& b);
// Type, Internal Designator, Internal Connector, External Designator, External Connector.
TRow PortRow(const TPort& p);
// Type, Data Bus, Current Usage, Length.
TRow SlotRow(const TSlot& s);
// Table Type, Length, Handle.
TRow StructureRow(const TStructTable& s);

}  // namespace nsx::ui
