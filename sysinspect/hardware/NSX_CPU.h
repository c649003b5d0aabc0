// The processor topic: TCPU (identification, names, clock, signature, the
// division flaw) with the two objects it owns, TCPUFeatures (feature flags)
// and TCPUCache (cache sizes and descriptions).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "../core/NSX_Common.h"
#include "CacheDescriptors.h"
#include "CpuFeatureTable.h"
#include "CpuIdDecode.h"

namespace nsx {

class TCPUFeatures : public TTopic {
 public:
  // Leaf 0x80000001 (whatever the highest extended leaf), then leaf 1.
  void GetInfo();
  // Appends one "Label=0|1" line per flag, in table order, to the list.
  void GetFeaturesStr(TStringList& list) const;
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TCPUFeatures"; }

  bool Flag(int row) const { return flags_.at(static_cast<size_t>(row)); }
  const FeatureFlags& Flags() const { return flags_; }
  // The registers of the last leaf executed (leaf 1).
  const platform::CpuIdRegisters& Registers() const { return registers_; }

  bool FPU() const { return flags_[0]; }
  bool VME() const { return flags_[1]; }
  bool DE() const { return flags_[2]; }
  bool PSE() const { return flags_[3]; }
  bool TSC() const { return flags_[4]; }
  bool MSR() const { return flags_[5]; }
  bool PAE() const { return flags_[6]; }
  bool MCE() const { return flags_[7]; }
  bool CX8() const { return flags_[8]; }
  bool APIC() const { return flags_[9]; }
  bool SEP() const { return flags_[10]; }
  bool MTRR() const { return flags_[11]; }
  bool PGE() const { return flags_[12]; }
  bool MCA() const { return flags_[13]; }
  bool CMOV() const { return flags_[14]; }
  bool PAT() const { return flags_[15]; }
  bool PSE36() const { return flags_[16]; }
  bool PSN() const { return flags_[17]; }
  bool CLFSH() const { return flags_[18]; }
  bool DS() const { return flags_[19]; }
  bool ACPI() const { return flags_[20]; }
  bool MMX() const { return flags_[21]; }
  bool FXSR() const { return flags_[22]; }
  bool SSE() const { return flags_[23]; }
  bool SSE2() const { return flags_[24]; }
  bool SS() const { return flags_[25]; }
  bool HTT() const { return flags_[26]; }
  bool TM() const { return flags_[27]; }
  bool _3DNOW() const { return flags_[28]; }
  bool EX_3DNOW() const { return flags_[29]; }
  bool EX_MMX() const { return flags_[30]; }

 private:
  FeatureFlags flags_{};
  platform::CpuIdRegisters registers_;
};

class TCPUCache : public TTopic {
 public:
  // 1 Intel, 2 AMD, 3 Cyrix, 4 Centaur/VIA; any other index only resets.
  void GetInfo(std::int32_t vendorIndex);
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TCPUCache"; }

  int Level1() const { return sizes_.level1; }
  int Level2() const { return sizes_.level2; }
  int Level3() const { return sizes_.level3; }
  int Level1Data() const { return sizes_.level1Data; }
  int Level1Code() const { return sizes_.level1Code; }
  const TStringList& Descriptions() const { return sizes_.descriptions; }
  int Family() const { return family_; }
  int Model() const { return model_; }
  int Stepping() const { return stepping_; }
  const std::string& NameString() const { return nameString_; }

 private:
  void ReadIntel();
  void ReadAmd();
  void ReadVia();
  void ReadCyrix();
  // Leaves 0x80000005 and 0x80000006, each as zeros where the processor's
  // highest extended leaf is below it.
  AmdCacheRecord ReadExtendedCacheLeaves(bool ungatedLeaf5);

  CacheSizes sizes_;
  int family_ = 0, model_ = 0, stepping_ = 0;
  std::string nameString_;
};

class TCPU : public TTopic {
 public:
  TCPU();
  ~TCPU() override;
  TCPU(const TCPU&) = delete;
  TCPU& operator=(const TCPU&) = delete;

  // Gathers everything; the aggregate passes (1, true).
  void GetInfo(std::int32_t includeCache, bool includeFeatures);
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TCPU"; }

  TExceptionMode ExceptionMode() const { return exceptionMode_; }
  void SetExceptionMode(TExceptionMode mode) { exceptionMode_ = mode; }

  int Count() const { return count_; }
  const std::string& Vendor() const { return vendor_; }
  const std::string& FriendlyName() const { return friendlyName_; }
  const std::string& CodeName() const { return codeName_; }
  int Frequency() const { return frequency_; }
  int Family() const { return family_; }
  int Model() const { return model_; }
  int Stepping() const { return stepping_; }
  TCPUFeatures& Features() { return *features_; }
  const TCPUFeatures& Features() const { return *features_; }
  TCPUCache& Cache() { return *cache_; }
  const TCPUCache& Cache() const { return *cache_; }
  const std::string& SerialNumber() const { return serialNumber_; }
  bool FDIVBug() const { return fdivBug_; }
  TCPUType CPUType() const { return cpuType_; }
  TCPUFamily FamilyType() const { return familyType_; }
  TCPUArchitecture Architecture() const { return architecture_; }

  // Kept from the last gathering; the report shows them.
  const std::string& RegVendor() const { return regVendor_; }
  const std::string& RegIdentifier() const { return regIdentifier_; }
  const std::string& RegNameString() const { return regNameString_; }
  int RegFrequency() const { return regFrequency_; }
  const std::string& CPUIDVendor() const { return cpuidVendor_; }
  const std::string& CPUIDNameString() const { return cpuidNameString_; }
  int VendorIndex() const { return vendorIndex_; }
  std::uint32_t MaximumFunctionLevel() const { return maxFunctionLevel_; }
  std::uint32_t MaximumExtendedFunctionLevel() const { return maxExtendedFunctionLevel_; }
  int Type() const { return type_; }
  int Brand() const { return brand_; }
  int ExtendedFamily() const { return extendedFamily_; }
  int ExtendedModel() const { return extendedModel_; }
  int ExtendedStepping() const { return extendedStepping_; }
  const platform::CpuIdRegisters& Leaf1() const { return leaf1_; }
  const platform::CpuIdRegisters& ExtendedLeaf1() const { return extendedLeaf1_; }
  bool IncludeCache() const { return includeCache_; }
  bool IncludeFeatures() const { return includeFeatures_; }

  // CPUID through the platform.
  static platform::CpuIdRegisters ExecuteCPUID(std::uint32_t leaf);
  static platform::CpuIdRegisters ExecuteCPUID(std::uint32_t leaf, std::uint32_t subleaf);

 private:
  void ReadRegistry();
  int MeasureFrequency();

  TExceptionMode exceptionMode_ = emMessage;
  std::unique_ptr<TCPUFeatures> features_;
  std::unique_ptr<TCPUCache> cache_;

  int count_ = 0;
  std::string vendor_, friendlyName_, codeName_, serialNumber_;
  int frequency_ = 0, family_ = 0, model_ = 0, stepping_ = 0;
  bool fdivBug_ = false;
  TCPUType cpuType_ = ctPrimary;
  TCPUFamily familyType_ = cfUnknown;
  TCPUArchitecture architecture_ = IA_32;

  std::string regVendor_, regIdentifier_, regNameString_;
  int regFrequency_ = 0;
  std::string cpuidVendor_, cpuidNameString_;
  int vendorIndex_ = 0;
  std::uint32_t maxFunctionLevel_ = 0, maxExtendedFunctionLevel_ = 0;
  int type_ = 0, brand_ = 0, extendedFamily_ = 0, extendedModel_ = 0, extendedStepping_ = 0;
  platform::CpuIdRegisters leaf1_, extendedLeaf1_;
  bool includeCache_ = false, includeFeatures_ = false;
};

}  // namespace nsx
