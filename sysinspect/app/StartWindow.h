// TForm1: the start window. It owns the program's one information
// aggregate; "确定" opens the overview of the PC, "关闭" ends the program.
#pragma once
#include <windows.h>

#include "../core/NSX_GUI.h"
#include "../ui/WindowBase.h"

namespace nsx::app {

constexpr const char* kStartWindowClass = "TForm1";

class TForm1 : public ui::TWindowBase {
 public:
  TForm1();
  void Show();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Destroyed() override;

 private:
  void sknButton1Click();
  void sknButton2Click();

  TNSystemInfo NSystemInfo1;
};

}  // namespace nsx::app
