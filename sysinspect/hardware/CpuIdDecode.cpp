#include "CpuIdDecode.h"

#include <cmath>
#include <cstdio>
#include <iterator>

namespace nsx {

CpuSignature DecodeSignature(std::uint32_t eax) {
  CpuSignature s;
  s.type = static_cast<int>((eax >> 12) & 0x3);
  s.family = static_cast<int>((eax >> 8) & 0xF);
  s.model = static_cast<int>((eax >> 4) & 0xF);
  s.stepping = static_cast<int>(eax & 0xF);
  return s;
}

std::string RegisterText(std::initializer_list<std::uint32_t> registers) {
  std::string text;
  for (std::uint32_t value : registers)
    for (int i = 0; i < 4; ++i) {
      char c = static_cast<char>((value >> (8 * i)) & 0xFF);
      if (c == '\0') return text;
      text += c;
    }
  return text;
}

std::string VendorString(const platform::CpuIdRegisters& leaf0) {
  return RegisterText({leaf0.ebx, leaf0.edx, leaf0.ecx});
}

std::string BrandString(const platform::CpuIdRegisters& l2, const platform::CpuIdRegisters& l3,
                        const platform::CpuIdRegisters& l4) {
  return RegisterText({l2.eax, l2.ebx, l2.ecx, l2.edx, l3.eax, l3.ebx, l3.ecx, l3.edx, l4.eax, l4.ebx, l4.ecx, l4.edx});
}

TCPUType CpuTypeOf(int type) {
  switch (type) {
    case 0: return ctPrimary;
    case 1: return ctOverDrive;
    case 2: return ctSecondary;
    default: return ctUnknown;
  }
}

TCPUFamily ClassifyFamily(int family, int extendedFamily) {
  // family -> class; 15 depends on the extended family.
  static const TCPUFamily kByFamily[16] = {
      cf8086,    cfUnknown, cf286,     cf386,     cf486,     cf586,     cf686,     cf8086_64,
      cfUnknown, cfUnknown, cfUnknown, cfUnknown, cfUnknown, cfUnknown, cfUnknown, cfUnknown,
  };
  if (family == 15) return extendedFamily == 0 ? cf786 : extendedFamily == 1 ? cf8086_64 : cfUnknown;
  return family >= 0 && family < 16 ? kByFamily[family] : cfUnknown;
}

std::string SignatureString(std::uint32_t eax, std::uint32_t edx, std::uint32_t ecx) {
  char text[32];
  std::snprintf(text, sizeof text, "%04X-%04X-%04X-%04X-%04X-%04X", static_cast<unsigned>(eax >> 16),
                static_cast<unsigned>(eax & 0xFFFF), static_cast<unsigned>(edx >> 16),
                static_cast<unsigned>(edx & 0xFFFF), static_cast<unsigned>(ecx >> 16),
                static_cast<unsigned>(ecx & 0xFFFF));
  return text;
}

int RoundFrequency(int mhz) {
  // Endings within a hundred, ascending; 133 closes the table and is never
  // reached since the remainder is below 100.
  static const int kEndings[] = {0, 20, 33, 50, 60, 66, 80, 90, 100, 133};
  int r = mhz % 100;
  if (r < 0) return mhz;
  for (size_t i = 1; i < std::size(kEndings); ++i) {
    if (r < kEndings[i]) {
      int below = kEndings[i - 1], above = kEndings[i];
      return r - below < above - r ? mhz - r + below : mhz - r + above;
    }
  }
  return mhz;
}

double MeasuringWindowMicroseconds(const std::optional<platform::PerformanceCount>& before,
                                   const std::optional<platform::PerformanceCount>& after) {
  constexpr double kWindow = 500000.0;
  if (!before || !after || before->frequency == 0 || after->frequency != before->frequency ||
      after->count <= before->count)
    return kWindow;
  double measured = static_cast<double>(after->count - before->count) * 1e6 / static_cast<double>(before->frequency);
  // Sleep never returns early by much; a reading far off is a broken counter.
  return measured >= 0.9 * kWindow && measured <= 10.0 * kWindow ? measured : kWindow;
}

int FrequencyFromCounter(std::uint64_t t0, std::uint64_t t1, double windowMicroseconds) {
  if (t1 < t0 || !(windowMicroseconds > 0)) return 0;
  double mhz = static_cast<double>(t1 - t0) / windowMicroseconds;
  double rounded = std::nearbyint(mhz);  // the default rounding mode: ties to even
  if (!(rounded < 2147483647.0)) return 0;  // no real clock; keeps the conversion defined
  return RoundFrequency(static_cast<int>(rounded));
}

bool DivisionFlawPresent() {
  // volatile: computed by this processor's divider at run time, not folded
  // by the compiler.
  volatile long double x = 4195835.0L;
  volatile long double y = 3145727.0L;
  long double result = x - (x / y) * y;
  return result != 0.0L;
}

}  // namespace nsx
