#include "Norvik_WnASPI32.h"

#include "../core/Runtime.h"
#include "AspiInquiry.h"

namespace nsx {
namespace {

using platform::AspiApi;
using platform::AspiScsiRequest;

const std::uint8_t kTargets = 16;
const std::uint8_t kSenseLength = 14;
const std::uint8_t kInquiryLength = 100;

struct TCommandOutcome {
  bool sent = false;      // an event was made and the request posted
  bool answered = false;  // it completed within the bound
  std::uint8_t status = 0;
  platform::Bytes data;
};

// Posts a request and waits for it, at most the bound; a request still
// pending then is aborted, and its memory stays with the platform until
// the abort comes back (or for good, when it never does).
TCommandOutcome Run(AspiApi& aspi, const AspiScsiRequest& request) {
  TCommandOutcome outcome;
  auto command = aspi.Execute(request);
  if (!command) return outcome;
  outcome.sent = true;
  outcome.answered = true;
  if (command->Posted() == platform::kSsPending) {
    outcome.answered = command->Wait(kAspiCommandWaitMilliseconds);
    if (!outcome.answered) {
      command->Abort();
      command->Wait(kAspiAbortWaitMilliseconds);
    }
  }
  outcome.status = command->Status();
  if (outcome.answered) outcome.data = command->Data();
  return outcome;
}

AspiScsiRequest TestUnitReady(std::uint8_t adapter, std::uint8_t target) {
  AspiScsiRequest request;
  request.hostAdapter = adapter;
  request.target = target;
  request.flags = platform::kSrbEventNotify;
  request.senseLength = kSenseLength;
  request.cdb.assign(6, 0);
  return request;
}

AspiScsiRequest Inquiry(std::uint8_t adapter, std::uint8_t target) {
  AspiScsiRequest request = TestUnitReady(adapter, target);
  request.flags = platform::kSrbEventNotify | platform::kSrbDirIn;
  request.cdb[0] = platform::kScsiInquiry;
  request.cdb[4] = kInquiryLength;
  request.dataLength = kInquiryLength;
  return request;
}

// TEST UNIT READY, then INQUIRY, into the last entries of the result. A
// device whose first command hung is not asked the second.
void ProbeDevice(AspiApi& aspi, std::uint8_t adapter, std::uint8_t target, TASPIScanResult& result) {
  TCommandOutcome ready = Run(aspi, TestUnitReady(adapter, target));
  if (!ready.sent) return;
  result.Statuses.back() = std::to_string(ready.status);
  if (!ready.answered) return;
  TCommandOutcome inquiry = Run(aspi, Inquiry(adapter, target));
  if (!inquiry.sent) return;
  result.Statuses.back() = std::to_string(inquiry.status);
  if (!inquiry.answered || inquiry.status != platform::kSsComp) return;
  TInquiryText text = DecodeInquiry(inquiry.data);
  result.Vendors.back() = text.Vendor;
  result.Products.back() = text.Product;
  result.Revisions.back() = text.Revision;
  result.VendorSpecific.back() = text.VendorSpecific;
}

void AddDevice(TASPIScanResult& result, std::uint8_t adapter, std::uint8_t target, std::uint8_t deviceType) {
  result.HostAdapters.push_back(std::to_string(adapter));
  result.Targets.push_back(std::to_string(target));
  result.DeviceTypes.push_back(std::to_string(deviceType));
  for (TStringList* list : {&result.Statuses, &result.Vendors, &result.Products, &result.Revisions,
                            &result.VendorSpecific})
    list->emplace_back();
}

}  // namespace

std::uint32_t GetASPI32SupportInfo() { return Machine().Aspi().SupportInfo(); }

std::uint32_t GetASPIDevices(TASPIScanResult& result) {
  result = TASPIScanResult{};
  AspiApi& aspi = Machine().Aspi();
  std::uint32_t status = aspi.SupportInfo();
  if (AspiStatusByte(status) != platform::kSsComp) return status;
  result.HostAdapterCount = static_cast<std::int32_t>(status & 0xFF);
  for (std::int32_t h = 0; h < result.HostAdapterCount; ++h) {
    auto adapter = static_cast<std::uint8_t>(h);
    if (aspi.InquireHostAdapter(adapter) != platform::kSsComp) continue;
    for (std::uint8_t target = 0; target < kTargets; ++target) {
      std::uint8_t deviceType = 0;
      if (aspi.GetDeviceType(adapter, target, 0, &deviceType) != platform::kSsComp) continue;
      AddDevice(result, adapter, target, deviceType);
      ProbeDevice(aspi, adapter, target, result);
    }
  }
  return status;
}

}  // namespace nsx
