#include "NSX_Overview.h"

#include <commdlg.h>

#include <cstring>
#include <vector>

#include "../core/Norvik_Routines.h"
#include "ControlIds.h"
#include "NSX_Splash.h"
#include "Pages.h"
#include "WinUtil.h"
#include "logic/ReportCommands.h"

namespace nsx::ui {
namespace {

const int kClientWidth = 394, kClientHeight = 509;
const int kButtonPanel = 37, kBorder = 5;
const UINT_PTR kFallbackTimer = 1;

}  // namespace

TfrmNSX_Overview::TfrmNSX_Overview() {
  CreateFrame(kOverviewClass, "Norvik System Information", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
              WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClientWidth, kClientHeight, nullptr);
  FormCreate();
}

TfrmNSX_Overview::~TfrmNSX_Overview() {
  if (Handle()) KillTimer(Handle(), kFallbackTimer);
  cpuUsage_.reset();
  if (reportMenu_) DestroyMenu(reportMenu_);
  // The sheets point at the pages: the window goes before them.
  if (Handle()) DestroyWindow(Handle());
}

void TfrmNSX_Overview::FormCreate() {
  HWND w = Handle();
  SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  int panelTop = kClientHeight - kButtonPanel;
  pc_ = CreateControl(w, WC_TABCONTROLA, "", TCS_MULTILINE | WS_CLIPSIBLINGS | WS_TABSTOP, kBorder, kBorder,
                      kClientWidth - 2 * kBorder, panelTop - 2 * kBorder, idPageControl);
  bReport_ = CreateButton(w, "Report...", 8, panelTop + 4, 75, 25, idReport);
  int panel2Left = kClientWidth - 166;
  CreateButton(w, "Refresh", panel2Left + 4, panelTop + 4, 75, 25, idRefresh);
  CreateButton(w, "OK", panel2Left + 85, panelTop + 4, 75, 25, idOverviewOK, true);

  reportMenu_ = CreatePopupMenu();
  AppendMenuA(reportMenu_, MF_STRING, idReportAll, "All Topics");
  AppendMenuA(reportMenu_, MF_STRING, idReportCurrent, "Current Topic");

  for (int page = 0; page < kOverviewPageCount; ++page) {
    pages_[page] = CreateOverviewPage(page);
    HWND sheet = CreateSheet(w, 0, 0, 10, 10, idPageBase + page, pages_[page].get());
    pages_[page]->SetSheet(sheet);
  }
  SetTopicMask(kCreateTopicMask);
  // Every page is built at the size the full set of tabs leaves.
  for (int page = 0; page < kOverviewPageCount; ++page) {
    RECT r{};
    GetWindowRect(pages_[page]->Sheet(), &r);
    pages_[page]->Build(pages_[page]->Sheet(), r.right - r.left, r.bottom - r.top);
  }
  ActivatePage(ActivePageForMask(topicMask_));
  CentreOnScreen(w);

  cpuUsage_ = std::make_unique<TNCPUUsage>();
  cpuUsage_->OnInterval = [this](TNCPUUsage&, std::uint32_t value) { CPUUsageInterval(value); };
  cpuUsage_->SetInterval(1000);
  // On the 9x family a missing statistics key raises here, at creation. The
  // message is shown and the window opens all the same: a broken statistics
  // key should not hide the rest.
  try {
    cpuUsage_->SetActive(true);
  } catch (const std::exception& error) {
    ShowException(nullptr, error);
  }
  // Without a sampler the window still updates once a second, with the CPU
  // load unknown (all bits set, as an unreadable statistic reports it).
  if (!cpuUsage_->Active()) SetTimer(Handle(), kFallbackTimer, 1000, nullptr);
}

void TfrmNSX_Overview::SetTopicMask(std::uint32_t mask) {
  int active = ActivePage();
  topicMask_ = mask;
  SendMessageA(pc_, TCM_DELETEALLITEMS, 0, 0);
  int index = 0;
  for (int page : ShownPages(mask)) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    std::string caption = pages_[page]->TabCaption();
    if (caption.empty()) caption = PageCaption(page);
    item.pszText = const_cast<char*>(caption.c_str());
    item.lParam = page;
    SendMessageA(pc_, TCM_INSERTITEMA, index++, reinterpret_cast<LPARAM>(&item));
  }
  (void)active;
  LayoutSheets();
  ActivatePage(ActivePageForMask(mask));
}

void TfrmNSX_Overview::SetShowReportButton(bool show) {
  showReportButton_ = show;
  ShowWindow(bReport_, show ? SW_SHOW : SW_HIDE);
}

void TfrmNSX_Overview::LayoutSheets() {
  RECT tabs{};
  GetWindowRect(pc_, &tabs);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&tabs), 2);
  RECT display = tabs;
  SendMessageA(pc_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (auto& page : pages_)
    SetWindowPos(page->Sheet(), nullptr, display.left, display.top, display.right - display.left,
                 display.bottom - display.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TfrmNSX_Overview::ActivePage() const {
  int index = static_cast<int>(SendMessageA(pc_, TCM_GETCURSEL, 0, 0));
  if (index < 0) return -1;
  TCITEMA item{};
  item.mask = TCIF_PARAM;
  if (!SendMessageA(pc_, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item))) return -1;
  return static_cast<int>(item.lParam);
}

void TfrmNSX_Overview::ActivatePage(int page) {
  int count = static_cast<int>(SendMessageA(pc_, TCM_GETITEMCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    SendMessageA(pc_, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    if (static_cast<int>(item.lParam) == page) SendMessageA(pc_, TCM_SETCURSEL, index, 0);
  }
  ShowActivePage();
}

void TfrmNSX_Overview::ShowActivePage() {
  int active = ActivePage();
  for (int page = 0; page < kOverviewPageCount; ++page) {
    HWND sheet = pages_[page]->Sheet();
    if (page == active)
      SetWindowPos(sheet, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    else
      ShowWindow(sheet, SW_HIDE);
  }
}

void TfrmNSX_Overview::cmRefresh() {
  HourglassCursor hourglass;
  if (sysInfo_) sysInfo_->Refresh();
  FillPages();
}

void TfrmNSX_Overview::FillPages() {
  HourglassCursor hourglass;
  if (!sysInfo_) return;
  for (int page : FillOrder(topicMask_)) pages_[page]->Fill(*sysInfo_);
  // A page may rename its tab from what it shows (the operating system's).
  int count = static_cast<int>(SendMessageA(pc_, TCM_GETITEMCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    SendMessageA(pc_, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    std::string caption = pages_[item.lParam]->TabCaption();
    if (caption.empty()) continue;
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    SendMessageA(pc_, TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
  }
  LayoutSheets();
}

void TfrmNSX_Overview::ShowModal() {
  closed_ = false;
  RunModal(Handle(), closed_);
}

void TfrmNSX_Overview::cmClose() {
  closed_ = true;
  ShowWindow(Handle(), SW_HIDE);
}

void TfrmNSX_Overview::cmReportClick() {
  RECT button{};
  GetWindowRect(bReport_, &button);
  // The bottom-left corner of the button, in screen coordinates.
  TrackPopupMenu(reportMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.left, button.bottom, 0, Handle(),
                 nullptr);
}

bool TfrmNSX_Overview::AskFileName(std::string* fileName) {
  std::vector<char> buffer(MAX_PATH * 4, '\0');
  std::strncpy(buffer.data(), fileName->c_str(), buffer.size() - 1);
  OPENFILENAMEA ofn{};
  // The size every release accepts (the 9x family and NT 4 refuse the longer one).
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = Handle();
  ofn.lpstrFilter = "XML files\0*.xml\0";
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
  if (!GetSaveFileNameA(&ofn)) return false;
  *fileName = buffer.data();
  return true;
}

void TfrmNSX_Overview::cmReportAll() {
  reportList_.Clear();
  std::string fileName = AllTopicsFileName(OSInfo().MachineName);
  if (!AskFileName(&fileName)) return;
  HourglassCursor hourglass;
  WriteAllTopicsReport(*sysInfo_, reportList_);
  SaveReport(reportList_, fileName);
}

void TfrmNSX_Overview::cmReportCurrent() {
  reportList_.Clear();
  int page = ActivePage();
  std::string caption;
  int index = static_cast<int>(SendMessageA(pc_, TCM_GETCURSEL, 0, 0));
  if (index >= 0) {
    char text[256] = {0};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(pc_, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    caption = text;
  }
  std::string fileName = CurrentTopicFileName(OSInfo().MachineName, caption);
  if (!AskFileName(&fileName)) return;
  HourglassCursor hourglass;
  WriteCurrentTopicReport(*sysInfo_, page, reportList_);
  SaveReport(reportList_, fileName);
}

void TfrmNSX_Overview::CPUUsageInterval(std::uint32_t value) {
  // A message box shown by an update runs its own loop, where the next tick
  // arrives: one update at a time, so boxes do not pile up every second.
  if (!sysInfo_ || updating_) return;
  struct Scope {
    bool& flag;
    explicit Scope(bool& f) : flag(f) { flag = true; }
    ~Scope() { flag = false; }
  } scope(updating_);
  // Memory first, then the CPU gauge, then uptime and lock keys; an error
  // is shown while the flag still holds off the next tick.
  Guarded(Handle(), [&] {
    for (int page : {static_cast<int>(pgMemory), static_cast<int>(pgCPU), static_cast<int>(pgMachine)})
      pages_[page]->LiveUpdate(*sysInfo_, value);
  });
}

LRESULT TfrmNSX_Overview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case idOverviewOK:
        case IDCANCEL:
          cmClose();
          return 0;
        case idRefresh:
          Guarded(Handle(), [this] { cmRefresh(); });
          return 0;
        case idReport:
          if (showReportButton_) cmReportClick();
          return 0;
        case idReportAll:
          Guarded(Handle(), [this] { cmReportAll(); });
          return 0;
        case idReportCurrent:
          Guarded(Handle(), [this] { cmReportCurrent(); });
          return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == pc_ && header->code == TCN_SELCHANGE) {
        ShowActivePage();
        return 0;
      }
      break;
    }
    case WM_CLOSE:
      cmClose();
      return 0;
    case WM_TIMER:
      if (wParam == kFallbackTimer) {
        Guarded(Handle(), [this] { CPUUsageInterval(0xFFFFFFFFu); });
        return 0;
      }
      break;
  }
  return TWindowBase::HandleMessage(message, wParam, lParam);
}

void RunOverview(TNSystemInfo& info) {
  TfrmNSX_Overview overview;
  overview.SetSysInfo(&info);
  overview.SetTopicMask(kAllTopicsMask);
  overview.SetShowReportButton(true);
  // An error while filling is shown, and the window comes up all the same.
  Guarded(nullptr, [&] { overview.cmRefresh(); });
  overview.ShowModal();
}

}  // namespace nsx::ui
