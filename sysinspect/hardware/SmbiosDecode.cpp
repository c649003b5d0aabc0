// The decoders of the structure types.
#include "SmbiosDecode.h"

#include <cstdio>

#include "SmbiosTables.h"

namespace nsx {
namespace {

const std::size_t kMaxString = 255;

// One structure's fields: none beyond its formatted length is read, and
// its strings are those of its own string area.
class TStructureView {
 public:
  TStructureView(const TMemoryWindow& window, const TStructTable& s) : w_(window), s_(s) {}

  bool Has(std::uint32_t offset, std::uint32_t size) const { return offset + size <= s_.Length; }
  std::uint8_t Byte(std::uint32_t offset) const { return Has(offset, 1) ? w_.ReadByte(s_.Address + offset) : 0; }
  std::uint16_t Word(std::uint32_t offset) const { return Has(offset, 2) ? w_.ReadWord(s_.Address + offset) : 0; }
  std::uint32_t DWord(std::uint32_t offset) const { return Has(offset, 4) ? w_.ReadDWord(s_.Address + offset) : 0; }

  // The string whose number the byte at `offset` holds (1 is the first);
  // "" for 0, a number past the last string, or a field beyond the length.
  std::string String(std::uint32_t offset) const { return StringNumber(Byte(offset)); }

  std::string StringNumber(std::uint8_t number) const {
    if (number == 0) return {};
    std::uint64_t at = std::uint64_t(s_.Address) + s_.Length;
    std::uint64_t end = s_.End;
    for (std::uint8_t i = 1; i < number; ++i) {
      if (at >= end || ReadAt(at) == 0) return {};  // the area ended
      while (at < end && ReadAt(at) != 0) ++at;
      ++at;
    }
    std::string text;
    while (at < end && text.size() < kMaxString) {
      char c = static_cast<char>(ReadAt(at++));
      if (c == 0) break;
      text += c;
    }
    return Trim(text);
  }

 private:
  std::uint8_t ReadAt(std::uint64_t address) const { return w_.ReadByte(static_cast<std::uint32_t>(address)); }

  const TMemoryWindow& w_;
  const TStructTable& s_;
};

// 2 raised to `exponent`, or 0 when that does not fit 16 bits.
std::uint16_t PowerOfTwo(unsigned exponent) { return exponent < 16 ? static_cast<std::uint16_t>(1u << exponent) : 0; }

// A value the standard numbers from 1, stored from 0 (0 becomes 255,
// past every table).
std::uint8_t Stored(std::uint8_t value) { return static_cast<std::uint8_t>(value - 1); }

std::string Indexed(const char* stem, std::size_t index) { return stem + std::to_string(index); }

void DecodeBIOS(const TStructureView& v, TSmbiosInfo& info) {
  info.BIOSVendor = v.String(4);
  info.BIOSVersion = v.String(5);
  info.BIOSDate = v.String(8);
  if (!v.Has(9, 1)) return;
  std::uint8_t romSize = v.Byte(9);
  info.BIOSSize = (romSize + 1u) * 64u;
  // 0xFF: 16 MB or more, given by the extended size (bits 14-15 the unit).
  if (romSize == 0xFF && v.Has(0x18, 2)) {
    std::uint16_t extended = v.Word(0x18);
    std::uint32_t size = extended & 0x3FFF;
    if ((extended >> 14) == 0) info.BIOSSize = size * 1024u;
    if ((extended >> 14) == 1 && size < 4096) info.BIOSSize = size * 1024u * 1024u;
  }
}

void DecodeSystem(const TStructureView& v, TSmbiosInfo& info) {
  if (v.Has(8, 16)) {
    info.SystemUUID.clear();
    for (std::uint32_t i = 0; i < 16; ++i) {
      char hex[3];
      std::snprintf(hex, sizeof hex, "%02X", v.Byte(8 + i));
      info.SystemUUID += hex;
    }
  }
  info.SystemManufacturer = v.String(4);
  info.SystemModel = v.String(5);
  info.SystemVersion = v.String(6);
  info.SystemSerial = v.String(7);
}

void DecodeBoard(const TStructureView& v, TSmbiosInfo& info) {
  info.MainBoardManufacturer = v.String(4);
  info.MainBoardModel = v.String(5);
  info.MainBoardVersion = v.String(6);
  info.MainBoardSerial = v.String(7);
}

void DecodeChassis(const TStructureView& v, TSmbiosInfo& info) {
  if (v.Has(5, 1)) info.ChassisModel = Stored(v.Byte(5) & 0x7F);  // bit 7 is the lock
  info.ChassisManufacturer = v.String(4);
  info.ChassisVersion = v.String(6);
  info.ChassisSerial = v.String(7);
}

void DecodeProcessor(const TStructureView& v, TSmbiosInfo& info) {
  TProcessor p;
  std::uint8_t voltage = v.Byte(0x11);
  if (voltage & 0x80)
    p.Voltage = (voltage - 128) / 10.0;
  else if (voltage & 0x01)
    p.Voltage = 5.0;
  else if (voltage & 0x02)
    p.Voltage = 3.3;
  else if (voltage & 0x04)
    p.Voltage = 2.9;
  p.Upgrade = Stored(v.Byte(0x19));
  p.ExternalClock = v.Word(0x12);
  p.CurrentSpeed = v.Word(0x16);
  p.Socket = v.String(4);
  p.Manufacturer = v.String(7);
  p.Version = v.String(0x10);
  if (p.Version.empty()) p.Version = Indexed("Processor_", info.Processors.size());
  info.Processors.push_back(p);
}

void DecodeMemoryController(const TStructureView& v, TSmbiosInfo& info) {
  info.MemCtrlSupportedInterleave = Stored(v.Byte(6));
  info.MemCtrlCurrentInterleave = Stored(v.Byte(7));
  info.MemCtrlMaxSize = PowerOfTwo(v.Byte(8));
  info.MemCtrlSupportedSpeeds.bits = static_cast<std::uint8_t>(v.Word(9) & 0x1F);
  info.MemCtrlSupportedTypes.bits = static_cast<std::uint16_t>(v.Word(0x0B) & 0x7FF);
  info.MemCtrlSupportedVoltages.bits = static_cast<std::uint8_t>(v.Byte(0x0D) & 0x07);
  info.MemCtrlSlotCount = v.Byte(0x0E);
}

// A cache size word: bit 15 says 64 KB units; a size that does not fit
// the 16-bit KB field gives 0.
std::uint16_t CacheSize(std::uint16_t word) {
  std::uint32_t kb = (word & 0x7FFFu) * ((word & 0x8000u) ? 64u : 1u);
  return kb <= 0xFFFF ? static_cast<std::uint16_t>(kb) : 0;
}

void DecodeCache(const TStructureView& v, TSmbiosInfo& info) {
  TCache c;
  c.MaxSize = CacheSize(v.Word(7));
  c.InstalledSize = CacheSize(v.Word(9));
  c.SRAMType = 1;  // "Unknown" when no bit is set
  std::uint16_t sram = v.Word(0x0D);
  for (std::uint8_t bit = 0; bit < 7; ++bit)
    if (sram & (1u << bit)) c.SRAMType = bit;
  c.CacheType = 1;
  c.Associativity = 1;
  if (v.Has(0x0F, 4)) {
    std::uint8_t type = v.Byte(0x11), associativity = v.Byte(0x12);
    if (type >= 1 && type <= CacheTypeCount()) c.CacheType = Stored(type);
    if (associativity >= 1 && associativity <= AssociativityCount()) c.Associativity = Stored(associativity);
    c.Speed = v.Byte(0x0F);
  }
  c.Designation = v.String(4);
  if (c.Designation.empty()) c.Designation = Indexed("Cache_", info.Caches.size());
  info.Caches.push_back(c);
}

void DecodePort(const TStructureView& v, TSmbiosInfo& info) {
  TPort p;
  p.InternalDesignator = v.String(4);
  p.ExternalDesignator = v.String(6);
  p.InternalConnector = PortConnectorIndex(v.Byte(5));
  p.ExternalConnector = PortConnectorIndex(v.Byte(7));
  p.PortType = PortTypeIndex(v.Byte(8));
  if (p.ExternalDesignator.empty()) p.ExternalDesignator = Indexed("PortSlot_", info.Ports.size());
  info.Ports.push_back(p);
}

void DecodeSlot(const TStructureView& v, TSmbiosInfo& info) {
  TSlot s;
  s.Designation = v.String(4);
  s.SlotType = SlotTypeIndex(v.Byte(5));
  s.DataBusWidth = Stored(v.Byte(6));
  s.CurrentUsage = Stored(v.Byte(7));
  s.SlotLength = Stored(v.Byte(8));
  s.SlotID = v.Word(9);
  if (s.Designation.empty()) s.Designation = Indexed("Slot_", info.Slots.size());
  info.Slots.push_back(s);
}

// A memory device's size in MB: 0 for none or unknown (0xFFFF); bit 15
// says kilobytes; 0x7FFF defers to the extended size in MB.
std::uint16_t DeviceSize(const TStructureView& v) {
  std::uint16_t size = v.Word(0x0C);
  if (size == 0xFFFF) return 0;
  if (size & 0x8000) return static_cast<std::uint16_t>((size & 0x7FFF) / 1024);
  if (size == 0x7FFF && v.Has(0x1C, 4)) {
    std::uint32_t extended = v.DWord(0x1C) & 0x7FFFFFFFu;
    return extended <= 0xFFFF ? static_cast<std::uint16_t>(extended) : 0;
  }
  return size;
}

void DecodeMemoryDevice(const TStructureView& v, TSmbiosInfo& info) {
  TMemoryBank b;
  b.Size = DeviceSize(v);
  std::uint16_t mhz = v.Word(0x15);  // needs a length of 0x17
  b.Speed = mhz ? static_cast<std::uint16_t>(1000 / mhz) : 0;
  b.FormFactor = Stored(v.Byte(0x0E));
  b.DeviceType = Stored(v.Byte(0x12));
  b.Designation = v.String(0x10);
  info.MemoryBanks.push_back(b);
}

// Memory modules complete the banks the memory devices made (the k-th
// module the k-th bank), or make them when there were none.
void DecodeMemoryModules(const TMemoryWindow& table, const std::vector<const TStructTable*>& modules,
                         TSmbiosInfo& info) {
  bool makeBanks = info.MemoryBanks.empty();
  for (std::size_t k = 0; k < modules.size(); ++k) {
    if (makeBanks) {
      TMemoryBank b;
      b.FormFactor = 1;
      b.DeviceType = 1;
      info.MemoryBanks.push_back(b);
    } else if (k >= info.MemoryBanks.size()) {
      break;
    }
    if (!modules[k]) continue;
    TStructureView v(table, *modules[k]);
    TMemoryBank& b = info.MemoryBanks[k];
    if (b.Designation.empty() && v.Byte(4) != 0) b.Designation = v.String(4);
    if (b.Speed == 0) b.Speed = v.Byte(6);
    b.Types.bits = static_cast<std::uint16_t>(v.Word(7) & 0x7FF);
    if (b.Size == 0) {
      std::uint8_t exponent = v.Byte(9) & 0x7F;  // 0x7D-0x7F: not determinable, disabled, absent
      b.Size = exponent < 125 ? PowerOfTwo(exponent) : 0;
    }
  }
  for (std::size_t k = 0; k < info.MemoryBanks.size(); ++k)
    if (info.MemoryBanks[k].Designation.empty()) info.MemoryBanks[k].Designation = Indexed("MemoryBank_", k);
}

using TDecoder = void (*)(const TStructureView&, TSmbiosInfo&);

struct TTypeDecoder {
  std::uint8_t type;
  bool firstOnly;
  TDecoder decode;
};

const TTypeDecoder kDecoders[] = {
    // type  first only  decoder
    {0,  true,  DecodeBIOS},
    {1,  true,  DecodeSystem},
    {2,  true,  DecodeBoard},
    {3,  true,  DecodeChassis},
    {4,  false, DecodeProcessor},
    {5,  false, DecodeMemoryController},
    {7,  false, DecodeCache},
    {8,  false, DecodePort},
    {9,  false, DecodeSlot},
    {17, false, DecodeMemoryDevice},
};

}  // namespace

void DecodeStructures(const TMemoryWindow& table, TSmbiosInfo& info) {
  // A structure counts only where the table is and where its type byte is.
  auto decodable = [&](const TStructTable& s) {
    return s.Address >= info.Entry.TableAddress && table.ReadByte(s.Address) == s.Type;
  };
  for (const auto& decoder : kDecoders) {
    for (const auto& s : info.Structures) {
      if (s.Type != decoder.type) continue;
      if (decodable(s)) decoder.decode(TStructureView(table, s), info);
      if (decoder.firstOnly) break;
    }
  }
  std::vector<const TStructTable*> modules;  // null: a module that is not decoded
  for (const auto& s : info.Structures)
    if (s.Type == 6) modules.push_back(decodable(s) ? &s : nullptr);
  DecodeMemoryModules(table, modules, info);
}

}  // namespace nsx
