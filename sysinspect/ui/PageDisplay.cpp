// The Display page: the adapter with its chip, DAC, memory and video BIOS,
// the screen's values, the list of video modes and the seven capability
// sets, each in the detail dialog.
#include "../core/Norvik_Routines.h"
#include "../software/NSX_Display.h"
#include "ControlIds.h"
#include "NSX_DetailDlg.h"
#include "PageViews.h"
#include "WinUtil.h"
#include "logic/NetworkPageText.h"
#include "logic/PageText.h"

namespace nsx::ui {
namespace {

const int kCapsButtonCount = 7;

class TDisplayPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    auto sheets = BuildSubPages(sheet, idDisplayTabs, {" General ", " Capabilities "}, 4, 4, width - 8, height - 8);
    RECT r{};
    GetClientRect(sheets[0], &r);
    int w = r.right, h = r.bottom;
    HWND g = sheets[0];
    CreateLabel(g, "Adapter:", 8, 12, 80, 16);
    cbDisplay_ = CreateControl(g, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 90, 8, w - 98, 120,
                               idDisplayAdapter);
    eChip_ = CreateField(g, "Chip type:", 8, 36, 80, w - 98, idDisplayChip);
    eDAC_ = CreateField(g, "DAC type:", 8, 60, 80, w - 98, idDisplayDAC);
    eMem_ = CreateField(g, "Memory (B):", 8, 84, 80, w - 98, idDisplayMemory);
    eBIOS_ = CreateField(g, "BIOS version:", 8, 108, 80, w - 98, idDisplayBIOS);
    eDate_ = CreateField(g, "BIOS date:", 8, 132, 80, w - 98, idDisplayBIOSDate);
    eBIOSString_ = CreateField(g, "BIOS string:", 8, 156, 80, w - 98, idDisplayBIOSString);
    lvDisp_ = CreateReportList(g, 8, 186, w - 16, h - 186 - 41, idDisplayValues, {{"Variable", 140}, {"Value", 0}});
    CreateButton(g, "Supported Video Modes...", 8, h - 33, 170, 25, idDisplayModes);

    HWND c = sheets[1];
    CreateLabel(c, "The capabilities of the screen's device context:", 8, 10, w - 16, 16);
    for (int tag = 0; tag < kCapsButtonCount; ++tag)
      CreateButton(c, CapsButton(tag).caption, 8, 32 + tag * 31, 170, 25, idDisplayCaps + tag);
  }

  void Fill(TNSystemInfo& info) override {
    display_ = &info.Display();
    SelectSubPage(idDisplayTabs, 0);
    SendMessageA(cbDisplay_, CB_RESETCONTENT, 0, 0);
    SendMessageA(cbDisplay_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(display_->Adapter().c_str()));
    SendMessageA(cbDisplay_, CB_SETCURSEL, 0, 0);
    SetText(eChip_, display_->Chipset());
    SetText(eDAC_, display_->DAC());
    SetText(eBIOSString_, display_->BIOSString());
    SetText(eMem_, std::to_string(display_->Memory()));
    SetText(eBIOS_, display_->BIOSVersion());
    SetText(eDate_, display_->BIOSDate());
    SendMessageA(lvDisp_, LVM_DELETEALLITEMS, 0, 0);
    for (const auto& [variable, value] : DisplayValueRows(*display_, OSInfo().IsNT)) AddListRow(lvDisp_, {variable, value});
  }

  void OnCommand(int id, int code, HWND) override {
    if (!display_ || code != BN_CLICKED) return;
    if (id == idDisplayModes) cmModes();
    if (id >= idDisplayCaps && id < idDisplayCaps + kCapsButtonCount) cmCaps(id - idDisplayCaps);
  }

 private:
  void cmModes() {
    TdlgNSX_Detail dialog(Owner());
    dialog.SetPage(TdlgNSX_Detail::nbCheckBox);
    dialog.SetTitle("Supported Video Modes");
    for (const auto& mode : display_->Modes()) dialog.AddCheckItem(mode, true);
    dialog.ShowModal();
  }

  void cmCaps(int tag) {
    TdlgNSX_Detail dialog(Owner());
    dialog.SetPage(TdlgNSX_Detail::nbCheckBox);
    dialog.SetTitle(CapsButton(tag).title);
    dialog.AddCheckItems(CheckItemsFromPairs(CapsButtonLines(*display_, tag)));
    dialog.ShowModal();
  }

  TDisplay* display_ = nullptr;
  HWND cbDisplay_ = nullptr, eChip_ = nullptr, eDAC_ = nullptr, eMem_ = nullptr, eBIOS_ = nullptr, eDate_ = nullptr;
  HWND eBIOSString_ = nullptr, lvDisp_ = nullptr;
};

}  // namespace

std::unique_ptr<TOverviewPage> CreateDisplayPage() { return std::make_unique<TDisplayPage>(); }

}  // namespace nsx::ui
