#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "Binding.h"
#include "Win32Engines.h"

namespace nsx::win32 {
namespace {

// The request blocks of the ASPI interface, byte-packed as the library
// reads them (pointers take the process's own width).
#pragma pack(push, 1)
struct SrbHeader {
  BYTE command;
  BYTE status;
  BYTE hostAdapter;
  BYTE flags;
  DWORD reserved;
};
struct SrbHostAdapterInquiry {
  SrbHeader header;
  BYTE adapterCount;
  BYTE scsiId;
  BYTE managerId[16];
  BYTE identifier[16];
  BYTE unique[16];
  WORD reserved;
};
struct SrbDeviceType {
  SrbHeader header;
  BYTE target;
  BYTE lun;
  BYTE deviceType;
  BYTE reserved;
};
struct SrbExecuteScsi {
  SrbHeader header;
  BYTE target;
  BYTE lun;
  WORD reserved1;
  DWORD bufferLength;
  BYTE* buffer;
  BYTE senseLength;
  BYTE cdbLength;
  BYTE adapterStatus;
  BYTE targetStatus;
  void* postProc;
  BYTE reserved2[20];
  BYTE cdb[16];
  BYTE senseArea[16];
};
struct SrbAbort {
  SrbHeader header;
  void* toAbort;
};
#pragma pack(pop)
static_assert(sizeof(SrbHostAdapterInquiry) == 60, "SRB_HAInquiry is 60 bytes");
static_assert(sizeof(SrbDeviceType) == 12, "SRB_GDEVBlock is 12 bytes");
#if !defined(_WIN64)
static_assert(sizeof(SrbExecuteScsi) == 80, "SRB_ExecSCSICmd is 80 bytes in a 32-bit process");
#endif

// The library's exports use the C calling convention.
using GetSupportInfoFn = DWORD(__cdecl*)();
using SendCommandFn = DWORD(__cdecl*)(void*);

// A posted request: its block, data buffer and event, at fixed addresses.
struct PostedBlock {
  PostedBlock() = default;
  PostedBlock(const PostedBlock&) = delete;
  PostedBlock& operator=(const PostedBlock&) = delete;
  ~PostedBlock() {
    if (event) CloseHandle(event);
  }
  // The layer writes the status from its own context.
  BYTE Status() const { return *reinterpret_cast<const volatile BYTE*>(&srb.header.status); }

  SrbExecuteScsi srb{};
  std::vector<BYTE> data;
  HANDLE event = nullptr;
};

class Win32Aspi;

class Win32AspiExecution : public platform::AspiExecution {
 public:
  Win32AspiExecution(Win32Aspi& owner, std::unique_ptr<PostedBlock> block, DWORD posted)
      : owner_(owner), block_(std::move(block)), posted_(posted) {}
  ~Win32AspiExecution() override;

  std::uint32_t Posted() const override { return posted_; }
  bool Wait(std::uint32_t milliseconds) override {
    return WaitForSingleObject(block_->event, milliseconds) == WAIT_OBJECT_0;
  }
  std::uint8_t Status() const override { return block_->Status(); }
  platform::Bytes Data() const override { return platform::Bytes(block_->data.begin(), block_->data.end()); }
  std::uint32_t Abort() override;

 private:
  Win32Aspi& owner_;
  std::unique_ptr<PostedBlock> block_;
  DWORD posted_;
};

class Win32Aspi : public platform::AspiApi {
 public:
  Win32Aspi() { Bind(); }
  Win32Aspi(const Win32Aspi&) = delete;
  Win32Aspi& operator=(const Win32Aspi&) = delete;
  ~Win32Aspi() override {
    // A request the layer never gave back may still be written to: its
    // memory and the library stay as they are until the process ends.
    bool held = false;
    for (auto& block : kept_) {
      if (block->Status() == platform::kSsPending) {
        block.release();
        held = true;
      }
    }
    if (loadedHere_ && !held) FreeLibrary(module_);
  }

  bool Bound() override { return supportInfo_ != nullptr; }
  std::uint32_t SupportInfo() override { return supportInfo_ ? supportInfo_() : 0; }

  std::uint32_t InquireHostAdapter(std::uint8_t hostAdapter) override {
    if (!send_) return 0;
    SrbHostAdapterInquiry srb{};
    srb.header.command = platform::kScHaInquiry;
    srb.header.hostAdapter = hostAdapter;
    return send_(&srb);
  }

  std::uint32_t GetDeviceType(std::uint8_t hostAdapter, std::uint8_t target, std::uint8_t lun,
                              std::uint8_t* deviceType) override {
    *deviceType = 0;
    if (!send_) return 0;
    SrbDeviceType srb{};
    srb.header.command = platform::kScGetDevType;
    srb.header.hostAdapter = hostAdapter;
    srb.target = target;
    srb.lun = lun;
    DWORD result = send_(&srb);
    *deviceType = srb.deviceType;
    return result;
  }

  std::unique_ptr<platform::AspiExecution> Execute(const platform::AspiScsiRequest& request) override {
    if (!send_) return nullptr;
    auto block = std::make_unique<PostedBlock>();
    block->event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!block->event) return nullptr;
    SrbExecuteScsi& srb = block->srb;
    srb.header.command = platform::kScExecScsiCmd;
    srb.header.hostAdapter = request.hostAdapter;
    srb.header.flags = request.flags;
    srb.target = request.target;
    srb.lun = request.lun;
    srb.senseLength = request.senseLength;
    srb.cdbLength = static_cast<BYTE>(std::min<size_t>(request.cdb.size(), sizeof srb.cdb));
    std::memcpy(srb.cdb, request.cdb.data(), srb.cdbLength);
    block->data.assign(request.dataLength, 0);
    srb.bufferLength = request.dataLength;
    srb.buffer = block->data.empty() ? nullptr : block->data.data();
    srb.postProc = block->event;
    DWORD posted = send_(&srb);
    return std::make_unique<Win32AspiExecution>(*this, std::move(block), posted);
  }

  std::string LibraryFileName() override {
    if (!module_) return {};
    char path[MAX_PATH + 1] = {0};
    DWORD n = GetModuleFileNameA(module_, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(path, n) : std::string();
  }

  std::uint32_t Abort(SrbExecuteScsi& posted) {
    SrbAbort srb{};
    srb.header.command = platform::kScAbortSrb;
    srb.header.hostAdapter = posted.header.hostAdapter;
    srb.toAbort = &posted;
    return send_ ? send_(&srb) : 0;
  }

  // Takes over a request the layer still holds.
  void Keep(std::unique_ptr<PostedBlock> block) { kept_.push_back(std::move(block)); }

 private:
  void Bind() {
    module_ = GetModuleHandleA("wnaspi32.dll");
    if (!module_) {
      // No box about a missing library or one of its own dependencies.
      UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
      module_ = LoadLibraryA("wnaspi32.dll");
      SetErrorMode(previous);
      loadedHere_ = module_ != nullptr;
    }
    if (!module_) return;
    supportInfo_ = ModuleEntry<GetSupportInfoFn>(module_, "GetASPI32SupportInfo");
    send_ = ModuleEntry<SendCommandFn>(module_, "SendASPI32Command");
    if (supportInfo_) return;
    // A library without the support query is of no use here.
    send_ = nullptr;
    if (loadedHere_) FreeLibrary(module_);
    module_ = nullptr;
    loadedHere_ = false;
  }

  HMODULE module_ = nullptr;
  bool loadedHere_ = false;  // loaded by this object, so freed by it
  GetSupportInfoFn supportInfo_ = nullptr;
  SendCommandFn send_ = nullptr;
  std::vector<std::unique_ptr<PostedBlock>> kept_;
};

Win32AspiExecution::~Win32AspiExecution() {
  if (posted_ == platform::kSsPending && block_->Status() == platform::kSsPending) owner_.Keep(std::move(block_));
}

std::uint32_t Win32AspiExecution::Abort() { return owner_.Abort(block_->srb); }

}  // namespace

std::unique_ptr<platform::AspiApi> CreateWin32Aspi() { return std::make_unique<Win32Aspi>(); }

}  // namespace nsx::win32
