#include "CpuVendors.h"

#include <iterator>

namespace nsx {
namespace {

struct VendorRow {
  const char* cpuidVendor;
  const char* name;
};

// Row position = vendor index.
const VendorRow kVendors[] = {
    // CPUID vendor string  full name
    {"GenuineIntel", "Intel Corporation"},
    {"AuthenticAMD", "Advanced Micro Devices"},
    {"CyrixInstead", "Cyrix Corporation"},
    {"CentaurHauls", "IDT/Centaur/VIA"},
    {"NexGenDriven", "NexGen Inc."},
    {"UMC UMC UMC ", "United Microelectronics Corp"},  // the processor pads it to 12 with a blank
    {"RiseRiseRise", "Rise Technology"},
    {"GenuineTMx86", "Transmeta"},
};

}  // namespace

int LookupVendor(const std::string& cpuidVendor, std::string* name) {
  for (size_t i = 0; i < std::size(kVendors); ++i) {
    if (cpuidVendor == kVendors[i].cpuidVendor) {
      if (name) *name = kVendors[i].name;
      return static_cast<int>(i + 1);
    }
  }
  return kVendorUnknown;
}

}  // namespace nsx
