// The Engines page: the data-access engines' versions, and the DirectX
// and ASPI sub-pages.
#include "../software/NSX_Engines.h"
#include "ControlIds.h"
#include "OverviewImages.h"
#include "PageViews.h"
#include "WinUtil.h"
#include "logic/MediaEnginesPage.h"

namespace nsx::ui {
namespace {

class TEnginesPage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    int w = width - 16;
    const int ids[] = {idEnginesODBC, idEnginesBDE, idEnginesDAO, idEnginesADO};
    for (int i = 0; i < 4; ++i) labels_[i] = CreateLabel(sheet, "", 8, 8 + i * 20, w, 16, ids[i]);
    int top = 8 + 4 * 20 + 4;
    auto sheets = BuildSubPages(sheet, idEnginesTabs, {" DirectX ", " Windows ASPI 32 "}, 4, top, width - 8,
                                height - top - 4);
    RECT r{};
    GetClientRect(sheets[0], &r);
    int sw = r.right, sh = r.bottom;
    lDirectX_ = CreateLabel(sheets[0], "", 8, 8, sw - 16, 16, idEnginesDirectX);
    lvDirectX_ = CreateReportList(sheets[0], 4, 30, sw - 8, sh - 34, idEnginesDirectXList,
                                  {{"Driver", 220}, {"Device", 0}});
    SetSharedImages(lvDirectX_);
    lASPI_ = CreateLabel(sheets[1], "", 8, 8, sw - 16, 16, idEnginesASPI);
    lvASPI_ = CreateReportList(sheets[1], 4, 30, sw - 8, sh - 34, idEnginesASPIList,
                               {{"Product", 125}, {"Revision", 55}, {"Adapter", 50}, {"Device", 45}, {"Type", 35},
                                {"Info", 125}});
  }

  void Fill(TNSystemInfo& info) override {
    const TEngines& engines = info.Engines();
    auto labels = EngineLabels(engines);
    for (int i = 0; i < 4; ++i) SetText(labels_[i], labels[static_cast<size_t>(i)]);
    SetText(lDirectX_, DirectXLabel(engines.DirectX()));
    FillListRows(lvDirectX_, DirectXRows(engines.DirectX()));
    SetText(lASPI_, AspiLabel(engines.ASPI32()));
    FillListRows(lvASPI_, AspiRows(engines.ASPI32().Scan()));
  }

 private:
  HWND labels_[4] = {};
  HWND lDirectX_ = nullptr, lvDirectX_ = nullptr, lASPI_ = nullptr, lvASPI_ = nullptr;
};

}  // namespace

std::unique_ptr<TOverviewPage> CreateEnginesPage() { return std::make_unique<TEnginesPage>(); }

}  // namespace nsx::ui
