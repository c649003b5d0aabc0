#include "MemoryWindow.h"

#include <algorithm>
#include <cstring>

#include "../platform/LittleEndian.h"

namespace nsx {

void TMemoryWindow::Assign(std::uint32_t start, platform::Bytes bytes) {
  start_ = start;
  buffer_ = std::move(bytes);
}

bool TMemoryWindow::Contains(std::uint32_t address, std::uint32_t count) const {
  if (address < start_) return false;
  std::uint64_t offset = address - start_;
  return offset + count <= buffer_.size();
}

bool TMemoryWindow::IsValidAddress(std::uint32_t address) const {
  return address >= start_ && std::uint64_t(address - start_) <= buffer_.size();
}

std::uint8_t TMemoryWindow::ReadByte(std::uint32_t address) const {
  return Contains(address, 1) ? buffer_[address - start_] : 0;
}

std::uint16_t TMemoryWindow::ReadWord(std::uint32_t address) const {
  if (!Contains(address, 2)) return 0;
  return platform::LittleEndian16(&buffer_[address - start_]);
}

std::uint32_t TMemoryWindow::ReadDWord(std::uint32_t address) const {
  if (!Contains(address, 4)) return 0;
  return platform::LittleEndian32(&buffer_[address - start_]);
}

void TMemoryWindow::ReadBuffer(std::uint32_t address, std::uint32_t count, std::uint8_t* destination) const {
  if (count == 0) return;
  if (Contains(address, count))
    std::memcpy(destination, &buffer_[address - start_], count);
  else
    std::memset(destination, 0, count);
}

}  // namespace nsx
