#include <iostream>

#include "../platform/sim/Profile.h"
#include "../platform/sim/SimPlatform.h"
#include "ReportMachine.h"

namespace nsx::app {

bool GathersRunningMachine() { return false; }

std::unique_ptr<platform::Platform> CreateReportMachine(const ReportOptions& options) {
  auto machine = std::make_unique<sim::SimPlatform>(sim::LoadProfile(options.profile));
  machine->consoleSink = [](const std::string& line) { std::cout << line << std::endl; };
  return machine;
}

}  // namespace nsx::app
