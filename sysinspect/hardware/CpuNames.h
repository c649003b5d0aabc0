// The marketing names and core code names of the processors, looked up by
// vendor, family, model and a few distinguishing values.
#pragma once
#include <string>

namespace nsx {

struct CpuNameQuery {
  int vendorIndex = 0;
  int family = 0;
  int extendedFamily = 0;
  int model = 0;
  int stepping = 0;
  int brand = 0;
  int level2KB = 0;
  int frequencyMHz = 0;
};

// Applies every matching row in table order: a row assigns the names it
// holds (a code name may be cleared) and leaves the other output alone.
void LookupCPUName(const CpuNameQuery& query, std::string& friendlyName, std::string& codeName);

}  // namespace nsx
