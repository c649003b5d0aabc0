// The memory topic: TMemory (physical, page-file and virtual totals, the
// page size and application address range) and the free system resources
// it owns, TResources.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "../core/NSX_Common.h"

namespace nsx {

// Percent free of the 9x family's 16-bit System, GDI and User heaps; the NT
// family has no such limits and answers 90 for each.
class TResources {
 public:
  TResources();
  void GetInfo();

  int System() const { return system_; }
  int GDI() const { return gdi_; }
  int User() const { return user_; }

 private:
  std::uint16_t Ask(std::uint16_t which);

  bool thunkGate_ = false;       // kernel32 exports QT_Thunk
  std::uint32_t entry16_ = 0;    // GetFreeSystemResources in user.exe, found on first use
  bool side16Failed_ = false;    // user.exe or its entry could not be had (said once)
  int system_ = 0, gdi_ = 0, user_ = 0;
};

class TMemory : public TTopic {
 public:
  TMemory();
  ~TMemory() override;
  TMemory(const TMemory&) = delete;
  TMemory& operator=(const TMemory&) = delete;

  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TMemory"; }

  TExceptionMode ExceptionMode() const { return exceptionMode_; }
  void SetExceptionMode(TExceptionMode mode) { exceptionMode_ = mode; }

  std::int64_t PhysicalTotal() const { return physicalTotal_; }
  std::int64_t PhysicalFree() const { return physicalFree_; }
  std::int64_t VirtualTotal() const { return virtualTotal_; }
  std::int64_t VirtualFree() const { return virtualFree_; }
  std::int64_t PageFileTotal() const { return pageFileTotal_; }
  std::int64_t PageFileFree() const { return pageFileFree_; }
  int MemoryLoad() const { return memoryLoad_; }
  int AllocGranularity() const { return allocGranularity_; }
  std::int32_t MaxAppAddress() const { return maxAppAddress_; }
  std::int32_t MinAppAddress() const { return minAppAddress_; }
  int PageSize() const { return pageSize_; }
  TResources& Resources() { return *resources_; }
  const TResources& Resources() const { return *resources_; }

 private:
  void ReadStatus();
  void ReadExtendedStatus();

  TExceptionMode exceptionMode_ = emMessage;
  bool hasStatusEx_ = false;  // GlobalMemoryStatusEx found at construction
  std::unique_ptr<TResources> resources_;
  std::int64_t physicalTotal_ = 0, physicalFree_ = 0, virtualTotal_ = 0, virtualFree_ = 0, pageFileTotal_ = 0,
               pageFileFree_ = 0;
  int memoryLoad_ = 0, allocGranularity_ = 0, pageSize_ = 0;
  std::int32_t maxAppAddress_ = 0, minAppAddress_ = 0;
};

}  // namespace nsx
