// Identify data of any content decodes within its fields: texts no longer
// than their fields and free of NULs, no geometry or capacity for a packet
// device, the capacity the sector count says; driver answers of any length
// and byte count are taken whole or refused; registry identifiers and drive
// strings of any content split without reading past their ends.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "hardware/DiskInfo.h"
#include "hardware/IdentifyData.h"
#include "hardware/Norvik_WinIOCTL.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckText(const std::string& text, std::size_t field) {
  Check(text.size() <= field);
  Check(text.find('\0') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nsx::TIdentifyData d = nsx::DecodeIdentify(data, size);
  CheckText(d.serialNumber, 20);
  CheckText(d.revision, 8);
  CheckText(d.model, 40);
  Check(d.CapacityBytes() == d.sectors * 512);
  if (d.packetDevice) Check(d.sectors == 0 && d.cylinders == 0 && d.heads == 0 && d.sectorsPerTrack == 0);
  if (!d.lba && !d.lba48) Check(d.sectors == std::uint64_t{d.cylinders} * d.heads * d.sectorsPerTrack);

  // The first four bytes are the count the driver reports returned.
  if (size >= 4) {
    std::uint32_t returned = data[0] | (data[1] << 8) | (data[2] << 16) | (std::uint32_t{data[3]} << 24);
    nsx::platform::Bytes answer(data + 4, data + size);
    nsx::TDriveInfo info;
    if (nsx::TakeSmartAnswer(answer, returned, info) == 0) Check(answer.size() >= 528 && returned >= 528);
    if (nsx::TakeMiniportAnswer(answer, returned, info) == 0) Check(answer.size() >= 556 && returned >= 556);
    CheckText(info.ModelNumber, 40);
  }

  std::string text(reinterpret_cast<const char*>(data), size);
  std::string model, revision;
  nsx::SplitDeviceIdentifier(text, &model, &revision);
  Check(model.size() + revision.size() <= text.size());
  std::string letters = nsx::DriveLetters(text, size > 0 ? data[0] : 0);
  for (char c : letters) Check(c >= 'A' && c <= 'Z');
  return 0;
}
