// The processor vendors: the 12-character CPUID vendor string and the
// vendor's full name.
#pragma once
#include <string>

namespace nsx {

enum : int {
  kVendorUnknown = 0,
  kVendorIntel = 1,
  kVendorAMD = 2,
  kVendorCyrix = 3,
  kVendorCentaur = 4,
  kVendorNexGen = 5,
  kVendorUMC = 6,
  kVendorRise = 7,
  kVendorTransmeta = 8,
};

// The 1-based row of the vendor string (compared exactly, in full), or 0;
// `name` receives the full name of a matching row and is left alone otherwise.
int LookupVendor(const std::string& cpuidVendor, std::string* name);

}  // namespace nsx
