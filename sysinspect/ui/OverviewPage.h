// One page of the overview: a sheet window holding the page's controls,
// filled from the aggregate by the window's refresh. Sheets (and the
// sub-sheets of a page's own tab strip) pass their commands and
// notifications to the page object.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "../core/NSX_GUI.h"
#include "WinUtil.h"

namespace nsx::ui {

class TOverviewPage {
 public:
  TOverviewPage() = default;
  TOverviewPage(const TOverviewPage&) = delete;
  TOverviewPage& operator=(const TOverviewPage&) = delete;
  virtual ~TOverviewPage() = default;

  // Builds the controls inside `sheet` (width x height of the sheet).
  virtual void Build(HWND sheet, int width, int height) { (void)sheet, (void)width, (void)height; }
  // The page's fill routine; pages without one leave their controls alone.
  virtual void Fill(TNSystemInfo& info) { (void)info; }
  // The page's part of the once-a-second update, with the CPU load; errors
  // the page does not want shown are its own to swallow.
  virtual void LiveUpdate(TNSystemInfo& info, std::uint32_t cpuUsage) { (void)info, (void)cpuUsage; }
  // The caption the page's tab shows after a fill ("" keeps the stored one).
  virtual std::string TabCaption() const { return {}; }

  virtual void OnCommand(int id, int code, HWND control) { (void)id, (void)code, (void)control; }
  // A brush for a static or read-only control the page colours itself, or null.
  virtual HBRUSH OnColour(HDC dc, HWND control) { (void)dc, (void)control; return nullptr; }
  // Returns true with *result set when the notification was handled.
  virtual bool OnNotify(const NMHDR& header, LPARAM lParam, LRESULT* result);

  HWND Sheet() const { return sheet_; }
  void SetSheet(HWND sheet) { sheet_ = sheet; }
  HWND Control(int id) const { return GetDlgItem(sheet_, id); }
  // The overview window (the owner of the page's dialogs).
  HWND Owner() const { return RootWindow(sheet_); }

 protected:
  // A page-local tab strip with one sub-sheet per tab; returns the sub-sheets.
  // `style` adds tab-control styles (TCS_MULTILINE: rows of tabs, no scrolling).
  std::vector<HWND> BuildSubPages(HWND parent, int id, const std::vector<const char*>& captions, int x, int y,
                                  int width, int height, DWORD style = 0);
  void SelectSubPage(int id, int index);

 private:
  struct TSubPages {
    int id;
    HWND tabs;
    std::vector<HWND> sheets;
  };
  std::vector<TSubPages> subPages_;
  HWND sheet_ = nullptr;
};

// A sheet window: a plain container passing messages to `page`.
HWND CreateSheet(HWND parent, int x, int y, int width, int height, int id, TOverviewPage* page);

}  // namespace nsx::ui
