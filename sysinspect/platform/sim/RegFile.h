// Reader of registry export files: "REGEDIT4" (ANSI bytes) and "Windows
// Registry Editor Version 5.00" (UTF-16LE with a byte-order mark, as regedit
// writes it; UTF-8 with a byte-order mark is accepted too).
#pragma once
#include <cstdint>
#include <string>

#include "SimRegistry.h"

namespace nsx::sim {

// Loads `content` (the file's bytes) into `registry`, converting every text to
// the ANSI code page `codePage` as the A functions return it. Deletions
// ("[-key]", "name"=-) are ignored. Throws ProfileError naming `fileName` and
// the line of the first entry it cannot read.
void LoadRegFile(const std::string& content, std::uint32_t codePage, const std::string& fileName,
                 SimRegistry& registry);

}  // namespace nsx::sim
