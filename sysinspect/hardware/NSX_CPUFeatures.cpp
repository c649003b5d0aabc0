#include "NSX_CPU.h"

namespace nsx {

void TCPUFeatures::GetInfo() {
  auto extended = TCPU::ExecuteCPUID(0x80000001u);
  registers_ = extended;
  auto leaf1 = TCPU::ExecuteCPUID(1);
  registers_ = leaf1;
  flags_ = DecodeFeatures(leaf1.edx, extended.edx);
}

void TCPUFeatures::GetFeaturesStr(TStringList& list) const {
  for (int i = 0; i < kFeatureCount; ++i)
    list.push_back(std::string(kFeatureRows[i].label) + "=" + (flags_[i] ? "1" : "0"));
}

void TCPUFeatures::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "CPUFeatures", ClassName());
  for (int i = 0; i < kFeatureCount; ++i) WriteBoolean(list, kFeatureRows[i].dataName, flags_[i], "CPUID");
  WriteElementEnd(list, "CPUFeatures");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
