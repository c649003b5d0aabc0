#include "ReportCommands.h"

#include <cstdio>

#include "OverviewModel.h"

namespace nsx::ui {

TTopic* TopicForPage(TNSystemInfo& info, int page) {
  (void)info;
  switch (page) {
    default:
      return nullptr;
  }
}

void WriteAllTopicsReport(TNSystemInfo& info, TReportList& list) {
  list.Clear();
  info.Report(list);
}

void WriteCurrentTopicReport(TNSystemInfo& info, int page, TReportList& list) {
  list.Clear();
  if (TTopic* topic = TopicForPage(info, page)) topic->Report(list, true);
}

void SaveReport(const TReportList& list, const std::string& path) {
  if (list.SaveToFile(path)) return;
  // A half-written report is worse than none.
  std::remove(path.c_str());
  throw ESaveError("Cannot write the report file " + path + ".");
}

}  // namespace nsx::ui
