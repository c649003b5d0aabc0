// The machine the console reporter gathers: the running Windows, or on
// other systems a simulated machine loaded from a profile directory.
#pragma once
#include <memory>
#include <string>

#include "../platform/Platform.h"

namespace nsx::app {

struct ReportOptions {
  std::string profile;  // --profile DIR
  std::string output;   // the report file; empty: the default name
  bool help = false;
};

// True when this build gathers the running machine (no --profile needed).
bool GathersRunningMachine();

// Throws nsx::sim::ProfileError (what() names file and line) when the profile
// cannot be loaded.
std::unique_ptr<platform::Platform> CreateReportMachine(const ReportOptions& options);

}  // namespace nsx::app
