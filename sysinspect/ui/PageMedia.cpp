// The Media page: the multimedia devices of the device list, and the wave,
// MIDI, auxiliary and mixer devices with their driver versions.
#include "../software/NSX_Media.h"
#include "ControlIds.h"
#include "OverviewImages.h"
#include "PageViews.h"
#include "WinUtil.h"
#include "logic/MediaEnginesPage.h"

namespace nsx::ui {

// Replaces a list's rows.
void FillListRows(HWND list, const std::vector<TListRow>& rows) {
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  for (const auto& row : rows) AddListRow(list, row.cells, row.icon);
}

namespace {

class TMediaPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    int w = width - 16;
    int half = (height - 16) / 2;
    CreateGroup(sheet, " Available Devices ", 8, 4, w, half - 4);
    lvMedia_ = CreateReportList(sheet, 16, 22, w - 16, half - 30, idMediaDevices, {{"Device", 0}}, false, true);
    SetSharedImages(lvMedia_);
    int top = 4 + half;
    CreateGroup(sheet, " Sound Devices ", 8, top, w, height - top - 8);
    lvSound_ = CreateReportList(sheet, 16, top + 18, w - 16, height - top - 34, idMediaSound,
                                {{"Driver", 220}, {"Device", 0}});
    SetSharedImages(lvSound_);
  }

  void Fill(TNSystemInfo& info) override {
    const TMedia& media = info.Media();
    FillListRows(lvMedia_, MediaDeviceRows(media));
    FillListRows(lvSound_, SoundDeviceRows(media));
  }

 private:
  HWND lvMedia_ = nullptr, lvSound_ = nullptr;
};

}  // namespace

std::unique_ptr<TOverviewPage> CreateMediaPage() { return std::make_unique<TMediaPage>(); }

}  // namespace nsx::ui
