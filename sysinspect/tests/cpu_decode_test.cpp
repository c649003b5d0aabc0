// Pure decoding of the identification registers: clock snapping, family
// classes, signature string, register texts and the vendor table.
#include <gtest/gtest.h>

#include "hardware/CpuIdDecode.h"
#include "hardware/CpuVendors.h"

namespace nsx {
namespace {

TEST(RoundFrequency, SnapsToTheNearestUsualEndingWithTiesGoingUp) {
  struct Case {
    int in, out;
  };
  const Case cases[] = {
      // measured  snapped
      {2793, 2790}, {2797, 2800}, {1410, 1420}, {733, 733},  {866, 866},   {1195, 1200}, {1433, 1433},
      {1449, 1450}, {99, 100},    {0, 0},       {10, 20},    {9, 0},       {41, 33},     {42, 50},
      {55, 60},     {54, 50},     {63, 66},     {62, 60},     {64, 66},    {73, 80},     {86, 90},     {95, 100},
      {94, 90},     {200, 200},   {3199, 3200}, {1533, 1533}, {2096, 2100},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundFrequency(c.in), c.out) << c.in;
}

TEST(FrequencyFromCounter, RoundsHalfToEvenBeforeSnapping) {
  // 500 ms of counting: MHz = ticks / 500000.
  EXPECT_EQ(FrequencyFromCounter(0, 249800000), 500);    // 499.6
  EXPECT_EQ(FrequencyFromCounter(0, 716700000), 1433);   // 1433.4
  EXPECT_EQ(FrequencyFromCounter(0, 724500000), 1450);   // 1449.0
  EXPECT_EQ(FrequencyFromCounter(0, 49500000), 100);     // 99.0
  EXPECT_EQ(FrequencyFromCounter(1000, 1000 + 366250000), 733);  // 732.5: ties to even gives 732, snapped to 733
  EXPECT_EQ(FrequencyFromCounter(0, 366750000), 733);    // 733.5 -> 734 -> 733
}

TEST(FrequencyFromCounter, ACounterThatRanBackwardsOrWildGivesZero) {
  EXPECT_EQ(FrequencyFromCounter(5000, 4000), 0);
  EXPECT_EQ(FrequencyFromCounter(0, ~0ull), 0);
  EXPECT_EQ(FrequencyFromCounter(7, 7), 0);
}

TEST(ClassifyFamily, FamiliesAndTheExtendedFamilyOf15) {
  EXPECT_EQ(ClassifyFamily(0, 0), cf8086);
  EXPECT_EQ(ClassifyFamily(1, 0), cfUnknown);
  EXPECT_EQ(ClassifyFamily(2, 0), cf286);
  EXPECT_EQ(ClassifyFamily(3, 0), cf386);
  EXPECT_EQ(ClassifyFamily(4, 0), cf486);
  EXPECT_EQ(ClassifyFamily(5, 0), cf586);
  EXPECT_EQ(ClassifyFamily(6, 3), cf686);
  EXPECT_EQ(ClassifyFamily(7, 0), cf8086_64);
  for (int f = 8; f <= 14; ++f) EXPECT_EQ(ClassifyFamily(f, 0), cfUnknown) << f;
  EXPECT_EQ(ClassifyFamily(15, 0), cf786);
  EXPECT_EQ(ClassifyFamily(15, 1), cf8086_64);
  EXPECT_EQ(ClassifyFamily(15, 2), cfUnknown);
  EXPECT_EQ(ClassifyFamily(15, 15), cfUnknown);
}

TEST(DecodeSignature, FieldsOfEaxAndTheCpuType) {
  auto s = DecodeSignature(0x00003F2Au);
  EXPECT_EQ(s.type, 3);
  EXPECT_EQ(s.family, 15);
  EXPECT_EQ(s.model, 2);
  EXPECT_EQ(s.stepping, 10);
  EXPECT_EQ(DecodeSignature(0x000906EAu).family, 6);  // extended fields are not folded in
  EXPECT_EQ(DecodeSignature(0x000906EAu).model, 14);
  EXPECT_EQ(CpuTypeOf(0), ctPrimary);
  EXPECT_EQ(CpuTypeOf(1), ctOverDrive);
  EXPECT_EQ(CpuTypeOf(2), ctSecondary);
  EXPECT_EQ(CpuTypeOf(3), ctUnknown);
  EXPECT_EQ(BrandIndex(0x00010809u), 9);
}

TEST(SignatureString, ThreeRegistersInTwelveHyphenatedGroups) {
  EXPECT_EQ(SignatureString(0x00000F29u, 0xBFEBFBFFu, 0x00004400u), "0000-0F29-BFEB-FBFF-0000-4400");
  EXPECT_EQ(SignatureString(0xFFFFFFFFu, 0, 0xA0B0C0D0u), "FFFF-FFFF-0000-0000-A0B0-C0D0");
  EXPECT_EQ(SignatureString(0, 0, 0).size(), 29u);
}

TEST(RegisterText, BytesLowFirstCutAtTheFirstZero) {
  EXPECT_EQ(VendorString({0, 0x756e6547, 0x6c65746e, 0x49656e69}), "GenuineIntel");
  EXPECT_EQ(RegisterText({0x00434241, 0x44434241}), "ABC");
  EXPECT_EQ(RegisterText({0, 0x41414141}), "");
  EXPECT_EQ(BrandString({}, {}, {}), "");
  // A full 48-byte text without any zero byte keeps all 48 characters.
  platform::CpuIdRegisters all{0x41414141, 0x41414141, 0x41414141, 0x41414141};
  EXPECT_EQ(BrandString(all, all, all), std::string(48, 'A'));
}

TEST(LookupVendor, ExactFullMatchesOnly) {
  struct Case {
    const char* id;
    int index;
    const char* name;
  };
  const Case cases[] = {
      {"GenuineIntel", 1, "Intel Corporation"},     {"AuthenticAMD", 2, "Advanced Micro Devices"},
      {"CyrixInstead", 3, "Cyrix Corporation"},     {"CentaurHauls", 4, "IDT/Centaur/VIA"},
      {"NexGenDriven", 5, "NexGen Inc."},           {"UMC UMC UMC ", 6, "United Microelectronics Corp"},
      {"RiseRiseRise", 7, "Rise Technology"},       {"GenuineTMx86", 8, "Transmeta"},
  };
  for (const auto& c : cases) {
    std::string name;
    EXPECT_EQ(LookupVendor(c.id, &name), c.index) << c.id;
    EXPECT_EQ(name, c.name);
  }
  std::string kept = "previous";
  EXPECT_EQ(LookupVendor("genuineintel", &kept), 0);
  EXPECT_EQ(LookupVendor("GenuineIntel ", &kept), 0);
  EXPECT_EQ(LookupVendor("HygonGenuine", &kept), 0);
  EXPECT_EQ(LookupVendor("UMC UMC UMC", &kept), 0);  // eleven characters never come from CPUID
  EXPECT_EQ(kept, "previous");
}

TEST(DivisionFlaw, ThisProcessorDividesCorrectly) { EXPECT_FALSE(DivisionFlawPresent()); }

}  // namespace
}  // namespace nsx
