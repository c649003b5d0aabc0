// The simulated machine's processor, memory and power: the data behind the
// processor and memory interfaces, and what those interfaces were asked.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "../Memory.h"
#include "../Processor.h"

namespace nsx::sim {

struct SimProcessor {
  // CPUID leaves of the first processor (ECX = 0); a leaf not listed answers
  // four zero registers.
  std::map<std::uint32_t, platform::CpuIdRegisters> leaves;
  // The further subleaves (ECX >= 1) by leaf and subleaf, as leaf 4 lists
  // caches; one not listed answers zeros.
  std::map<std::pair<std::uint32_t, std::uint32_t>, platform::CpuIdRegisters> subleaves;
  // The rate of the time-stamp counter, which runs only while the machine
  // sleeps (simulated time passes nowhere else).
  double clockMHz = 0.0;
  std::uint64_t timeStampCounter = 0;
  // Each sleep lasts this much longer than asked, as on a loaded machine.
  std::uint32_t sleepOvershootMilliseconds = 0;
  // The high-resolution counter (1,193,182 counts a second, the PC timer's
  // rate); false: the machine has none.
  bool hasPerformanceCounter = true;
  std::uint64_t performanceCount = 0;
  platform::SystemInformation systemInfo{4096, 0x00010000u, 0x7FFEFFFFu, 1, 1, 586, 0x00010000u, 6, 0};
  std::uint32_t priorityClass = platform::kNormalPriorityClass;
  int threadPriority = platform::kThreadPriorityNormal;
  // What the machine was asked, in order: "class=256", "thread=15",
  // "sleep=10", "tsc" (with the class and thread priority of that moment).
  std::vector<std::string> events;
  std::map<std::uint32_t, int> cpuidCalls;  // leaf -> times executed
};

struct SimMemory {
  platform::MemoryStatus status{38, 0x1FF70000u, 0x13880000u, 0x3E4C0000u, 0x2F400000u, 0x7FFE0000u, 0x7FE10000u};
  // nullopt: kernel32 exports no GlobalMemoryStatusEx (before Windows 2000).
  std::optional<platform::MemoryStatusEx> statusEx = platform::MemoryStatusEx{
      38, 0x1FF70000u, 0x13880000u, 0x3E4C0000u, 0x2F400000u, 0x7FFE0000u, 0x7FE10000u, 0};
  // nullopt: GetSystemPowerStatus fails.
  std::optional<platform::PowerStatus> power = platform::PowerStatus{1, 128, 255, 0, 0xFFFFFFFFu, 0xFFFFFFFFu};

  // The 9x family's 16-bit free resources.
  bool thunkGate = false;          // kernel32 exports QT_Thunk
  bool userExeLoads = true;        // LoadLibrary16("user.exe") answers a handle >= 32
  bool freeResourcesEntry = true;  // user.exe exports GetFreeSystemResources
  std::uint16_t freeSystem = 0, freeGdi = 0, freeUser = 0;
  // Every 16-bit operation asked: "load user.exe", "free", "entry ...", "call 0".
  std::vector<std::string> calls16;
};

}  // namespace nsx::sim
