#pragma once
// Numbers as Windows and the x86 keep them in memory, in registry values
// and in driver answers: least significant byte first. The caller checks
// that the bytes are there.
#include <cstddef>
#include <cstdint>

#include "WinTypes.h"

namespace nsx::platform {

inline std::uint16_t LittleEndian16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t LittleEndian32(const std::uint8_t* p) {
  return std::uint32_t(LittleEndian16(p)) | (std::uint32_t(LittleEndian16(p + 2)) << 16);
}
inline std::uint64_t LittleEndian64(const std::uint8_t* p) {
  return std::uint64_t(LittleEndian32(p)) | (std::uint64_t(LittleEndian32(p + 4)) << 32);
}

inline std::uint16_t LittleEndian16(const Bytes& b, std::size_t at) { return LittleEndian16(b.data() + at); }
inline std::uint32_t LittleEndian32(const Bytes& b, std::size_t at) { return LittleEndian32(b.data() + at); }
inline std::uint64_t LittleEndian64(const Bytes& b, std::size_t at) { return LittleEndian64(b.data() + at); }

inline void PutLittleEndian32(Bytes& b, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace nsx::platform
