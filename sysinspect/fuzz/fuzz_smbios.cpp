// SMBIOS tables of any content, at any address and length: the entry
// point scan, the walk, every decoder and the report element stay inside
// their windows and write well-formed lines; the firmware-table form too.
//
// Input: 4 bytes window start, 4 bytes table address, 2 bytes table
// length, 2 bytes structure count, then the window's bytes.
#include <cstdint>

#include "hardware/SmbiosDecode.h"

namespace {

std::uint32_t Get(const std::uint8_t* p, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

void DecodeAndReport(const nsx::TMemoryWindow& window, nsx::TSmbiosInfo& info) {
  info.Structures = nsx::WalkTable(window, info.Entry.TableAddress, info.Entry.TableLength, info.Entry.StructureCount);
  for (const auto& s : info.Structures)
    if (s.End < s.Address || s.End > std::uint64_t(window.WindowStart()) + window.Length()) __builtin_trap();
  nsx::DecodeStructures(window, info);
  nsx::TReportList list(1252);
  nsx::WriteSmbiosElement(info, ",", list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t kHeader = 12;
  if (size < kHeader) return 0;
  nsx::platform::Bytes bytes(data + kHeader, data + size);

  // A table anywhere, walked as the parameters say.
  nsx::TMemoryWindow window;
  window.Assign(Get(data, 4), bytes);
  nsx::TSmbiosInfo direct;
  direct.Entry.TableAddress = Get(data + 4, 4);
  direct.Entry.TableLength = Get(data + 8, 2);
  direct.Entry.StructureCount = Get(data + 10, 2);
  DecodeAndReport(window, direct);

  // The same bytes as a BIOS segment with its entry point and table.
  nsx::TMemoryWindow bios;
  bios.Assign(0xF0000, bytes);
  if (auto entry = nsx::FindEntryPoint(bios)) {
    nsx::TSmbiosInfo found;
    found.Entry = *entry;
    DecodeAndReport(bios, found);
  }

  // And as the firmware-table query's answer.
  if (auto firmware = nsx::ParseFirmwareTable(bytes)) {
    nsx::TMemoryWindow table;
    table.Assign(0, firmware->Table);
    nsx::TSmbiosInfo info;
    info.Entry.TableLength = table.Length();
    info.Entry.StructureCount = nsx::kAnyStructureCount;
    DecodeAndReport(table, info);
  }
  return 0;
}
