// Pure decoding of the CPUID registers: identification fields, register
// texts, family classification, the signature string and the clock snap.
// Everything here takes the raw registers as data, so it decodes the
// instruction's answers and a dump alike.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

#include "../platform/Processor.h"

namespace nsx {

enum TCPUType { ctPrimary, ctOverDrive, ctSecondary, ctUnknown };
enum TCPUFamily { cfUnknown, cf8086, cf286, cf386, cf486, cf586, cf686, cf786, cf8086_64 };
enum TCPUArchitecture { IA_32, IA_64 };

// The fields of a leaf-1 style EAX (and the brand index of its EBX).
struct CpuSignature {
  int type = 0;      // bits 12-13
  int family = 0;    // bits 8-11
  int model = 0;     // bits 4-7
  int stepping = 0;  // bits 0-3
};
CpuSignature DecodeSignature(std::uint32_t eax);
inline int BrandIndex(std::uint32_t ebx) { return static_cast<int>(ebx & 0xFF); }

// The registers' bytes in the order given, each register low byte first,
// cut at the first zero byte (vendor and brand strings).
std::string RegisterText(std::initializer_list<std::uint32_t> registers);
// EBX, EDX, ECX of leaf 0.
std::string VendorString(const platform::CpuIdRegisters& leaf0);
// Leaves 0x80000002-0x80000004, EAX to EDX each.
std::string BrandString(const platform::CpuIdRegisters& l2, const platform::CpuIdRegisters& l3,
                        const platform::CpuIdRegisters& l4);

TCPUType CpuTypeOf(int type);
TCPUFamily ClassifyFamily(int family, int extendedFamily);

// "0000-0F29-BFEB-FBFF-0000-4400": EAX, EDX, ECX, each as two hyphenated
// groups of four upper-case hexadecimal digits.
std::string SignatureString(std::uint32_t eax, std::uint32_t edx, std::uint32_t ecx);

// Snaps a whole MHz value to the nearest of the usual clock endings (x00,
// x20, x33, x50, x60, x66, x80, x90 within each hundred); a tie goes up.
int RoundFrequency(int mhz);
// The clock from two counter readings 500 ms apart: MHz rounded to the
// nearest integer (ties to even), then snapped. A counter that went
// backwards (the thread moved to another processor) gives 0.
// `windowMicroseconds`: how long the counter ran (the 500 ms window, or what
// the high-resolution counter saw of it).
int FrequencyFromCounter(std::uint64_t t0, std::uint64_t t1, double windowMicroseconds = 500000.0);

// The length of the measuring window from two high-resolution counter
// readings; 500 ms when there is no counter or its answer is implausible.
double MeasuringWindowMicroseconds(const std::optional<platform::PerformanceCount>& before,
                                   const std::optional<platform::PerformanceCount>& after);

// x - (x / y) * y in extended precision with the operands of the Pentium's
// division flaw; true when the answer is not exactly 0.
bool DivisionFlawPresent();

}  // namespace nsx
