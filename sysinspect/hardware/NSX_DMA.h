// The physical memory window: TDMA copies a range of physical memory below
// 1 MB (the BIOS and SMBIOS area) into a window of its own. On the 9x
// family the first megabyte is plainly visible; on the NT family it is the
// section "\Device\PhysicalMemory", and without the rights to open it a
// tiny DOS program run through the command interpreter dumps the segment
// to a temporary file.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "../core/NSX_Common.h"
#include "MemoryWindow.h"

namespace nsx {

class TDMA : public TMemoryWindow {
 public:
  TDMA();  // reads the page size

  // Fills the window with `length` bytes from physical `address`: true when
  // they were read, false (the window then all zeros) when no way worked.
  bool MapMemory(std::uint32_t address, std::uint32_t length);

  TExceptionMode ExceptionMode() const { return exceptionMode_; }
  void SetExceptionMode(TExceptionMode mode) { exceptionMode_ = mode; }
  std::uint32_t PageSize() const { return pageSize_; }

 private:
  bool MapLinear(std::uint32_t address, std::uint32_t length);
  bool MapSection(std::uint32_t address, std::uint32_t length);
  bool MapDump(std::uint32_t address, std::uint32_t length);

  std::uint32_t pageSize_ = 0;
  TExceptionMode exceptionMode_ = emRaise;
};

// The NT family, releases newer than the identified ones included (they
// are not "IsNT" but still of the NT platform, with its registry and its
// protected first megabyte).
bool OnNTPlatform();

// The dump program's selector for a physical address: digit 4 then digit
// 3 of its eight-digit hexadecimal form (below 1 MB, the high byte of the
// real-mode segment).
std::uint8_t DumpSelector(std::uint32_t address);
// The 46-byte DOS program that writes the 64 KB segment of `selector` to
// standard output; only the selectors 0x00, 0x10, ... 0xF0 have one.
std::optional<platform::Bytes> DumpProgram(std::uint8_t selector);

// How long the dump program may run before it is ended.
constexpr std::uint32_t kDumpTimeoutMilliseconds = 15000;
constexpr std::uint32_t kSegmentSize = 0x10000;

// Dumps the segment of `selector` into `window` (zero-filled first, 64 KB)
// through a directory ~RomDmpN of the temporary directory, which is gone
// again afterwards with everything in it: true when all 65536 bytes came.
bool DumpSegment(std::uint8_t selector, platform::Bytes& window, std::uint32_t timeoutMilliseconds);

}  // namespace nsx
