// The 512-byte block an ATA drive answers to IDENTIFY DEVICE (and an ATAPI
// device to IDENTIFY PACKET DEVICE), 256 little-endian words: its texts,
// default geometry, user-addressable capacity and a few feature bits.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace nsx {

constexpr std::size_t kIdentifySize = 512;

// Exchanges the two bytes of each 16-bit word, for length / 2 words.
void ChangeByteOrder(std::uint8_t* buffer, std::size_t length);

// A text field of `length` bytes at byte `offset`: the bytes of every word
// exchanged, cut at the first NUL, blanks and control characters trimmed.
std::string IdentifyText(const std::uint8_t* block, std::size_t offset, std::size_t length);

struct TIdentifyData {
  std::string serialNumber;  // words 10-19
  std::string revision;      // words 23-26
  std::string model;         // words 27-46
  bool packetDevice = false;  // word 0 marks an ATAPI device (not the CompactFlash signature)
  bool removable = false;     // word 0 bit 7
  // Default geometry (words 1, 3, 6) and word 5; 0 for a packet device.
  std::uint16_t cylinders = 0, heads = 0, sectorsPerTrack = 0, word5 = 0;
  bool lba = false;    // word 49 bit 9
  bool lba48 = false;  // word 83 bit 10, in a valid word 83
  bool smartSupported = false, smartEnabled = false;  // words 82 and 85 bit 0
  std::uint32_t sectors28 = 0;  // words 60-61
  std::uint64_t sectors48 = 0;  // words 100-103
  // The user-addressable sectors: the 48-bit count when the drive supports
  // it, else the 28-bit count, else cylinders x heads x sectors per track
  // when the drive has no LBA; 0 for a packet device.
  std::uint64_t sectors = 0;
  std::uint64_t CapacityBytes() const { return sectors * 512; }
};

// Decodes a block; bytes beyond `length` (a short answer) read as zeros.
TIdentifyData DecodeIdentify(const std::uint8_t* block, std::size_t length);

}  // namespace nsx
