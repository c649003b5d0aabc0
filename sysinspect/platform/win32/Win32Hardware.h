// The processor and memory interfaces answered by the real instructions and
// calls.
#pragma once
#include <memory>

#include "../Memory.h"
#include "../Processor.h"

namespace nsx::win32 {

std::unique_ptr<platform::ProcessorApi> CreateWin32Processor();
std::unique_ptr<platform::MemoryApi> CreateWin32Memory();

}  // namespace nsx::win32
