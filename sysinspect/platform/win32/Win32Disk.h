// The disk and device interfaces answered by the real calls.
#pragma once
#include <memory>

#include "../DeviceIo.h"
#include "../Disk.h"

namespace nsx::win32 {

std::unique_ptr<platform::DiskApi> CreateWin32Disk();
std::unique_ptr<platform::DeviceIoApi> CreateWin32DeviceIo();

}  // namespace nsx::win32
