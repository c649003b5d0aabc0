#include "IdentifyData.h"

#include <algorithm>
#include <cstring>

#include "../core/Norvik_Routines.h"

namespace nsx {
namespace {

constexpr std::uint16_t kCompactFlashSignature = 0x848A;

// Words 82 to 87 mean something only when word 83 says so (bits 15:14 = 01).
bool CommandSetWordsValid(std::uint16_t word83) { return (word83 & 0xC000) == 0x4000; }

class Words {
 public:
  Words(const std::uint8_t* block, std::size_t length) {
    std::size_t n = std::min(length, kIdentifySize);
    if (block && n) std::memcpy(bytes_, block, n);
  }
  std::uint16_t operator[](std::size_t word) const {
    return static_cast<std::uint16_t>(bytes_[2 * word] | (bytes_[2 * word + 1] << 8));
  }
  const std::uint8_t* Bytes() const { return bytes_; }

 private:
  std::uint8_t bytes_[kIdentifySize] = {};
};

}  // namespace

void ChangeByteOrder(std::uint8_t* buffer, std::size_t length) {
  for (std::size_t i = 0; i + 1 < length; i += 2) std::swap(buffer[i], buffer[i + 1]);
}

std::string IdentifyText(const std::uint8_t* block, std::size_t offset, std::size_t length) {
  std::string field(reinterpret_cast<const char*>(block) + offset, length);
  ChangeByteOrder(reinterpret_cast<std::uint8_t*>(&field[0]), field.size());
  auto nul = field.find('\0');
  if (nul != std::string::npos) field.resize(nul);
  return Trim(field);
}

TIdentifyData DecodeIdentify(const std::uint8_t* block, std::size_t length) {
  Words w(block, length);
  TIdentifyData d;
  d.serialNumber = IdentifyText(w.Bytes(), 20, 20);
  d.revision = IdentifyText(w.Bytes(), 46, 8);
  d.model = IdentifyText(w.Bytes(), 54, 40);
  d.packetDevice = (w[0] & 0xC000) == 0x8000 && w[0] != kCompactFlashSignature;
  d.removable = (w[0] & 0x0080) != 0;
  if (d.packetDevice) return d;  // no geometry, no capacity

  d.cylinders = w[1];
  d.heads = w[3];
  d.word5 = w[5];
  d.sectorsPerTrack = w[6];
  d.lba = (w[49] & 0x0200) != 0;
  if (CommandSetWordsValid(w[83])) {
    d.lba48 = (w[83] & 0x0400) != 0;
    d.smartSupported = (w[82] & 0x0001) != 0;
    d.smartEnabled = (w[85] & 0x0001) != 0;
  }
  d.sectors28 = static_cast<std::uint32_t>(w[60]) | (static_cast<std::uint32_t>(w[61]) << 16);
  for (int i = 3; i >= 0; --i) d.sectors48 = (d.sectors48 << 16) | w[100 + i];

  if (d.lba48 && d.sectors48 != 0)
    d.sectors = d.sectors48;
  else if (d.lba)
    d.sectors = d.sectors28;
  else
    d.sectors = std::uint64_t{d.cylinders} * d.heads * d.sectorsPerTrack;
  return d;
}

}  // namespace nsx
