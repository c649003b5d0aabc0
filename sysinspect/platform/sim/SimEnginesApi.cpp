#include "SimEnginesApi.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace nsx::sim {
namespace {

class SimAspiExecution : public platform::AspiExecution {
 public:
  SimAspiExecution(SimAspi& aspi, const SimAspiDevice* device, const platform::AspiScsiRequest& request)
      : aspi_(aspi), device_(device), where_(Where(request)), data_(request.dataLength, 0) {
    ++aspi_.liveRequests;
    if (!device_) {
      Complete(platform::kSsErr);  // no device answers the selection
      return;
    }
    if (device_->hangs) return;
    bool inquiry = !request.cdb.empty() && request.cdb[0] == platform::kScsiInquiry;
    std::uint8_t status = inquiry ? device_->inquiryStatus : device_->testUnitReadyStatus;
    if (inquiry && status == platform::kSsComp)
      std::copy_n(device_->inquiry.begin(), std::min(device_->inquiry.size(), data_.size()), data_.begin());
    Complete(status);
  }
  ~SimAspiExecution() override {
    --aspi_.liveRequests;
    if (status_ == platform::kSsPending) ++aspi_.keptRequests;
  }

  std::uint32_t Posted() const override { return platform::kSsPending; }
  bool Wait(std::uint32_t milliseconds) override {
    if (signalled_) return true;
    aspi_.waitedMilliseconds += milliseconds;
    aspi_.requests.push_back("wait " + where_ + " " + std::to_string(milliseconds));
    return false;
  }
  std::uint8_t Status() const override { return status_; }
  platform::Bytes Data() const override { return data_; }
  std::uint32_t Abort() override {
    aspi_.requests.push_back("abort " + where_);
    if (status_ == platform::kSsPending && !(device_ && device_->ignoresAbort)) Complete(platform::kSsAborted);
    return platform::kSsComp;
  }

 private:
  static std::string Where(const platform::AspiScsiRequest& request) {
    return std::to_string(request.hostAdapter) + ":" + std::to_string(request.target);
  }
  void Complete(std::uint8_t status) {
    status_ = status;
    signalled_ = true;
  }

  SimAspi& aspi_;
  const SimAspiDevice* device_;
  std::string where_;
  platform::Bytes data_;
  std::uint8_t status_ = platform::kSsPending;
  bool signalled_ = false;
};

// Copies `text` into an INQUIRY field, padded with blanks.
void PutField(platform::Bytes& data, platform::InquiryField field, const std::string& text) {
  for (std::size_t i = 0; i < field.width; ++i)
    data[field.at + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ';
}

}  // namespace

platform::Bytes StandardInquiry(std::uint8_t deviceType, const std::string& vendor, const std::string& product,
                                const std::string& revision, const std::string& vendorSpecific) {
  platform::Bytes data(56, 0);
  data[0] = deviceType & 0x1F;
  data[2] = 2;                                         // SCSI-2
  data[3] = 2;                                         // response data format
  data[4] = static_cast<std::uint8_t>(data.size() - 5);  // additional length
  PutField(data, platform::kInquiryVendor, vendor);
  PutField(data, platform::kInquiryProduct, product);
  PutField(data, platform::kInquiryRevision, revision);
  PutField(data, platform::kInquiryVendorSpecific, vendorSpecific);
  return data;
}

std::uint32_t SimMultimediaApi::DeviceCount(platform::MediaDeviceKind kind) {
  auto it = data_.devices.find(kind);
  return it == data_.devices.end() ? 0 : static_cast<std::uint32_t>(it->second.size());
}

std::uint32_t SimMultimediaApi::DeviceCaps(platform::MediaDeviceKind kind, std::uint32_t id, platform::Bytes* caps) {
  auto it = data_.devices.find(kind);
  if (it == data_.devices.end() || id >= it->second.size()) return platform::kMmSysErrBadDeviceId;
  const SimMediaDevice& device = it->second[id];
  if (device.result != platform::kMmSysErrNoError) return device.result;
  std::fill(caps->begin(), caps->end(), 0);
  using platform::kCapsDriverVersionAt;
  using platform::kCapsNameAt;
  for (std::size_t i = 0; i < 4 && kCapsDriverVersionAt + i < caps->size(); ++i)
    (*caps)[kCapsDriverVersionAt + i] = static_cast<std::uint8_t>(device.driverVersion >> (8 * i));
  for (std::size_t i = 0; i < platform::kCapsNameLength && i < device.name.size() && kCapsNameAt + i < caps->size(); ++i)
    (*caps)[kCapsNameAt + i] = static_cast<std::uint8_t>(device.name[i]);
  return platform::kMmSysErrNoError;
}

std::uint32_t SimAspiApi::SupportInfo() {
  if (!data_.library) return 0;
  if (data_.supportInfo) return *data_.supportInfo;
  if (data_.adapters.empty()) return std::uint32_t{platform::kSsNoAdapters} << 8;
  return (std::uint32_t{platform::kSsComp} << 8) | static_cast<std::uint32_t>(data_.adapters.size() & 0xFF);
}

std::uint32_t SimAspiApi::InquireHostAdapter(std::uint8_t hostAdapter) {
  if (!data_.library) return 0;
  data_.requests.push_back("adapter " + std::to_string(hostAdapter));
  if (hostAdapter >= data_.adapters.size() || !data_.adapters[hostAdapter].answers) return platform::kSsInvalidHa;
  return platform::kSsComp;
}

const SimAspiDevice* SimAspiApi::Device(std::uint8_t hostAdapter, std::uint8_t target) const {
  if (hostAdapter >= data_.adapters.size()) return nullptr;
  const auto& targets = data_.adapters[hostAdapter].targets;
  auto it = targets.find(target);
  return it == targets.end() ? nullptr : &it->second;
}

std::uint32_t SimAspiApi::GetDeviceType(std::uint8_t hostAdapter, std::uint8_t target, std::uint8_t lun,
                                        std::uint8_t* deviceType) {
  *deviceType = 0;
  if (!data_.library) return 0;
  data_.requests.push_back("type " + std::to_string(hostAdapter) + ":" + std::to_string(target));
  const SimAspiDevice* device = lun == 0 ? Device(hostAdapter, target) : nullptr;
  if (!device) return platform::kSsNoDevice;
  *deviceType = device->deviceType;
  return platform::kSsComp;
}

std::unique_ptr<platform::AspiExecution> SimAspiApi::Execute(const platform::AspiScsiRequest& request) {
  if (!data_.library || data_.eventsFail) return nullptr;
  char text[64];
  std::snprintf(text, sizeof text, "exec %u:%u %02X/%02X/%u", request.hostAdapter, request.target,
                request.cdb.empty() ? 0u : request.cdb[0], request.flags, request.dataLength);
  data_.requests.push_back(text);
  return std::make_unique<SimAspiExecution>(data_, Device(request.hostAdapter, request.target), request);
}

long SimDataEnginesApi::InitializeCom() {
  ++com_.initializations;
  return com_.initializeResult;
}

platform::ComObject SimDataEnginesApi::DispatchObject(const std::string& progId, std::uint32_t context) {
  auto it = com_.classes.find(progId);
  if (it == com_.classes.end()) return 0;
  const SimComClass& cls = it->second;
  bool made = cls.running || (cls.inProcess && (context & platform::kClsctxInprocServer));
  if (!made && !cls.inProcess && (context & platform::kClsctxLocalServer)) {
    com_.serversStarted.push_back(progId);
    made = true;
  }
  if (!made) return 0;
  handedOut_.push_back(it->first);
  ++com_.liveObjects;
  return handedOut_.size();
}

std::optional<std::string> SimDataEnginesApi::PropertyText(platform::ComObject object, const std::string& name) {
  if (object == 0 || object > handedOut_.size() || strcasecmp(name.c_str(), "Version") != 0) return std::nullopt;
  return com_.classes[handedOut_[object - 1]].version;
}

void SimDataEnginesApi::Release(platform::ComObject object) {
  if (object == 0 || object > handedOut_.size()) return;
  --com_.liveObjects;
  if (com_.initializeResult == 0 && com_.uninitializations >= com_.initializations) ++com_.releasedAfterUninitialize;
}

}  // namespace nsx::sim
