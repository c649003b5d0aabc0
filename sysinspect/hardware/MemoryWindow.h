// A copy of a range of physical memory, answering byte, word, double-word
// and block reads by physical address. Reads outside the window answer
// zeros; every range check is made without unsigned wrap-around.
#pragma once
#include <cstdint>

#include "../platform/WinTypes.h"

namespace nsx {

class TMemoryWindow {
 public:
  // The window becomes `bytes`, the first of them at physical `start`.
  void Assign(std::uint32_t start, platform::Bytes bytes);

  std::uint32_t WindowStart() const { return start_; }
  std::uint32_t Length() const { return static_cast<std::uint32_t>(buffer_.size()); }
  const platform::Bytes& Buffer() const { return buffer_; }

  std::uint8_t ReadByte(std::uint32_t address) const;
  char ReadChar(std::uint32_t address) const { return static_cast<char>(ReadByte(address)); }
  // Little-endian; 0 unless every byte is inside the window.
  std::uint16_t ReadWord(std::uint32_t address) const;
  std::uint32_t ReadDWord(std::uint32_t address) const;
  // Copies `count` bytes to `destination` when all are inside the window,
  // else writes `count` zeros there; nothing beyond `count` is written.
  void ReadBuffer(std::uint32_t address, std::uint32_t count, std::uint8_t* destination) const;
  // WindowStart <= address <= WindowStart + Length (one past the end counts).
  bool IsValidAddress(std::uint32_t address) const;
  // True when the `count` bytes from `address` are all inside the window.
  bool Contains(std::uint32_t address, std::uint32_t count) const;

 protected:
  std::uint32_t start_ = 0;
  platform::Bytes buffer_;
};

}  // namespace nsx
