#include "DosProgram.h"

namespace nsx::sim {
namespace {

const std::uint32_t kMaxSteps = 100000;
const std::uint32_t kMegabyte = 0x100000;
const std::uint16_t kStdOut = 1;

struct Cpu {
  std::uint16_t ax = 0, bx = 0, cx = 0, dx = 0, ds = 0;
  bool carry = false;
  std::uint8_t Ah() const { return static_cast<std::uint8_t>(ax >> 8); }
  std::uint8_t Al() const { return static_cast<std::uint8_t>(ax); }
  void SetAh(std::uint8_t v) { ax = static_cast<std::uint16_t>((ax & 0x00FF) | (v << 8)); }
  void SetAl(std::uint8_t v) { ax = static_cast<std::uint16_t>((ax & 0xFF00) | v); }
  void SetDh(std::uint8_t v) { dx = static_cast<std::uint16_t>((dx & 0x00FF) | (v << 8)); }
};

// The 16-bit registers by their ModR/M number (AX CX DX BX; the others
// are not used by such programs).
std::uint16_t* Register(Cpu& cpu, int number) {
  switch (number) {
    case 0: return &cpu.ax;
    case 1: return &cpu.cx;
    case 2: return &cpu.dx;
    case 3: return &cpu.bx;
    default: return nullptr;
  }
}

}  // namespace

DosRun RunDosProgram(const platform::Bytes& program, const platform::Bytes& lowMemory) {
  DosRun run;
  Cpu cpu;
  std::size_t ip = 0;
  auto fetch = [&](std::uint8_t* byte) {
    if (ip >= program.size()) return false;
    *byte = program[ip++];
    return true;
  };
  auto memoryAt = [&](std::uint32_t address) -> std::uint8_t {
    address %= kMegabyte;
    return address < lowMemory.size() ? lowMemory[address] : 0;
  };
  for (std::uint32_t step = 0; step < kMaxSteps; ++step) {
    std::uint8_t op = 0, arg = 0;
    if (!fetch(&op)) return run;
    switch (op) {
      case 0x31:    // xor r/m16, r16 (register form only)
      case 0x89: {  // mov r/m16, r16
        if (!fetch(&arg) || (arg >> 6) != 3) return run;
        std::uint16_t* source = Register(cpu, (arg >> 3) & 7);
        std::uint16_t* target = Register(cpu, arg & 7);
        if (!source || !target) return run;
        if (op == 0x31) {
          *target ^= *source;
          cpu.carry = false;
        } else {
          *target = *source;
        }
        break;
      }
      case 0x8E: {  // mov ds, r16
        if (!fetch(&arg) || (arg >> 6) != 3 || ((arg >> 3) & 7) != 3) return run;
        std::uint16_t* source = Register(cpu, arg & 7);
        if (!source) return run;
        cpu.ds = *source;
        break;
      }
      case 0x40: case 0x41: case 0x42: case 0x43:  // inc r16
        ++*Register(cpu, op - 0x40);
        break;
      case 0x48: case 0x49: case 0x4A: case 0x4B:  // dec r16
        --*Register(cpu, op - 0x48);
        break;
      case 0xB0:  // mov al, imm8
        if (!fetch(&arg)) return run;
        cpu.SetAl(arg);
        break;
      case 0xB4:  // mov ah, imm8
        if (!fetch(&arg)) return run;
        cpu.SetAh(arg);
        break;
      case 0xB6:  // mov dh, imm8
        if (!fetch(&arg)) return run;
        cpu.SetDh(arg);
        break;
      case 0x72:  // jc rel8
        if (!fetch(&arg)) return run;
        if (cpu.carry) ip = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(ip) + static_cast<std::int8_t>(arg));
        break;
      case 0xCD:  // int imm8
        if (!fetch(&arg) || arg != 0x21) return run;
        if (cpu.Ah() == 0x4C) {
          run.ended = true;
          run.exitCode = cpu.Al();
          return run;
        }
        if (cpu.Ah() != 0x40) return run;
        if (cpu.bx != kStdOut) {
          cpu.carry = true;
          cpu.ax = 6;  // invalid handle
          break;
        }
        for (std::uint32_t i = 0; i < cpu.cx; ++i)
          run.standardOutput.push_back(memoryAt((static_cast<std::uint32_t>(cpu.ds) << 4) + ((cpu.dx + i) & 0xFFFFu)));
        cpu.carry = false;
        cpu.ax = cpu.cx;
        break;
      default:
        return run;
    }
  }
  return run;
}

}  // namespace nsx::sim
