// The shell-link resolver: the target path and arguments a shortcut file
// stores, read through the system's shell-link object.
#pragma once
#include <string>

namespace nsx {

// Fills `path` and `arguments` (empty when the file holds no readable link)
// and returns the result code of the last step. A link whose target no
// longer exists still gives what it stores; nothing is searched or shown.
long ResolveShortcut(const std::string& fileName, std::string* path, std::string* arguments);

}  // namespace nsx
