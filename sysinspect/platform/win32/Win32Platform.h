// The platform interface answered by the real Windows calls.
#pragma once
#include <memory>

#include "../Platform.h"

namespace nsx::win32 {

// `console`: the process is a console program (errors become console lines).
std::unique_ptr<platform::Platform> CreateWin32Platform(bool console);

}  // namespace nsx::win32
