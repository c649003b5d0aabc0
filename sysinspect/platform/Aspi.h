// The ASPI layer of wnaspi32.dll, bound at program start when the library
// is there: its support information and the requests a device scan sends.
// The platform lays each request block out as the library expects it and
// keeps the block, its data buffer and its event alive for as long as the
// layer may still write to them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "WinTypes.h"

namespace nsx::platform {

// Request commands, statuses and flags of the ASPI interface.
enum : std::uint8_t {
  kScHaInquiry = 0,
  kScGetDevType = 1,
  kScExecScsiCmd = 2,
  kScAbortSrb = 3,
  kSsPending = 0,
  kSsComp = 1,
  kSsAborted = 2,
  kSsErr = 4,
  kSsInvalidHa = 0x81,
  kSsNoDevice = 0x82,
  kSsNoAdapters = 0xE8,
  kSrbDirIn = 0x08,
  kSrbEventNotify = 0x40,
};

// The INQUIRY command's operation code, and where standard INQUIRY data
// keeps its blank-padded text fields.
const std::uint8_t kScsiInquiry = 0x12;
struct InquiryField {
  std::size_t at, width;
};
constexpr InquiryField kInquiryVendor{8, 8};
constexpr InquiryField kInquiryProduct{16, 16};
constexpr InquiryField kInquiryRevision{32, 4};
constexpr InquiryField kInquiryVendorSpecific{36, 20};

// The fields of an execute-SCSI request (SRB_ExecSCSICmd) a scan sets; the
// rest of the block is zero.
struct AspiScsiRequest {
  std::uint8_t hostAdapter = 0;   // SRB_HaId
  std::uint8_t target = 0;        // SRB_Target
  std::uint8_t lun = 0;           // SRB_Lun
  std::uint8_t flags = 0;         // SRB_Flags
  std::uint8_t senseLength = 0;   // SRB_SenseLen
  std::vector<std::uint8_t> cdb;  // CDBByte, SRB_CDBLen its size (at most 16)
  std::uint32_t dataLength = 0;   // SRB_BufLen: a zeroed buffer of this size, none when 0
};

// An execute-SCSI request posted with event notification. A request the
// layer still holds when this object goes (neither completed nor given
// back after an abort) keeps its block, buffer and event until the
// program ends, so that the layer never writes into freed memory.
class AspiExecution {
 public:
  virtual ~AspiExecution() = default;
  // What SendASPI32Command returned (SS_PENDING while the layer works on it).
  virtual std::uint32_t Posted() const = 0;
  // WaitForSingleObject on the request's event: true when it was
  // signalled within the time.
  virtual bool Wait(std::uint32_t milliseconds) = 0;
  // SRB_Status as it stands.
  virtual std::uint8_t Status() const = 0;
  // The data buffer as it stands.
  virtual Bytes Data() const = 0;
  // SC_ABORT_SRB naming this request (SRB_Abort on the same host adapter):
  // what SendASPI32Command returned.
  virtual std::uint32_t Abort() = 0;
};

class AspiApi {
 public:
  virtual ~AspiApi() = default;
  // The library and its GetASPI32SupportInfo were bound at start.
  virtual bool Bound() = 0;
  // GetASPI32SupportInfo: the status byte in bits 8 to 15, the number of
  // host adapters in the low byte; 0 when the library or the entry is missing.
  virtual std::uint32_t SupportInfo() = 0;
  // SendASPI32Command of SC_HA_INQUIRY (SRB_HAInquiry, zeroed, SRB_HaId):
  // its result; 0 when SendASPI32Command is missing.
  virtual std::uint32_t InquireHostAdapter(std::uint8_t hostAdapter) = 0;
  // SC_GET_DEV_TYPE (SRB_GDEVBlock, zeroed): its result, and SRB_DeviceType
  // in `deviceType`; 0 when SendASPI32Command is missing.
  virtual std::uint32_t GetDeviceType(std::uint8_t hostAdapter, std::uint8_t target, std::uint8_t lun,
                                      std::uint8_t* deviceType) = 0;
  // CreateEventA (manual reset, not signalled), then SendASPI32Command of
  // the request with that event as SRB_PostProc; nullptr when
  // SendASPI32Command is missing or no event could be made.
  virtual std::unique_ptr<AspiExecution> Execute(const AspiScsiRequest& request) = 0;
  // GetModuleFileNameA of the bound library: the file the program uses;
  // empty when none is bound.
  virtual std::string LibraryFileName() = 0;
};

}  // namespace nsx::platform
