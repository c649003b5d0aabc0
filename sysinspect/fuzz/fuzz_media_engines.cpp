// INQUIRY data, multimedia capabilities and DirectX version values of any
// bytes decode within their fields; and a machine whose ASPI device, sound
// device, DirectX key, automation object and ASPI library version answer
// with those bytes gathers both topics and writes their reports.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/Runtime.h"
#include "platform/sim/SimPlatform.h"
#include "software/AspiInquiry.h"
#include "software/MediaCaps.h"
#include "software/NSX_Engines.h"
#include "software/NSX_Media.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace nsx;
  platform::Bytes bytes(data, data + size);
  TInquiryText inquiry = DecodeInquiry(bytes);
  if (inquiry.Vendor.size() > 8 || inquiry.Product.size() > 16 || inquiry.Revision.size() > 4 ||
      inquiry.VendorSpecific.size() > 20)
    std::abort();
  MediaCapsText(bytes);
  DirectXInstalledVersion(bytes);

  std::string text(bytes.begin(), bytes.end());
  std::uint8_t first = size > 0 ? data[0] : 0;
  sim::SimMachine m;
  m.aspi.library = true;
  m.aspi.fileName = "C:\\WINDOWS\\system32\\WNASPI32.DLL";
  m.aspi.adapters.resize(1 + first % 3);
  sim::SimAspiDevice& device = m.aspi.adapters.back().targets[first % 16];
  device.deviceType = first;
  device.inquiry = bytes;
  device.hangs = (first & 0x80) != 0;
  m.versionResources[m.aspi.fileName] = bytes;
  m.media.devices[platform::MediaDeviceKind::WaveOut] = {{text, first}, {text, first}};
  m.registry.SetBinary("HKLM\\SOFTWARE\\Microsoft\\DirectX", "InstalledVersion", bytes);
  m.com.classes["adodb.connection"] = {text, true, false};
  ScopedMachine scope(std::make_unique<sim::SimPlatform>(std::move(m)));

  TMedia media;
  media.GetInfo();
  if (media.WAVEOut().size() != 1) std::abort();  // the same device twice is listed once
  TEngines engines;
  engines.GetInfo();
  TReportList list(1252);
  media.Report(list, true);
  engines.Report(list, true);
  if (list.Lines().back() != "</classes>") std::abort();
  return 0;
}
