#include "../platform/win32/Win32Platform.h"
#include "ReportMachine.h"

namespace nsx::app {

bool GathersRunningMachine() { return true; }

std::unique_ptr<platform::Platform> CreateReportMachine(const ReportOptions&) {
  return win32::CreateWin32Platform(/*console=*/true);
}

}  // namespace nsx::app
