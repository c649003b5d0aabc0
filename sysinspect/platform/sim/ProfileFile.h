// The contents of a file of a profile directory, byte for byte.
#pragma once
#include <string>

#include "../WinTypes.h"

namespace nsx::sim {

// False when the file cannot be read (it may simply be absent).
bool ReadProfileFile(const std::string& path, std::string* content);
bool ReadProfileFile(const std::string& path, platform::Bytes* bytes);

}  // namespace nsx::sim
