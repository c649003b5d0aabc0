// The entry point, the walk through the structure table and the
// firmware-table form.
#include <algorithm>
#include <cstring>

#include "SmbiosDecode.h"
#include "SmbiosTables.h"

namespace nsx {
namespace {

const std::uint32_t kBiosSegment = 0xF0000;
const std::uint32_t kBiosSegmentEnd = 0xFFFFF;
const std::uint8_t kEndOfTable = 127;
const std::uint8_t kMemoryController = 5;
const std::uint32_t kHeaderSize = 4;

bool AnchorAt(const TMemoryWindow& bios, std::uint32_t address, const char* anchor) {
  std::size_t n = std::strlen(anchor);
  for (std::size_t i = 0; i < n; ++i)
    if (bios.ReadChar(address + static_cast<std::uint32_t>(i)) != anchor[i]) return false;
  return true;
}

std::optional<std::uint32_t> Scan(const TMemoryWindow& bios, const char* anchor) {
  // Bytes outside the window read as zeros and match no anchor: only the
  // part of the segment inside the window is looked at.
  std::uint64_t from = std::max<std::uint64_t>(kBiosSegment, bios.WindowStart());
  std::uint64_t to = std::min<std::uint64_t>(kBiosSegmentEnd + 1ull, std::uint64_t(bios.WindowStart()) + bios.Length());
  for (std::uint64_t a = from; a < to; ++a) {
    auto at = static_cast<std::uint32_t>(a);
    if (bios.ReadChar(at) == '_' && AnchorAt(bios, at, anchor)) return at;
  }
  return std::nullopt;
}

std::string VersionText(unsigned major, unsigned minor) { return std::to_string(major) + "." + std::to_string(minor); }

}  // namespace

std::optional<TSmbiosEntryPoint> FindEntryPoint(const TMemoryWindow& bios) {
  TSmbiosEntryPoint entry;
  if (auto at = Scan(bios, "_SM_")) {
    entry.StartAddress = *at;
    entry.Version = VersionText(bios.ReadByte(*at + 6), bios.ReadByte(*at + 7));
  } else if (auto dmi = Scan(bios, "_DMI_")) {
    // The legacy entry point: 16 bytes on, its fields sit where those of
    // "_SM_" would; its version is the BCD revision at its offset 0x0E.
    entry.StartAddress = *dmi - 16;
    std::uint8_t revision = bios.ReadByte(*dmi + 0x0E);
    entry.Version = VersionText(revision >> 4, revision & 0x0F);
  } else if (auto sm3 = Scan(bios, "_SM3_")) {
    entry.StartAddress = *sm3;
    entry.Version = VersionText(bios.ReadByte(*sm3 + 7), bios.ReadByte(*sm3 + 8));
    entry.TableLength = bios.ReadDWord(*sm3 + 0x0C);
    // A table above 4 GB cannot be reached through a 32-bit window.
    entry.TableAddress = bios.ReadDWord(*sm3 + 0x14) == 0 ? bios.ReadDWord(*sm3 + 0x10) : 0;
    entry.StructureCount = kAnyStructureCount;
    return entry;
  } else {
    return std::nullopt;
  }
  entry.TableAddress = bios.ReadDWord(entry.StartAddress + 0x18);
  entry.StructureCount = bios.ReadWord(entry.StartAddress + 0x1C);
  entry.TableLength = bios.ReadWord(entry.StartAddress + 0x16);
  return entry;
}

std::vector<TStructTable> WalkTable(const TMemoryWindow& table, std::uint32_t address, std::uint32_t length,
                                    std::uint32_t maxCount) {
  std::vector<TStructTable> list;
  std::uint64_t windowEnd = std::uint64_t(table.WindowStart()) + table.Length();
  std::uint64_t end64 = std::min<std::uint64_t>({std::uint64_t(address) + length, windowEnd, 0xFFFFFFFFull});
  if (length == 0 || address < table.WindowStart() || address >= end64) return list;
  auto end = static_cast<std::uint32_t>(end64);  // at most the window's end
  std::uint32_t s = address;
  while (std::uint64_t(s) + kHeaderSize <= end) {
    std::uint8_t type = table.ReadByte(s);
    std::uint8_t len = table.ReadByte(s + 1);
    if (len < kHeaderSize) break;  // a broken table: nothing after it can be trusted
    bool listed = list.empty() || list.size() < maxCount;
    if (listed) list.push_back({s, type, len, table.ReadWord(s + 2), StructureName(type), end});

    // The next structure: past the formatted area and the strings, which
    // end with a double zero.
    std::uint64_t next;
    std::uint64_t p = std::uint64_t(s) + len;
    std::uint8_t prev = table.ReadByte(static_cast<std::uint32_t>(std::min<std::uint64_t>(p, end)));
    if (p >= end) {
      next = end;
    } else if (type == kMemoryController && prev > 5 && prev != 0x20) {
      next = p;  // such a BIOS gives this structure no string area
    } else {
      std::uint64_t at = p + 1;
      for (; at < end; ++at) {
        std::uint8_t byte = table.ReadByte(static_cast<std::uint32_t>(at));
        if (byte == 0 && prev == 0) break;
        prev = byte;
      }
      next = at + 1;
    }
    next = std::min<std::uint64_t>(next, end);
    if (listed) list.back().End = static_cast<std::uint32_t>(next);
    if (type == kEndOfTable || next >= end) break;
    s = static_cast<std::uint32_t>(next);
  }
  return list;
}

std::optional<TFirmwareSmbios> ParseFirmwareTable(const platform::Bytes& answer) {
  const std::size_t kHeader = 8;
  if (answer.size() <= kHeader) return std::nullopt;
  std::uint32_t length = std::uint32_t(answer[4]) | (std::uint32_t(answer[5]) << 8) |
                         (std::uint32_t(answer[6]) << 16) | (std::uint32_t(answer[7]) << 24);
  std::size_t available = std::min<std::size_t>(length, answer.size() - kHeader);
  if (available == 0) return std::nullopt;
  TFirmwareSmbios firmware;
  firmware.Version = VersionText(answer[1], answer[2]);
  firmware.Table.assign(answer.begin() + kHeader, answer.begin() + kHeader + available);
  return firmware;
}

}  // namespace nsx
