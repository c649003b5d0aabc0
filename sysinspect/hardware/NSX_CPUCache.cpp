#include "CpuVendors.h"
#include "NSX_CPU.h"

namespace nsx {

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
    default: break;
  }
}

void TCPUCache::ReadIntel() {
  // The low byte of the first answer says how many times leaf 2 must be
  // executed; the last answer holds the descriptors.
  auto registers = TCPU::ExecuteCPUID(2);
  int calls = static_cast<int>(registers.eax & 0xFF);
  if (calls == 0) return;
  for (int i = 1; i < calls; ++i) registers = TCPU::ExecuteCPUID(2);
  DecodeIntelDescriptors(registers, sizes_);
}

void TCPUCache::ReadAmd() {
  auto record = DecodeAmdRecord(TCPU::ExecuteCPUID(0x80000005u), TCPU::ExecuteCPUID(0x80000006u));
  DecodeAmdCache(record, family_, model_, nameString_, sizes_);
}

void TCPUCache::ReadCyrix() { DecodeCyrixCache(TCPU::ExecuteCPUID(0x80000005u).ecx, sizes_); }

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
