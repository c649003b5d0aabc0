#include "HardwareProfile.h"

#include <fstream>
#include <sstream>

#include "ProfileError.h"
#include "ProfileFile.h"

namespace nsx::sim {
namespace {

double Real(const IniEntry& entry, const std::string& file) {
  try {
    size_t used = 0;
    double value = std::stod(entry.value, &used);
    if (used != entry.value.size() || !(value >= 0.0) || value > 1e7) throw std::invalid_argument("range");
    return value;
  } catch (const std::exception&) {
    throw ProfileError(file, entry.line, "\"" + entry.key + "\" needs a clock rate in MHz, not \"" + entry.value + "\"");
  }
}

class HardwareLoader {
 public:
  HardwareLoader(const IniFile& ini, SimMachine& machine) : ini_(ini), m_(machine) {}

  void Run(const std::string& dir) {
    bool nt = m_.version.platformId == platform::kPlatformNT;
    // kernel32 exports the extended memory query from Windows 2000 on, and
    // the 16-bit thunk gate only on the 9x family.
    if (!(nt && m_.version.majorVersion >= 5)) m_.memory.statusEx.reset();
    m_.memory.thunkGate = m_.version.platformId == platform::kPlatformWin9x;
    Cpu();
    Memory();
    Power();
    Resources();
    std::ifstream probe(dir + "/cpuid.txt");
    if (probe) m_.processor.leaves = LoadCpuIdDumpFile(dir + "/cpuid.txt", &m_.processor.subleaves);
  }

 private:
  std::uint32_t U32(const IniEntry& e) {
    return static_cast<std::uint32_t>(IniUnsigned(e, ini_.fileName, 0xFFFFFFFFu));
  }
  std::uint8_t U8(const IniEntry& e) { return static_cast<std::uint8_t>(IniUnsigned(e, ini_.fileName, 0xFF)); }
  std::uint16_t U16(const IniEntry& e) { return static_cast<std::uint16_t>(IniUnsigned(e, ini_.fileName, 0xFFFF)); }
  std::uint64_t U64(const IniEntry& e) { return IniUnsigned(e, ini_.fileName, ~0ull); }
  bool Flag(const IniEntry& e) { return IniUnsigned(e, ini_.fileName, 1) != 0; }

  void Cpu() {
    const IniSection* s = ini_.Find("cpu");
    if (!s) return;
    auto& p = m_.processor;
    if (auto* e = s->Find("ClockMHz")) p.clockMHz = Real(*e, ini_.fileName);
    if (auto* e = s->Find("Count")) p.systemInfo.numberOfProcessors = U32(*e);
    if (auto* e = s->Find("PageSize")) p.systemInfo.pageSize = U32(*e);
    if (auto* e = s->Find("AllocationGranularity")) p.systemInfo.allocationGranularity = U32(*e);
    if (auto* e = s->Find("MinAppAddress")) p.systemInfo.minimumApplicationAddress = U32(*e);
    if (auto* e = s->Find("MaxAppAddress")) p.systemInfo.maximumApplicationAddress = U32(*e);
    if (auto* e = s->Find("PriorityClass")) p.priorityClass = U32(*e);
  }

  // One set of figures answers both queries; the 32-bit one is clipped to
  // 4 GB - 1 as the system's answer is.
  void Memory() {
    const IniSection* s = ini_.Find("memory");
    if (!s) return;
    auto& mem = m_.memory;
    platform::MemoryStatusEx ex = mem.statusEx.value_or(platform::MemoryStatusEx{
        mem.status.memoryLoad, mem.status.totalPhys, mem.status.availPhys, mem.status.totalPageFile,
        mem.status.availPageFile, mem.status.totalVirtual, mem.status.availVirtual, 0});
    if (auto* e = s->Find("MemoryLoad")) ex.memoryLoad = U32(*e);
    if (auto* e = s->Find("TotalPhys")) ex.totalPhys = U64(*e);
    if (auto* e = s->Find("AvailPhys")) ex.availPhys = U64(*e);
    if (auto* e = s->Find("TotalPageFile")) ex.totalPageFile = U64(*e);
    if (auto* e = s->Find("AvailPageFile")) ex.availPageFile = U64(*e);
    if (auto* e = s->Find("TotalVirtual")) ex.totalVirtual = U64(*e);
    if (auto* e = s->Find("AvailVirtual")) ex.availVirtual = U64(*e);
    auto clip = [](std::uint64_t v) { return static_cast<std::uint32_t>(v > 0xFFFFFFFFull ? 0xFFFFFFFFull : v); };
    mem.status = {ex.memoryLoad,          clip(ex.totalPhys),    clip(ex.availPhys),  clip(ex.totalPageFile),
                  clip(ex.availPageFile), clip(ex.totalVirtual), clip(ex.availVirtual)};
    bool extended = mem.statusEx.has_value();
    if (auto* e = s->Find("Extended")) extended = Flag(*e);
    if (extended)
      mem.statusEx = ex;
    else
      mem.statusEx.reset();
  }

  void Power() {
    const IniSection* s = ini_.Find("power");
    if (!s) return;
    auto status = m_.memory.power.value_or(platform::PowerStatus{});
    if (auto* e = s->Find("ACLineStatus")) status.acLineStatus = U8(*e);
    if (auto* e = s->Find("BatteryFlag")) status.batteryFlag = U8(*e);
    if (auto* e = s->Find("BatteryLifePercent")) status.batteryLifePercent = U8(*e);
    if (auto* e = s->Find("BatteryLifeTime")) status.batteryLifeTime = U32(*e);
    if (auto* e = s->Find("BatteryFullLifeTime")) status.batteryFullLifeTime = U32(*e);
    m_.memory.power = status;
    if (auto* e = s->Find("Fails"); e && Flag(*e)) m_.memory.power.reset();
  }

  void Resources() {
    const IniSection* s = ini_.Find("resources");
    if (!s) return;
    auto& mem = m_.memory;
    if (auto* e = s->Find("System")) mem.freeSystem = U16(*e);
    if (auto* e = s->Find("GDI")) mem.freeGdi = U16(*e);
    if (auto* e = s->Find("User")) mem.freeUser = U16(*e);
    if (auto* e = s->Find("ThunkGate")) mem.thunkGate = Flag(*e);
    if (auto* e = s->Find("UserExeLoads")) mem.userExeLoads = Flag(*e);
    if (auto* e = s->Find("Entry")) mem.freeResourcesEntry = Flag(*e);
  }

  const IniFile& ini_;
  SimMachine& m_;
};

}  // namespace

void LoadHardwareProfile(const IniFile& ini, const std::string& dir, SimMachine& machine) {
  HardwareLoader(ini, machine).Run(dir);
}

CpuIdLeaves LoadCpuIdDumpFile(const std::string& path, CpuIdSubleaves* subleaves) {
  std::string text;
  if (!ReadProfileFile(path, &text)) throw ProfileError(path, 0, "cannot read the CPUID dump");
  return ParseCpuIdDump(text, path, subleaves);
}

}  // namespace nsx::sim
