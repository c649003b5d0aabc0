// TdlgResources: the hardware resources of one device (DMA channels,
// interrupts, memory ranges, ports and device-specific data) in five lists.
#pragma once
#include <windows.h>

#include <string>

#include "WindowBase.h"
#include "logic/ResourceRows.h"

namespace nsx::ui {

constexpr const char* kResourcesDialogClass = "TdlgResources";

class TdlgResources : public TWindowBase {
 public:
  explicit TdlgResources(HWND owner);
  void Fill(const std::string& caption, const TResourceRecordView& record);
  void ShowModal();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND ListFor(TResourceList list) const;
  HWND dma_ = nullptr, irq_ = nullptr, mem_ = nullptr, port_ = nullptr, dsd_ = nullptr;
  HWND labels_[4] = {};
  bool closed_ = false;
};

// Creates the dialog owned by the main window, fills it, shows it modally
// and destroys it.
void ShowDeviceResources(HWND mainWindow, const std::string& caption, const TResourceRecordView& record);

}  // namespace nsx::ui
