// Writing a file the user asked for (the inventory file, the report) in
// one piece: a file this program created and could not finish is removed,
// so that a failed run leaves no partial file behind.
#pragma once
#include <string>

namespace nsx::delivery {

// True when all of `bytes` is in `path`.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace nsx::delivery
