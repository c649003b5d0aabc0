// The Machine page's live part: the uptime in words and the three lock-key
// indicators, rewritten every second.
#include "../core/Norvik_Datetime.h"
#include "../core/Runtime.h"
#include "ControlIds.h"
#include "PageViews.h"
#include "WinUtil.h"
#include "logic/PageText.h"

namespace nsx::ui {
namespace {

struct TLockIndicator {
  int id;
  int virtualKey;
  const char* caption;
};

const TLockIndicator kLockIndicators[] = {
    // control id          key          caption
    {idMachineNumLock,    VK_NUMLOCK,  "Num Lock"},
    {idMachineCapsLock,   VK_CAPITAL,  "Caps Lock"},
    {idMachineScrollLock, VK_SCROLL,   "Scroll Lock"},
};

class TMachinePage : public TOverviewPage {
 public:
  void Build(HWND sheet, int width, int height) override {
    (void)height;
    CreateLabel(sheet, "System up time:", 8, 12, 100, 16);
    uptime_ = CreateReadOnlyEdit(sheet, 8, 30, width - 16, 21, idMachineUptime);
    int w = (width - 16 - 2 * 8) / 3;
    for (int i = 0; i < 3; ++i) {
      indicators_[i] = CreateControl(sheet, "STATIC", kLockIndicators[i].caption, SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN,
                                     8 + i * (w + 8), 62, w, 22, kLockIndicators[i].id);
      colours_[i] = kSilver;
    }
  }

  void LiveUpdate(TNSystemInfo&, std::uint32_t) override {
    SetText(uptime_, FormatDuration(UptimeSeconds(Sys().GetTickCount())));
    BYTE keys[256] = {0};
    if (!GetKeyboardState(keys)) return;
    for (int i = 0; i < 3; ++i) {
      TColour colour = LockIndicatorColour(keys[kLockIndicators[i].virtualKey]);
      if (colour == colours_[i]) continue;
      colours_[i] = colour;
      InvalidateRect(indicators_[i], nullptr, TRUE);
    }
  }

  HBRUSH OnColour(HDC dc, HWND control) override {
    for (int i = 0; i < 3; ++i) {
      if (control != indicators_[i]) continue;
      COLORREF colour = RGB(colours_[i].red, colours_[i].green, colours_[i].blue);
      brushes_[i].Reset(CreateSolidBrush(colour));
      SetBkColor(dc, colour);
      return brushes_[i].Get();
    }
    return nullptr;
  }

 private:
  HWND uptime_ = nullptr;
  HWND indicators_[3] = {};
  TColour colours_[3] = {kSilver, kSilver, kSilver};
  GdiObject<HBRUSH> brushes_[3];
};

}  // namespace

std::unique_ptr<TOverviewPage> CreateMachinePage() { return std::make_unique<TMachinePage>(); }

}  // namespace nsx::ui
