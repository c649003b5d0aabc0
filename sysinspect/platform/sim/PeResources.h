// Finds the version resource (RT_VERSION) inside a PE image file.
#pragma once
#include <optional>

#include "../WinTypes.h"

namespace nsx::sim {

// The bytes of the first RT_VERSION resource of a PE file (32- or 64-bit
// image), or nullopt when the file is no PE image or holds none. Every offset
// is checked against the buffer.
std::optional<platform::Bytes> ExtractVersionResource(const platform::Bytes& image);

}  // namespace nsx::sim
