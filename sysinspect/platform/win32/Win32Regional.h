// RegionalApi and InternetApi answered by the real Windows calls.
#pragma once
#include <memory>

#include "../Internet.h"
#include "../Regional.h"

namespace nsx::win32 {

std::unique_ptr<platform::RegionalApi> CreateWin32Regional();
std::unique_ptr<platform::InternetApi> CreateWin32Internet();

}  // namespace nsx::win32
