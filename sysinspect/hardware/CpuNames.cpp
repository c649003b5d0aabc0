#include "CpuNames.h"

#include <cstdint>
#include <initializer_list>

#include "CpuVendors.h"

namespace nsx {
namespace {

// The extra condition a row tests after family and model.
enum class When {
  Always,
  L2Is,            // Level2 == a
  L2Above,         // Level2 > a
  L2Not,           // Level2 != a
  BrandIn,         // brand is one of the bits of a
  BrandNotIn,      // brand is none of the bits of a
  FrequencyEither, // Frequency == a or Frequency == b
  FrequencyAbove,  // Frequency > a
  FrequencyAtLeast,
  FrequencyBelow,
  SteppingBelow,
  SteppingAtLeast,
  ExtFamilyIs,
};

constexpr std::uint32_t Brands(std::initializer_list<int> brands) {
  std::uint32_t bits = 0;
  for (int b : brands) bits |= 1u << b;
  return bits;
}

const char* const kKeep = nullptr;  // the row leaves this output alone
const char kClear[] = "";           // the row clears the code name

struct NameRow {
  int vendor;
  int family;
  int firstModel, lastModel;
  When when;
  std::uint32_t a, b;
  const char* friendlyName;  // kKeep: untouched
  const char* codeName;      // kKeep: untouched, kClear: emptied
};

const int kAny = 15;  // models 0-15

// \xB5 is the micro sign of the Windows Latin-1 code page.
const NameRow kNames[] = {
    // vendor family models condition a b FriendlyName CodeName
    {kVendorIntel, 4, 0, 1, When::Always, 0, 0, "i80486DX", "P4"},
    {kVendorIntel, 4, 2, 2, When::Always, 0, 0, "i80486SX", "P23"},
    {kVendorIntel, 4, 3, 3, When::Always, 0, 0, "i80486DX2", "P24"},
    {kVendorIntel, 4, 4, 4, When::Always, 0, 0, "i80486SL", "P23"},
    {kVendorIntel, 4, 5, 5, When::Always, 0, 0, "i80486SX2", "P23"},
    {kVendorIntel, 4, 7, 7, When::Always, 0, 0, "i80486DX2WB", "P24"},
    {kVendorIntel, 4, 8, 8, When::Always, 0, 0, "i80486DX4", "P24C"},
    {kVendorIntel, 4, 9, 9, When::Always, 0, 0, "i80486DX4WB", "P24C"},
    {kVendorIntel, 5, 0, 0, When::Always, 0, 0, "Pentium", "P5 A-Step (0,80\xB5m)"},
    {kVendorIntel, 5, 1, 1, When::Always, 0, 0, "Pentium", "P5 (0,80\xB5m)"},
    {kVendorIntel, 5, 2, 2, When::Always, 0, 0, "Pentium", "P54C (0,50\xB5m)"},
    {kVendorIntel, 5, 3, 3, When::Always, 0, 0, "Pentium", "P24T"},
    {kVendorIntel, 5, 4, 4, When::Always, 0, 0, "Pentium MMX", "P55C (0,28\xB5m)"},
    {kVendorIntel, 5, 7, 7, When::Always, 0, 0, "Pentium", "P54C (0,35\xB5m)"},
    {kVendorIntel, 5, 8, 8, When::Always, 0, 0, "Pentium MMX", "P55C (0,25\xB5m)"},
    {kVendorIntel, 5, 5, 6, When::Always, 0, 0, "Pentium", "P5"},
    {kVendorIntel, 5, 9, 15, When::Always, 0, 0, "Pentium", "P5"},
    {kVendorIntel, 6, 0, 0, When::Always, 0, 0, "Pentium Pro", "P6 A-step (0.50 \xB5m)"},
    {kVendorIntel, 6, 1, 1, When::Always, 0, 0, "Pentium Pro", "P6 (0.35 \xB5m)"},
    {kVendorIntel, 6, 3, 3, When::Always, 0, 0, "Pentium II", "Klamath (0.35 \xB5m)"},
    {kVendorIntel, 6, 5, 6, When::L2Is, 0, 0, "Celeron", "Covington (0,25\xB5m)"},
    {kVendorIntel, 6, 5, 6, When::L2Is, 128, 0, "Celeron A", "Mendocino (0,25\xB5m)"},
    {kVendorIntel, 6, 5, 6, When::L2Is, 256, 0, "Pentium II PE", "Dixon (0,25\xB5m)"},
    {kVendorIntel, 6, 5, 6, When::L2Is, 512, 0, "Pentium II", "Deschutes (0,25\xB5m)"},
    {kVendorIntel, 6, 5, 6, When::L2Above, 512, 0, "Pentium II Xeon", "Deschutes (0,25\xB5m)"},
    {kVendorIntel, 6, 7, 7, When::Always, 0, 0, "Pentium III", "Katmai (0.25 \xB5m)"},
    {kVendorIntel, 6, 7, 7, When::L2Above, 512, 0, "Pentium III Xeon", "Tanner (0.25 \xB5m)"},
    {kVendorIntel, 6, 8, 10, When::BrandIn, Brands({1}), 0, "Celeron", "Coppermine (0.18 \xB5m)"},
    {kVendorIntel, 6, 8, 10, When::BrandIn, Brands({2}), 0, "Pentium III", "Coppermine (0.18 \xB5m)"},
    {kVendorIntel, 6, 8, 10, When::BrandIn, Brands({3}), 0, "Pentium III Xeon", "Cascades (0.18 \xB5m)"},
    {kVendorIntel, 6, 11, 11, When::BrandIn, Brands({3}), 0, "Celeron", "Tualatin (0.13 \xB5m)"},
    {kVendorIntel, 6, 11, 11, When::BrandIn, Brands({4}), 0, "Pentium III", "Tualatin (0.13 \xB5m)"},
    {kVendorIntel, 6, 11, 11, When::BrandIn, Brands({6}), 0, "Pentium III (mobile)", "Tualatin (0.13 \xB5m)"},
    {kVendorIntel, 6, 11, 11, When::BrandIn, Brands({7}), 0, "Celeron (mobile)", "Tualatin (0.13 \xB5m)"},
    {kVendorIntel, 7, 0, kAny, When::Always, 0, 0, "Itanium", kClear},
    {kVendorIntel, 10, 0, kAny, When::Always, 0, 0, "Pentium III Xeon", "Cascades"},
    {kVendorIntel, 15, 0, 1, When::BrandIn, Brands({8, 9}), 0, "Pentium 4", kKeep},
    {kVendorIntel, 15, 0, 1, When::BrandIn, Brands({10}), 0, "Celeron 4", kKeep},
    {kVendorIntel, 15, 0, 1, When::BrandIn, Brands({11}), 0, "Pentium 4 Xeon MP", kKeep},
    {kVendorIntel, 15, 0, 1, When::BrandIn, Brands({14}), 0, "Pentium 4 Xeon", kKeep},
    {kVendorIntel, 15, 0, 1, When::BrandIn, Brands({8, 9, 10}), 0, kKeep, "Willamette (0.18 \xB5m)"},
    {kVendorIntel, 15, 0, 1, When::BrandNotIn, Brands({8, 9, 10}), 0, kKeep, "Foster (0.18 \xB5m)"},
    {kVendorIntel, 15, 2, 2, When::BrandIn, Brands({8}), 0, "Celeron 4 mobile", kKeep},
    {kVendorIntel, 15, 2, 2, When::BrandIn, Brands({9}), 0, "Pentium 4", kKeep},
    {kVendorIntel, 15, 2, 2, When::BrandIn, Brands({11}), 0, "Pentium 4 Xeon", kKeep},
    {kVendorIntel, 15, 2, 2, When::BrandIn, Brands({12}), 0, "Pentium 4 Xeon MP", kKeep},
    {kVendorIntel, 15, 2, 2, When::BrandIn, Brands({14}), 0, "Pentium 4 mobile (production)", kKeep},
    {kVendorIntel, 15, 2, 2, When::BrandIn, Brands({15}), 0, "Pentium 4 mobile (samples)", kKeep},
    {kVendorIntel, 15, 2, 2, When::BrandIn, Brands({8, 9, 14, 15}), 0, kKeep, "Northwood (0.13 \xB5m)"},
    {kVendorIntel, 15, 2, 2, When::BrandNotIn, Brands({8, 9, 14, 15}), 0, kKeep, "Prestonia (0.13 \xB5m)"},
    // An extended family of 1 is the Itanium 2 whatever the model and brand:
    // this row comes after the Pentium 4 rows so that it wins.
    {kVendorIntel, 15, 0, kAny, When::ExtFamilyIs, 1, 0, "Itanium 2", kClear},

    {kVendorAMD, 4, 0, 0, When::Always, 0, 0, "Am486DX", "P4"},
    {kVendorAMD, 4, 3, 3, When::Always, 0, 0, "Am486DX2", "P24"},
    {kVendorAMD, 4, 7, 7, When::Always, 0, 0, "Am486DX2", "P24"},
    {kVendorAMD, 4, 8, 9, When::Always, 0, 0, "Am486DX4", "P24C"},
    {kVendorAMD, 4, 14, 15, When::Always, 0, 0, "Am5x86", "X5"},
    {kVendorAMD, 5, 0, 0, When::Always, 0, 0, "K5", "SSA5 (0.50-0.35 \xB5m)"},
    {kVendorAMD, 5, 1, 3, When::Always, 0, 0, "K5-5k86 (PR120, PR133)", "5k86 (0.35 \xB5m)"},
    {kVendorAMD, 5, 6, 6, When::Always, 0, 0, "K6", "K6 (0.30 \xB5m)"},
    {kVendorAMD, 5, 7, 7, When::Always, 0, 0, "K6", "Little Foot (0.25 \xB5m)"},
    {kVendorAMD, 5, 8, 8, When::Always, 0, 0, "K6-II", "Chomper (0.25 \xB5m)"},
    {kVendorAMD, 5, 9, 9, When::Always, 0, 0, "K6-III", "Sharptooth (0.25 \xB5m)"},
    {kVendorAMD, 5, 13, 13, When::Always, 0, 0, "K6-II+/K6-III+", kClear},
    {kVendorAMD, 6, 1, 1, When::Always, 0, 0, "Athlon", "K7 (0.25)"},
    {kVendorAMD, 6, 2, 2, When::Always, 0, 0, "Athlon", "K75 (0.18 \xB5m)"},
    {kVendorAMD, 6, 3, 3, When::Always, 0, 0, "Duron", "Spitfire (0.18 \xB5m)"},
    {kVendorAMD, 6, 4, 4, When::Always, 0, 0, "Athlon", "Thunderbird (0.18 \xB5m)"},
    {kVendorAMD, 6, 6, 6, When::Always, 0, 0, "Athlon XP", "Palomino (0.18 \xB5m)"},
    {kVendorAMD, 6, 7, 7, When::Always, 0, 0, "Duron", "Morgan (0.18 \xB5m)"},
    // The 0.13 µm cores by their L2 (AMD's data sheets): Thoroughbred 256 KB,
    // Barton 512 KB, the Duron's Applebred 64 KB (model 8), and on model 10
    // Barton 512 KB and Thorton 256 KB, which are sold under several names.
    {kVendorAMD, 6, 8, 8, When::L2Not, 512, 0, "Athlon", "Thoroughbred (0.13 \xB5m)"},
    {kVendorAMD, 6, 8, 8, When::L2Is, 512, 0, "Athlon", "Barton (0.13 \xB5m)"},
    {kVendorAMD, 6, 8, 8, When::L2Is, 64, 0, "Duron", "Applebred (0.13 \xB5m)"},
    {kVendorAMD, 6, 10, 10, When::L2Is, 512, 0, kKeep, "Barton (0.13 \xB5m)"},
    {kVendorAMD, 6, 10, 10, When::L2Not, 512, 0, kKeep, "Thorton (0.13 \xB5m)"},

    {kVendorCyrix, 4, 0, 0, When::FrequencyEither, 20, 66, "Cx486SLC/DLC", "M0.5"},
    {kVendorCyrix, 4, 0, 0, When::FrequencyEither, 33, 50, "Cx486S", "M0.6"},
    {kVendorCyrix, 4, 0, 0, When::FrequencyAbove, 66, 0, "Cx486DX/DX2/DX4", "M0.7"},
    {kVendorCyrix, 4, 4, 4, When::Always, 0, 0, "Media GX", "Gx86"},
    {kVendorCyrix, 4, 9, 9, When::Always, 0, 0, "5x86", "M0.9 or M1sc (0.65 \xB5m)"},
    {kVendorCyrix, 5, 2, 2, When::Always, 0, 0, "6x86 and 6x86L", "M1 (0.65 \xB5m) and M1L (0.35 \xB5m)"},
    {kVendorCyrix, 5, 4, 4, When::Always, 0, 0, "MediaGXm", "GXm"},
    {kVendorCyrix, 6, 0, 0, When::FrequencyAtLeast, 225, 0, "M-II (PR300-433)", "M2 (0.35-0.25 \xB5m)"},
    {kVendorCyrix, 6, 0, 0, When::FrequencyBelow, 225, 0, "6x86MX (PR166-266)", "M2 (0.35 \xB5m)"},
    {kVendorCyrix, 6, 5, 5, When::Always, 0, 0, "VIA Cyrix III", "Joshua"},

    {kVendorCentaur, 5, 4, 4, When::Always, 0, 0, "WinChip", "C6 (0.35 \xB5m)"},
    {kVendorCentaur, 5, 8, 8, When::Always, 0, 0, "WinChip 2x", "W2x (0.35-0.25 \xB5m)"},
    {kVendorCentaur, 5, 9, 9, When::Always, 0, 0, "WinChip 3", "W3 (0.25 \xB5m)"},
    {kVendorCentaur, 6, 6, 6, When::Always, 0, 0, "VIA C3", "Samuel 1 (0.18\xB5m)"},
    {kVendorCentaur, 6, 7, 7, When::SteppingBelow, 8, 0, "VIA C3", "Samuel 2 (0.13\xB5m)"},
    {kVendorCentaur, 6, 7, 7, When::SteppingAtLeast, 8, 0, "VIA C3", "Ezra (0.13\xB5m)"},
    {kVendorCentaur, 6, 8, 8, When::Always, 0, 0, "VIA C3", "Ezra-T (0.13\xB5m)"},

    {kVendorNexGen, 5, 0, 0, When::Always, 0, 0, "Nx586", "Nx5x86 (0.50-0.44 \xB5m)"},
    {kVendorNexGen, 5, 6, 6, When::Always, 0, 0, "Nx686", "HA (0,50\xB5m)"},

    {kVendorUMC, 4, 1, 1, When::Always, 0, 0, "U5D", kClear},
    {kVendorUMC, 4, 2, 2, When::Always, 0, 0, "U5S", kClear},
    {kVendorUMC, 4, 3, 3, When::Always, 0, 0, "U486DX2", kClear},
    {kVendorUMC, 4, 4, 4, When::Always, 0, 0, "U486SX2", kClear},

    {kVendorRise, 5, 0, 0, When::Always, 0, 0, "mP6", "iDragon"},
    {kVendorRise, 5, 2, 2, When::Always, 0, 0, "mP6", "iDragon 0.18\xB5m"},
    {kVendorRise, 5, 8, 8, When::Always, 0, 0, "mP6", "iDragon II 0.25\xB5m"},
    {kVendorRise, 5, 9, 9, When::Always, 0, 0, "mP6", "iDragon II 0.18\xB5m"},

    {kVendorTransmeta, 5, 0, 9, When::Always, 0, 0, "Crusoe TM5x00", kClear},
};

bool InBits(std::uint32_t bits, int value) { return value >= 0 && value < 32 && (bits >> value) & 1u; }

bool Holds(const NameRow& row, const CpuNameQuery& q) {
  switch (row.when) {
    case When::Always: return true;
    case When::L2Is: return q.level2KB == static_cast<int>(row.a);
    case When::L2Above: return q.level2KB > static_cast<int>(row.a);
    case When::L2Not: return q.level2KB != static_cast<int>(row.a);
    case When::BrandIn: return InBits(row.a, q.brand);
    case When::BrandNotIn: return !InBits(row.a, q.brand);
    case When::FrequencyEither:
      return q.frequencyMHz == static_cast<int>(row.a) || q.frequencyMHz == static_cast<int>(row.b);
    case When::FrequencyAbove: return q.frequencyMHz > static_cast<int>(row.a);
    case When::FrequencyAtLeast: return q.frequencyMHz >= static_cast<int>(row.a);
    case When::FrequencyBelow: return q.frequencyMHz < static_cast<int>(row.a);
    case When::SteppingBelow: return q.stepping < static_cast<int>(row.a);
    case When::SteppingAtLeast: return q.stepping >= static_cast<int>(row.a);
    case When::ExtFamilyIs: return q.extendedFamily == static_cast<int>(row.a);
  }
  return false;
}

}  // namespace

void LookupCPUName(const CpuNameQuery& query, std::string& friendlyName, std::string& codeName) {
  if (query.vendorIndex == kVendorUnknown) return;
  for (const auto& row : kNames) {
    if (row.vendor != query.vendorIndex || row.family != query.family) continue;
    if (query.model < row.firstModel || query.model > row.lastModel) continue;
    if (!Holds(row, query)) continue;
    if (row.friendlyName) friendlyName = row.friendlyName;
    if (row.codeName) codeName = row.codeName;
  }
}

}  // namespace nsx
