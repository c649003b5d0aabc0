// The multimedia, ASPI and data-engine interfaces answered by winmm, the
// ASPI library bound at start, and COM.
#pragma once
#include <memory>

#include "../Aspi.h"
#include "../DataEngines.h"
#include "../Multimedia.h"

namespace nsx::win32 {

std::unique_ptr<platform::MultimediaApi> CreateWin32Multimedia();
// Binds wnaspi32.dll (the loaded module, else LoadLibraryA); the library
// is freed with the object when it was loaded here.
std::unique_ptr<platform::AspiApi> CreateWin32Aspi();
std::unique_ptr<platform::DataEnginesApi> CreateWin32DataEngines();

}  // namespace nsx::win32
