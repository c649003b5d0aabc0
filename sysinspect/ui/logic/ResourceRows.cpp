#include "ResourceRows.h"

#include <cinttypes>
#include <cstdio>

namespace nsx::ui {
namespace {

std::string Hex(std::uint64_t value, int minimumDigits) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%0*" PRIX64, minimumDigits, value);
  return text;
}

// "%d": the values pass through a signed 32-bit format item.
std::string Decimal(std::uint32_t value) { return std::to_string(static_cast<std::int32_t>(value)); }

}  // namespace

TResourceRow ResourceRow(const TResourceDescriptorView& d) {
  switch (d.type) {
    case 1:
      return {rlPort, {Hex(d.start, 8), Hex(d.length, 1), d.flagsText}};
    case 2:
      return {rlIRQ, {Decimal(d.vector), Decimal(d.level), Hex(d.affinity, 1), d.flagsText}};
    case 3:
      return {rlMemory, {Hex(d.start, 8), Hex(d.length, 1), d.flagsText}};
    case 4:
      return {rlDMA, {Decimal(d.channel), Decimal(d.port)}};
    case 5:
      return {rlDeviceData, {Hex(d.reserved1, 1), Hex(d.reserved2, 1), Hex(d.dataSize, 1)}};
    default:
      return {rlNone, {}};
  }
}

std::vector<std::string> ResourceGeneralLabels(const TResourceRecordView& record) {
  return {"Interface Type: " + record.interfaceTypeName, "Bus Number: " + Decimal(record.busNumber),
          "Version: " + Decimal(record.version), "Revision: " + Decimal(record.revision)};
}

}  // namespace nsx::ui
