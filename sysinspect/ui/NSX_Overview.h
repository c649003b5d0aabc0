// TfrmNSX_Overview: the window that shows what the aggregate gathered, one
// tab per topic, writes reports of all topics or of the one on screen, and
// updates memory, CPU load, uptime and lock keys once a second.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "../core/NSX_GUI.h"
#include "NSX_CPUUsage.h"
#include "OverviewPage.h"
#include "WindowBase.h"
#include "logic/OverviewModel.h"

namespace nsx::ui {

constexpr const char* kOverviewClass = "TfrmNSX_Overview";

class TfrmNSX_Overview : public TWindowBase {
 public:
  TfrmNSX_Overview();
  ~TfrmNSX_Overview() override;

  void SetSysInfo(TNSystemInfo* info) { sysInfo_ = info; }
  std::uint32_t TopicMask() const { return topicMask_; }
  void SetTopicMask(std::uint32_t mask);
  bool ShowReportButton() const { return showReportButton_; }
  void SetShowReportButton(bool show);

  void cmRefresh();
  void FillPages();
  // Shows the window modally; returns when it is closed.
  void ShowModal();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormCreate();
  void LayoutSheets();
  void ShowActivePage();
  int ActivePage() const;
  void ActivatePage(int page);
  void cmClose();
  void cmReportClick();
  void cmReportAll();
  void cmReportCurrent();
  bool AskFileName(std::string* fileName);
  void CPUUsageInterval(std::uint32_t value);

  TNSystemInfo* sysInfo_ = nullptr;
  std::uint32_t topicMask_ = 0;
  bool showReportButton_ = true;
  TReportList reportList_;
  HWND pc_ = nullptr, bReport_ = nullptr;
  HMENU reportMenu_ = nullptr;
  std::array<std::unique_ptr<TOverviewPage>, kOverviewPageCount> pages_;
  std::unique_ptr<TNCPUUsage> cpuUsage_;
  bool closed_ = false;
  bool updating_ = false;  // a live update is running
};

// The aggregate's ShowOverview: create, configure, refresh, show modally, destroy.
void RunOverview(TNSystemInfo& info);

}  // namespace nsx::ui
