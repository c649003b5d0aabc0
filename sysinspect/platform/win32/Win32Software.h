// The spooler and shell interfaces answered by the real calls.
#pragma once
#include <memory>

#include "../Shell.h"
#include "../Spooler.h"

namespace nsx::win32 {

std::unique_ptr<platform::SpoolerApi> CreateWin32Spooler();
std::unique_ptr<platform::ShellApi> CreateWin32Shell();

}  // namespace nsx::win32
