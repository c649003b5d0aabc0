// The name tables: rows by vendor, family, model and their extra condition;
// outputs a row does not name stay as they were.
#include <gtest/gtest.h>

#include "hardware/CpuNames.h"

namespace nsx {
namespace {

struct NameCase {
  int vendor, family, extFamily, model, stepping, brand, l2, mhz;
  const char* friendlyName;  // expected; "=" keeps the given text
  const char* codeName;
};

const char kGivenName[] = "brand text";
const char kGivenCode[] = "earlier code";

void Check(const NameCase& c) {
  CpuNameQuery q{c.vendor, c.family, c.extFamily, c.model, c.stepping, c.brand, c.l2, c.mhz};
  std::string friendly = kGivenName, code = kGivenCode;
  LookupCPUName(q, friendly, code);
  EXPECT_EQ(friendly, std::string(c.friendlyName) == "=" ? kGivenName : c.friendlyName);
  EXPECT_EQ(code, std::string(c.codeName) == "=" ? kGivenCode : c.codeName);
}

TEST(LookupCPUName, IntelRows) {
  const NameCase cases[] = {
      // vendor family extFamily model stepping brand L2 MHz  FriendlyName  CodeName
      {1, 4, 0, 1, 0, 0, 0, 33, "i80486DX", "P4"},
      {1, 4, 6, 6, 0, 0, 0, 33, "=", "="},  // no row for model 6
      {1, 4, 0, 9, 0, 0, 0, 100, "i80486DX4WB", "P24C"},
      {1, 5, 0, 0, 0, 0, 0, 60, "Pentium", "P5 A-Step (0,80\xB5m)"},
      {1, 5, 0, 6, 0, 0, 0, 60, "Pentium", "P5"},
      {1, 5, 0, 12, 0, 0, 0, 60, "Pentium", "P5"},
      {1, 5, 0, 8, 0, 0, 0, 233, "Pentium MMX", "P55C (0,25\xB5m)"},
      {1, 6, 0, 0, 0, 0, 0, 150, "Pentium Pro", "P6 A-step (0.50 \xB5m)"},
      {1, 6, 0, 2, 0, 0, 0, 150, "=", "="},
      {1, 6, 0, 5, 0, 0, 0, 266, "Celeron", "Covington (0,25\xB5m)"},
      {1, 6, 0, 5, 0, 0, 1024, 400, "Pentium II Xeon", "Deschutes (0,25\xB5m)"},
      {1, 6, 0, 6, 0, 0, 384, 400, "=", "="},  // an L2 size no row names
      {1, 6, 0, 7, 0, 0, 256, 500, "Pentium III", "Katmai (0.25 \xB5m)"},
      {1, 6, 0, 7, 0, 0, 1024, 500, "Pentium III Xeon", "Tanner (0.25 \xB5m)"},
      {1, 6, 0, 8, 0, 1, 128, 600, "Celeron", "Coppermine (0.18 \xB5m)"},
      {1, 6, 0, 10, 0, 3, 1024, 700, "Pentium III Xeon", "Cascades (0.18 \xB5m)"},
      {1, 6, 0, 9, 0, 0, 0, 1300, "=", "="},  // brand 0: nothing
      {1, 6, 0, 11, 0, 3, 256, 1200, "Celeron", "Tualatin (0.13 \xB5m)"},
      {1, 6, 0, 11, 0, 6, 512, 1200, "Pentium III (mobile)", "Tualatin (0.13 \xB5m)"},
      {1, 6, 0, 11, 0, 7, 256, 1200, "Celeron (mobile)", "Tualatin (0.13 \xB5m)"},
      {1, 6, 0, 11, 0, 5, 512, 1200, "=", "="},
      {1, 7, 0, 3, 0, 0, 0, 800, "Itanium", ""},
      {1, 10, 0, 0, 0, 0, 0, 700, "Pentium III Xeon", "Cascades"},
      {1, 15, 1, 0, 0, 8, 0, 900, "Itanium 2", ""},
      {1, 15, 1, 2, 0, 9, 0, 900, "Itanium 2", ""},
      {1, 15, 0, 0, 0, 8, 256, 1500, "Pentium 4", "Willamette (0.18 \xB5m)"},
      {1, 15, 0, 1, 0, 10, 128, 1700, "Celeron 4", "Willamette (0.18 \xB5m)"},
      {1, 15, 0, 1, 0, 11, 256, 1500, "Pentium 4 Xeon MP", "Foster (0.18 \xB5m)"},
      {1, 15, 0, 1, 0, 14, 256, 1700, "Pentium 4 Xeon", "Foster (0.18 \xB5m)"},
      {1, 15, 0, 1, 0, 12, 256, 1700, "=", "Foster (0.18 \xB5m)"},  // brand 12: code name only
      {1, 15, 0, 2, 0, 8, 128, 2000, "Celeron 4 mobile", "Northwood (0.13 \xB5m)"},
      {1, 15, 0, 2, 0, 11, 512, 2400, "Pentium 4 Xeon", "Prestonia (0.13 \xB5m)"},
      {1, 15, 0, 2, 0, 12, 512, 2400, "Pentium 4 Xeon MP", "Prestonia (0.13 \xB5m)"},
      {1, 15, 0, 2, 0, 14, 512, 2400, "Pentium 4 mobile (production)", "Northwood (0.13 \xB5m)"},
      {1, 15, 0, 2, 0, 15, 512, 2400, "Pentium 4 mobile (samples)", "Northwood (0.13 \xB5m)"},
      {1, 15, 0, 2, 0, 10, 512, 2400, "=", "Prestonia (0.13 \xB5m)"},
      {1, 15, 0, 3, 0, 9, 1024, 3000, "=", "="},  // Prescott: not in the table
      {1, 15, 2, 0, 0, 8, 256, 1500, "Pentium 4", "Willamette (0.18 \xB5m)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "family " << c.family << " model " << c.model << " brand " << c.brand
                                    << " L2 " << c.l2);
    Check(c);
  }
}

TEST(LookupCPUName, OtherVendorsRows) {
  const NameCase cases[] = {
      // vendor family extFamily model stepping brand L2 MHz  FriendlyName  CodeName
      {2, 4, 0, 7, 0, 0, 0, 66, "Am486DX2", "P24"},
      {2, 4, 0, 15, 0, 0, 0, 133, "Am5x86", "X5"},
      {2, 5, 0, 2, 0, 0, 0, 100, "K5-5k86 (PR120, PR133)", "5k86 (0.35 \xB5m)"},
      {2, 5, 0, 9, 0, 0, 0, 450, "K6-III", "Sharptooth (0.25 \xB5m)"},
      {2, 5, 0, 13, 0, 0, 0, 550, "K6-II+/K6-III+", ""},
      {2, 6, 0, 1, 0, 0, 0, 600, "Athlon", "K7 (0.25)"},
      {2, 6, 0, 3, 0, 0, 64, 700, "Duron", "Spitfire (0.18 \xB5m)"},
      {2, 6, 0, 8, 0, 0, 256, 2000, "Athlon", "Thoroughbred (0.13 \xB5m)"},
      {2, 6, 0, 8, 0, 0, 512, 2000, "Athlon", "Barton (0.13 \xB5m)"},
      {2, 6, 0, 8, 0, 0, 64, 1600, "Duron", "Applebred (0.13 \xB5m)"},
      {2, 6, 0, 10, 0, 0, 512, 2200, "=", "Barton (0.13 \xB5m)"},  // the brand string names it
      {2, 6, 0, 10, 0, 0, 256, 2000, "=", "Thorton (0.13 \xB5m)"},
      {2, 15, 15, 4, 0, 0, 512, 2000, "=", "="},
      {3, 4, 0, 0, 0, 0, 0, 20, "Cx486SLC/DLC", "M0.5"},
      {3, 4, 0, 0, 0, 0, 0, 66, "Cx486SLC/DLC", "M0.5"},
      {3, 4, 0, 0, 0, 0, 0, 33, "Cx486S", "M0.6"},
      {3, 4, 0, 0, 0, 0, 0, 50, "Cx486S", "M0.6"},
      {3, 4, 0, 0, 0, 0, 0, 80, "Cx486DX/DX2/DX4", "M0.7"},
      {3, 4, 0, 0, 0, 0, 0, 60, "=", "="},  // 60 MHz matches no row
      {3, 4, 0, 9, 0, 0, 0, 100, "5x86", "M0.9 or M1sc (0.65 \xB5m)"},
      {3, 5, 0, 2, 0, 0, 0, 150, "6x86 and 6x86L", "M1 (0.65 \xB5m) and M1L (0.35 \xB5m)"},
      {3, 6, 0, 0, 0, 0, 0, 225, "M-II (PR300-433)", "M2 (0.35-0.25 \xB5m)"},
      {3, 6, 0, 0, 0, 0, 0, 220, "6x86MX (PR166-266)", "M2 (0.35 \xB5m)"},
      {3, 6, 0, 5, 0, 0, 0, 500, "VIA Cyrix III", "Joshua"},
      {4, 5, 0, 4, 0, 0, 0, 200, "WinChip", "C6 (0.35 \xB5m)"},
      {4, 6, 0, 6, 0, 0, 0, 533, "VIA C3", "Samuel 1 (0.18\xB5m)"},
      {4, 6, 0, 7, 7, 0, 0, 667, "VIA C3", "Samuel 2 (0.13\xB5m)"},
      {4, 6, 0, 7, 8, 0, 0, 800, "VIA C3", "Ezra (0.13\xB5m)"},
      {5, 5, 0, 0, 0, 0, 0, 90, "Nx586", "Nx5x86 (0.50-0.44 \xB5m)"},
      {5, 5, 0, 6, 0, 0, 0, 200, "Nx686", "HA (0,50\xB5m)"},
      {6, 4, 0, 3, 0, 0, 0, 66, "U486DX2", ""},
      {6, 4, 0, 5, 0, 0, 0, 66, "=", "="},
      {7, 5, 0, 8, 0, 0, 0, 266, "mP6", "iDragon II 0.25\xB5m"},
      {7, 5, 0, 1, 0, 0, 0, 266, "=", "="},
      {8, 5, 0, 4, 0, 0, 0, 600, "Crusoe TM5x00", ""},
      {8, 5, 0, 10, 0, 0, 0, 600, "=", "="},
      {0, 5, 0, 4, 0, 0, 0, 200, "=", "="},  // unknown vendor: nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "vendor " << c.vendor << " family " << c.family << " model " << c.model
                                    << " MHz " << c.mhz);
    Check(c);
  }
}

}  // namespace
}  // namespace nsx
