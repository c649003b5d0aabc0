#include "NSX_Memory.h"

#include "../core/Runtime.h"

namespace nsx {
namespace {

const std::uint16_t kFreeSystem = 0, kFreeGdi = 1, kFreeUser = 2;
const int kNTFreeResources = 90;

}  // namespace

TResources::TResources() : thunkGate_(Machine().Memory().HasThunkGate()) {}

void TResources::GetInfo() {
  // Every NT release, the ones after the table too, answers 90: its kernel32
  // has no 16-bit side.
  if (OSInfo().IsNT) {
    system_ = gdi_ = user_ = kNTFreeResources;
    return;
  }
  // Without the 32-to-16-bit call gate (a 9x version reported by a kernel32
  // that has no 16-bit side, as 64-bit Wine in its Windows 98 mode) there is
  // nothing to ask: the amounts are unknown, which is no error.
  // Once the 16-bit side has failed, later gatherings (the overview asks every
  // second) answer unknown instead of raising the same error again.
  if (!thunkGate_ || side16Failed_) {
    system_ = gdi_ = user_ = 0;
    return;
  }
  system_ = Ask(kFreeSystem);
  user_ = Ask(kFreeUser);
  gdi_ = Ask(kFreeGdi);
  // The answers are percentages; anything else did not come from the heaps,
  // and no answer is better than a wrong one.
  if (system_ > 100 || user_ > 100 || gdi_ > 100) system_ = gdi_ = user_ = 0;
}

std::uint16_t TResources::Ask(std::uint16_t which) {
  auto& memory = Machine().Memory();
  if (entry16_ == 0) {
    // user.exe is a system module that stays loaded: the entry is looked up
    // under this reference, which is then released, and kept for later calls.
    std::uint32_t module = memory.LoadModule16("user.exe");
    if (module < 32) {
      side16Failed_ = true;
      system_ = gdi_ = user_ = 0;
      throw Exception("Can't load USER.EXE!");
    }
    std::uint32_t entry = memory.FindEntry16(module, "GetFreeSystemResources");
    memory.FreeModule16(module);
    if (entry == 0) {
      side16Failed_ = true;
      system_ = gdi_ = user_ = 0;
      throw Exception("Can't get address of GetFreeSystemResources");
    }
    entry16_ = entry;
  }
  return memory.CallFreeSystemResources(entry16_, which);
}

TMemory::TMemory()
    : hasStatusEx_(Machine().Memory().HasGlobalStatusEx()), resources_(std::make_unique<TResources>()) {}

TMemory::~TMemory() = default;

void TMemory::GetInfo() {
  GuardCall(ClassName() + ".GetInfo", exceptionMode_, *resources_, &TResources::GetInfo);
  TOSKind kind = OSInfo().OSKind;
  // A release newer than the known ones (osUnknown) is asked the extended
  // way too when it has the entry, so that memory above 4 GB is not clipped.
  bool before2000 = kind < osWin2000 && !(kind == osUnknown && hasStatusEx_);
  if (before2000)
    ReadStatus();
  else
    ReadExtendedStatus();

  auto info = Machine().Processor().SystemInfo();
  allocGranularity_ = static_cast<int>(info.allocationGranularity);
  maxAppAddress_ = static_cast<std::int32_t>(info.maximumApplicationAddress);
  minAppAddress_ = static_cast<std::int32_t>(info.minimumApplicationAddress);
  pageSize_ = static_cast<int>(info.pageSize);
}

void TMemory::ReadStatus() {
  auto status = Machine().Memory().GlobalStatus();
  memoryLoad_ = static_cast<int>(status.memoryLoad);
  physicalTotal_ = status.totalPhys;
  physicalFree_ = status.availPhys;
  virtualTotal_ = status.totalVirtual;
  virtualFree_ = status.availVirtual;
  pageFileTotal_ = status.totalPageFile;
  pageFileFree_ = status.availPageFile;
}

void TMemory::ReadExtendedStatus() {
  platform::MemoryStatusEx status;  // zero when the entry is missing or the call fails
  if (hasStatusEx_) status = Machine().Memory().GlobalStatusEx().value_or(platform::MemoryStatusEx{});
  memoryLoad_ = static_cast<int>(status.memoryLoad);
  physicalTotal_ = static_cast<std::int64_t>(status.totalPhys);
  physicalFree_ = static_cast<std::int64_t>(status.availPhys);
  virtualTotal_ = static_cast<std::int64_t>(status.totalVirtual);
  virtualFree_ = static_cast<std::int64_t>(status.availVirtual);
  pageFileTotal_ = static_cast<std::int64_t>(status.totalPageFile);
  pageFileFree_ = static_cast<std::int64_t>(status.availPageFile);
}

namespace {
// 64-bit sizes are written in full, as signed decimals.
void WriteSize(TReportList& list, const std::string& name, std::int64_t value, const char* unit) {
  WriteData(list, name, "integer", std::to_string(value), "", unit);
}
}  // namespace

void TMemory::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "Memory", ClassName());
  WriteSize(list, "PhysicalTotal", physicalTotal_, "B");
  WriteSize(list, "PhysicalFree", physicalFree_, "B");
  WriteSize(list, "PageFileTotal", pageFileTotal_, "B");
  WriteSize(list, "PageFileFree", pageFileFree_, "B");
  WriteSize(list, "VirtualTotal", virtualTotal_, "B");
  WriteSize(list, "VirtualFree", virtualFree_, "B");
  WriteInteger(list, "AllocationGranularity", allocGranularity_, "", "B");
  WriteInteger(list, "MinAppAddress", minAppAddress_);
  WriteInteger(list, "MaxAppAddress", maxAppAddress_);
  WriteInteger(list, "PageSize", pageSize_, "", "B");
  WriteElementEnd(list, "Memory");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
