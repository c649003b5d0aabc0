// The overview's two report commands without their dialogs: which topic a
// page reports, the lines each command writes, and saving them.
#pragma once
#include <stdexcept>
#include <string>

#include "core/NSX_GUI.h"

namespace nsx::ui {

// The topic object a page shows and reports; null for About and for pages
// whose topic the aggregate does not hold.
TTopic* TopicForPage(TNSystemInfo& info, int page);

// "All Topics": the list is cleared, then holds the aggregate's report.
void WriteAllTopicsReport(TNSystemInfo& info, TReportList& list);
// "Current Topic": the list is cleared, then holds the page's topic as a
// document of its own (nothing at all for About).
void WriteCurrentTopicReport(TNSystemInfo& info, int page, TReportList& list);

class ESaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// Writes the lines (CR LF each, bytes as held) over `path`. When the file
// cannot be written completely it is removed and ESaveError is raised.
void SaveReport(const TReportList& list, const std::string& path);

}  // namespace nsx::ui
