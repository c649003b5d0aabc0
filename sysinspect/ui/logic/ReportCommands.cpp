#include "ReportCommands.h"

#include <cstdio>

#include "OverviewModel.h"
#include "hardware/NSX_APM.h"
#include "hardware/NSX_CPU.h"
#include "hardware/NSX_Disk.h"
#include "hardware/NSX_IDE.h"
#include "hardware/NSX_Devices.h"
#include "hardware/NSX_Memory.h"
#include "software/NSX_Display.h"
#include "software/NSX_Network.h"
#include "software/NSX_OS.h"
#include "software/NSX_Printers.h"
#include "software/NSX_Software.h"
#include "software/NSX_Startup.h"
#include "software/NSX_TimeZone.h"

namespace nsx::ui {

TTopic* TopicForPage(TNSystemInfo& info, int page) {
  switch (page) {
    case pgOS: return &info.OS();
    case pgCPU: return &info.CPU();
    case pgMemory: return &info.Memory();
    case pgDisplay: return &info.Display();
    case pgAPM: return &info.APM();
    case pgNetwork: return &info.Network();
    case pgIDE: return &info.IDE();
    case pgDrives: return &info.Disk();
    case pgDevices: return &info.Devices();
    case pgTimeZone: return &info.OS().TimeZone();
    case pgPrinters: return &info.Printers();
    case pgStartup: return &info.Startup();
    case pgSoftware: return &info.Software();
    default: return nullptr;  // About, and topics the aggregate does not hold yet
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
