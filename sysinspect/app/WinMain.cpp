// sysinspect.exe: the start window and the message loop.
#include <windows.h>
#include <commctrl.h>

#include "../core/Runtime.h"
#include "../platform/win32/Win32Platform.h"
#include "StartWindow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InitCommonControls();
  nsx::StartUp(nsx::win32::CreateWin32Platform(/*console=*/false));
  int exitCode = 0;
  {
    nsx::app::TForm1 form;
    form.Show();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      // No dialog keys: Return and Escape do nothing on the start window.
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    exitCode = static_cast<int>(msg.wParam);
  }
  nsx::ShutDown();
  return exitCode;
}
