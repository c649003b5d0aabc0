#include "NSX_CPU.h"

#include "../core/Runtime.h"
#include "CpuNames.h"
#include "CpuVendors.h"

namespace nsx {
namespace {

const char kProcessorKey[] = "\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

// Raises the process to real-time and the thread to time-critical priority
// for its scope, and puts back what it found on every path out.
class PriorityRaise {
 public:
  explicit PriorityRaise(platform::ProcessorApi& cpu)
      : cpu_(cpu), priorityClass_(cpu.ProcessPriorityClass()), threadPriority_(cpu.CurrentThreadPriority()) {
    cpu_.SetProcessPriorityClass(platform::kRealtimePriorityClass);
    cpu_.SetCurrentThreadPriority(platform::kThreadPriorityTimeCritical);
  }
  PriorityRaise(const PriorityRaise&) = delete;
  PriorityRaise& operator=(const PriorityRaise&) = delete;
  ~PriorityRaise() {
    cpu_.SetCurrentThreadPriority(threadPriority_);
    if (priorityClass_ != 0) cpu_.SetProcessPriorityClass(priorityClass_);  // 0: the query had failed
  }

 private:
  platform::ProcessorApi& cpu_;
  std::uint32_t priorityClass_;
  int threadPriority_;
};

}  // namespace

TCPU::TCPU() : features_(std::make_unique<TCPUFeatures>()), cache_(std::make_unique<TCPUCache>()) {}

TCPU::~TCPU() = default;

platform::CpuIdRegisters TCPU::ExecuteCPUID(std::uint32_t leaf) { return Machine().Processor().CpuId(leaf); }
platform::CpuIdRegisters TCPU::ExecuteCPUID(std::uint32_t leaf, std::uint32_t subleaf) {
  return Machine().Processor().CpuIdSubleaf(leaf, subleaf);
}

void TCPU::GetInfo(std::int32_t includeCache, bool includeFeatures) {
  includeCache_ = includeCache != 0;
  includeFeatures_ = includeFeatures;

  cpuidVendor_ = VendorString(ExecuteCPUID(0));
  vendorIndex_ = LookupVendor(cpuidVendor_, &vendor_);

  const std::string context = ClassName() + ".GetInfo";
  if (includeCache_) GuardCall(context, exceptionMode_, *cache_, &TCPUCache::GetInfo, vendorIndex_);
  if (includeFeatures_) GuardCall(context, exceptionMode_, *features_, &TCPUFeatures::GetInfo);

  count_ = static_cast<int>(Machine().Processor().SystemInfo().numberOfProcessors);
  ReadRegistry();

  maxExtendedFunctionLevel_ = ExecuteCPUID(0x80000000u).eax;
  maxFunctionLevel_ = ExecuteCPUID(0).eax;

  leaf1_ = ExecuteCPUID(1);
  auto signature = DecodeSignature(leaf1_.eax);
  type_ = signature.type;
  family_ = signature.family;
  model_ = signature.model;
  stepping_ = signature.stepping;
  brand_ = BrandIndex(leaf1_.ebx);

  extendedLeaf1_ = ExecuteCPUID(0x80000001u);
  auto extended = DecodeSignature(extendedLeaf1_.eax);
  extendedFamily_ = extended.family;
  extendedModel_ = extended.model;
  extendedStepping_ = extended.stepping;

  cpuType_ = CpuTypeOf(type_);
  familyType_ = ClassifyFamily(family_, extendedFamily_);
  frequency_ = MeasureFrequency();
  cpuidNameString_ =
      BrandString(ExecuteCPUID(0x80000002u), ExecuteCPUID(0x80000003u), ExecuteCPUID(0x80000004u));
  fdivBug_ = DivisionFlawPresent();

  friendlyName_ = cpuidNameString_;
  CpuNameQuery query;
  query.vendorIndex = vendorIndex_;
  query.family = family_;
  query.extendedFamily = extendedFamily_;
  query.model = model_;
  query.stepping = stepping_;
  query.brand = brand_;
  query.level2KB = cache_->Level2();
  query.frequencyMHz = frequency_;
  LookupCPUName(query, friendlyName_, codeName_);

  architecture_ = familyType_ == cf8086_64 ? IA_64 : IA_32;
  serialNumber_ = SignatureString(leaf1_.eax, leaf1_.edx, leaf1_.ecx);
}

void TCPU::ReadRegistry() {
  auto key = platform::RegKey::Open(Reg(), platform::RegRoot::LocalMachine, kProcessorKey);
  if (!key) return;
  regVendor_ = key.String("VendorIdentifier").value_or("");
  regIdentifier_ = key.String("Identifier").value_or("");
  if (auto name = key.String("ProcessorNameString")) regNameString_ = *name;
  if (auto mhz = key.Dword("~MHz")) regFrequency_ = static_cast<int>(*mhz);
}

int TCPU::MeasureFrequency() {
  auto& cpu = Machine().Processor();
  std::uint64_t t0 = 0, t1 = 0;
  std::optional<platform::PerformanceCount> before, after;
  {
    PriorityRaise raise(cpu);
    cpu.SleepMilliseconds(10);
    before = cpu.PerformanceCounter();
    t0 = cpu.TimeStampCounter();
    cpu.SleepMilliseconds(500);
    t1 = cpu.TimeStampCounter();
    after = cpu.PerformanceCounter();
  }
  // A sleep that overruns (a busy machine) would otherwise count as 500 ms.
  return FrequencyFromCounter(t0, t1, MeasuringWindowMicroseconds(before, after));
}

void TCPU::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "CPU", ClassName());
  WriteString(list, "Count", std::to_string(count_), "API");
  WriteString(list, "Vendor", regVendor_, "Registry");
  WriteString(list, "VendorID", regIdentifier_, "Registry");
  WriteString(list, "NameString", regNameString_, "Registry");
  WriteInteger(list, "Frequency", regFrequency_, "Registry", "MHz");
  WriteString(list, "Vendor", cpuidVendor_, "CPUID");
  WriteString(list, "NameString", Trim(cpuidNameString_), "CPUID");
  WriteString(list, "FriendlyName", friendlyName_, "CPUID");
  WriteString(list, "CodeName", codeName_, "CPUID");
  WriteInteger(list, "Family", family_, "CPUID");
  WriteInteger(list, "ExtendedFamily", extendedFamily_, "CPUID");
  WriteInteger(list, "Model", model_, "CPUID");
  WriteInteger(list, "ExtendedModel", extendedModel_, "CPUID");
  WriteInteger(list, "Stepping", stepping_, "CPUID");
  WriteInteger(list, "ExtendedStepping", extendedStepping_, "CPUID");
  WriteInteger(list, "Type", type_, "CPUID");
  WriteInteger(list, "Brand", brand_, "CPUID");
  WriteInteger(list, "MaximumFunctionLevel", maxFunctionLevel_, "CPUID");
  WriteInteger(list, "MaximumExtendedFunctionLevel", maxExtendedFunctionLevel_, "CPUID");
  WriteInteger(list, "Frequency", frequency_, "CPUID", "MHz");
  WriteString(list, "SerialNumber", serialNumber_, "CPUID");
  WriteData(list, "FDIVBug", "boolean", fdivBug_ ? "1" : "0", "API");
  WriteElementEnd(list, "CPU");
  if (includeFeatures_) features_->Report(list, false);
  if (includeCache_) cache_->Report(list, false);
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
