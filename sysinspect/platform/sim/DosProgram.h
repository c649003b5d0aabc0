// A small real-mode DOS .COM program run on the simulated machine: the
// instructions a program needs to copy memory to standard output (register
// moves and arithmetic, conditional jumps, INT 21h functions 40h "write"
// and 4Ch "exit"), executed against an image of the first megabyte.
#pragma once
#include <cstdint>

#include "../WinTypes.h"

namespace nsx::sim {

struct DosRun {
  bool ended = false;          // ended through INT 21h function 4Ch
  std::uint8_t exitCode = 0;   // its return code
  platform::Bytes standardOutput;
};

// Runs `program` (loaded at offset 0x100 of its segment). An instruction
// this machine does not know, or too many steps, ends the run without
// `ended`, as a crashed program would. `lowMemory` is the first megabyte
// (bytes beyond its size read as zero).
DosRun RunDosProgram(const platform::Bytes& program, const platform::Bytes& lowMemory);

}  // namespace nsx::sim
