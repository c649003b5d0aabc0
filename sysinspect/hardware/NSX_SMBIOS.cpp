#include "NSX_SMBIOS.h"

#include "../core/Runtime.h"

namespace nsx {
namespace {

const std::uint32_t kBiosSegment = 0xF0000;
const std::uint32_t kBiosWindowLength = 0xFFFF;

// The user's decimal separator, "." when the system answers none.
std::string UserDecimalSeparator() {
  auto text = Machine().Regional().LocaleText(platform::kLocaleUserDefault, platform::kLocaleSDecimal);
  return text && !text->empty() ? *text : ".";
}

}  // namespace

TSMBIOS::TSMBIOS() {
  biosWindow_.SetExceptionMode(exceptionMode_);
  tableWindow_.SetExceptionMode(exceptionMode_);
}

void TSMBIOS::GetInfo(std::int32_t mode) {
  info_ = TSmbiosInfo{};
  bool biosMapped = true;
  if (mode == 1) {
    // Where the system hands out the table itself, physical memory is not
    // touched (later releases no longer let a program map it).
    auto answer = Machine().Firmware().SystemFirmwareTable(platform::kFirmwareProviderRSMB, 0);
    auto firmware = answer ? ParseFirmwareTable(*answer) : std::nullopt;
    fromFirmwareTable_ = firmware.has_value();
    if (firmware) {
      firmwareVersion_ = firmware->Version;
      tableWindow_.Assign(0, std::move(firmware->Table));
    } else {
      biosMapped = biosWindow_.MapMemory(kBiosSegment, kBiosWindowLength);
    }
  }
  if (fromFirmwareTable_)
    DecodeFirmwareTable();
  else
    DecodeFromMemory(biosMapped);
}

void TSMBIOS::DecodeFirmwareTable() {
  info_.Entry.Version = firmwareVersion_;
  info_.Entry.TableLength = tableWindow_.Length();
  info_.Entry.StructureCount = kAnyStructureCount;
  info_.Structures = WalkTable(tableWindow_, 0, tableWindow_.Length(), kAnyStructureCount);
  DecodeStructures(tableWindow_, info_);
}

void TSMBIOS::DecodeFromMemory(bool biosMapped) {
  if (!biosMapped) return;
  auto entry = FindEntryPoint(biosWindow_);
  if (!entry) return;
  info_.Entry = *entry;
  if (entry->TableAddress == 0 || entry->TableLength == 0) return;
  if (!tableWindow_.MapMemory(entry->TableAddress, entry->TableLength)) return;
  info_.Structures = WalkTable(tableWindow_, entry->TableAddress, entry->TableLength, entry->StructureCount);
  DecodeStructures(tableWindow_, info_);
}

void TSMBIOS::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteSmbiosElement(info_, UserDecimalSeparator(), list);
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
