// sysinspect.exe: the desktop program.
#include <windows.h>

#include "../core/NSX_GUI.h"
#include "../core/Runtime.h"
#include "../platform/win32/Win32Platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  nsx::StartUp(nsx::win32::CreateWin32Platform(/*console=*/false));
  {
    nsx::TNSystemInfo info;
    info.Refresh();
    MessageBoxA(nullptr, info.About().c_str(), "System Information", MB_OK | MB_ICONINFORMATION);
  }
  nsx::ShutDown();
  return 0;
}
