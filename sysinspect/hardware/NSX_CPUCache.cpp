#include "CpuVendors.h"
#include "NSX_CPU.h"

namespace nsx {

namespace {

constexpr std::uint32_t kLeaf5 = 0x80000005u, kLeaf6 = 0x80000006u;
// Leaf 4 lists a cache a subleaf; processors have at most a handful.
constexpr std::uint32_t kMostCaches = 16;

}  // namespace

void TCPUCache::GetInfo(std::int32_t vendorIndex) {
  auto signature = DecodeSignature(TCPU::ExecuteCPUID(1).eax);
  family_ = signature.family;
  model_ = signature.model;
  stepping_ = signature.stepping;
  nameString_ = BrandString(TCPU::ExecuteCPUID(0x80000002u), TCPU::ExecuteCPUID(0x80000003u),
                            TCPU::ExecuteCPUID(0x80000004u));
  sizes_ = CacheSizes{};
  switch (vendorIndex) {
    case kVendorIntel: ReadIntel(); break;
    case kVendorAMD: ReadAmd(); break;
    case kVendorCyrix: ReadCyrix(); break;
    case kVendorCentaur: ReadVia(); break;
    default: break;
  }
  AddKnownLevel1Caches(vendorIndex, signature, sizes_);
}

void TCPUCache::ReadIntel() {
  // The low byte of the first answer says how many times leaf 2 must be
  // executed; the last answer holds the descriptors.
  auto registers = TCPU::ExecuteCPUID(2);
  int calls = static_cast<int>(registers.eax & 0xFF);
  if (calls == 0) return;
  for (int i = 1; i < calls; ++i) registers = TCPU::ExecuteCPUID(2);
  bool useLeaf4 = DecodeIntelDescriptors(registers, family_, model_, sizes_);
  // A processor that sends to leaf 4 has it; one whose highest leaf is
  // lower would answer another leaf's registers.
  if (!useLeaf4 || TCPU::ExecuteCPUID(0).eax < 4) return;
  std::vector<platform::CpuIdRegisters> caches;
  for (std::uint32_t subleaf = 0; subleaf < kMostCaches; ++subleaf) {
    caches.push_back(TCPU::ExecuteCPUID(4, subleaf));
    if ((caches.back().eax & 0x1F) == 0) break;
  }
  DecodeDeterministicCaches(caches, sizes_);
}

AmdCacheRecord TCPUCache::ReadExtendedCacheLeaves(bool ungatedLeaf5) {
  std::uint32_t highest = TCPU::ExecuteCPUID(0x80000000u).eax;
  platform::CpuIdRegisters leaf5, leaf6;
  if (ungatedLeaf5 || (highest >= kLeaf5 && highest <= 0x8000FFFFu)) leaf5 = TCPU::ExecuteCPUID(kLeaf5);
  if (highest >= kLeaf6 && highest <= 0x8000FFFFu) leaf6 = TCPU::ExecuteCPUID(kLeaf6);
  return DecodeAmdRecord(leaf5, leaf6);
}

void TCPUCache::ReadAmd() {
  // Leaf 0x80000005 is read as ever; the L2 and L3 leaf only where it exists.
  DecodeAmdCache(ReadExtendedCacheLeaves(true), {0, family_, model_, stepping_}, nameString_, sizes_);
}

void TCPUCache::ReadVia() { DecodeViaCache(ReadExtendedCacheLeaves(false), {0, family_, model_, stepping_}, sizes_); }

void TCPUCache::ReadCyrix() { DecodeCyrixCache(TCPU::ExecuteCPUID(kLeaf5).ecx, sizes_); }

void TCPUCache::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "CPUCache", ClassName());
  WriteInteger(list, "Level1Data", sizes_.level1Data, "CPUID", "KB");
  WriteInteger(list, "Level1Code", sizes_.level1Code, "CPUID", "KB");
  WriteInteger(list, "Level2", sizes_.level2, "CPUID", "KB");
  WriteInteger(list, "Level3", sizes_.level3, "CPUID", "KB");
  for (const auto& text : sizes_.descriptions) WriteString(list, "CacheDescriptions", text, "CPUID");
  WriteElementEnd(list, "CPUCache");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
