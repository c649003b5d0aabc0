// Devices opened by name and driven by I/O control codes: the SMART driver
// behind a physical drive (NT), the SMART VxD (9x) and the SCSI miniport
// ports; and the system's text for an error code.
#pragma once
#include <cstdint>
#include <string>

#include "WinTypes.h"

namespace nsx::platform {

using DeviceHandle = std::uintptr_t;

// CreateFileA access, share and creation values.
enum : std::uint32_t {
  kGenericRead = 0x80000000u,
  kGenericWrite = 0x40000000u,
  kFileShareRead = 0x1,
  kFileShareWrite = 0x2,
  kCreateNew = 1,
  kOpenExisting = 3,
};

// Error codes the device readers tell apart.
enum : long {
  kErrorInvalidFunction = 1,
  kErrorInvalidData = 13,
  kErrorNotReady = 21,
  kErrorGenFailure = 31,
  kErrorNotSupported = 50,
  kErrorInvalidParameter = 87,
  kErrorInsufficientBuffer = 122,
  kErrorIoDevice = 1117,
};

class DeviceIoApi {
 public:
  virtual ~DeviceIoApi() = default;
  // CreateFileA(name, access, share, no security, creation, 0, no
  // template): 0 with the handle, or the error code.
  virtual long Open(const std::string& name, std::uint32_t access, std::uint32_t share, std::uint32_t creation,
                    DeviceHandle* handle) = 0;
  virtual void Close(DeviceHandle handle) = 0;
  // DeviceIoControl with `input` and an output buffer of output->size()
  // bytes: 0 with the bytes the driver reports returned, or the error code.
  virtual long Control(DeviceHandle handle, std::uint32_t code, const Bytes& input, Bytes* output,
                       std::uint32_t* bytesReturned) = 0;
  // FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM) of an error code, without
  // the line end the system appends; empty when the system has no text.
  virtual std::string SystemMessage(std::uint32_t code) = 0;
};

// An open device, closed when it goes out of scope.
class DeviceFile {
 public:
  DeviceFile(DeviceIoApi& api, const std::string& name, std::uint32_t access, std::uint32_t share,
             std::uint32_t creation)
      : api_(api), error_(api.Open(name, access, share, creation, &handle_)) {}
  DeviceFile(const DeviceFile&) = delete;
  DeviceFile& operator=(const DeviceFile&) = delete;
  ~DeviceFile() {
    if (error_ == 0) api_.Close(handle_);
  }
  // 0 when the device opened, else the error of the open.
  long Error() const { return error_; }
  long Control(std::uint32_t code, const Bytes& input, Bytes* output, std::uint32_t* bytesReturned) {
    return api_.Control(handle_, code, input, output, bytesReturned);
  }

 private:
  DeviceIoApi& api_;
  DeviceHandle handle_ = 0;
  long error_;
};

}  // namespace nsx::platform
