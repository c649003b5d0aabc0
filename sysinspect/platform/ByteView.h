// Bytes of a structure the program did not write (an image, a table): every
// read is preceded by a check that the bytes are there.
#pragma once
#include <cstddef>
#include <cstdint>

#include "LittleEndian.h"

namespace nsx::platform {

class ByteView {
 public:
  ByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  explicit ByteView(const Bytes& bytes) : ByteView(bytes.data(), bytes.size()) {}

  // Whether `length` bytes from `offset` are inside; offsets are 64-bit so
  // that sums of 32-bit fields cannot wrap.
  bool Has(std::uint64_t offset, std::uint64_t length) const { return offset + length <= size_; }
  std::uint16_t U16(std::uint64_t offset) const { return LittleEndian16(data_ + offset); }
  std::uint32_t U32(std::uint64_t offset) const { return LittleEndian32(data_ + offset); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace nsx::platform
