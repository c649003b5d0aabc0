#include "NSX_IDE.h"

#include <cstdio>

#include "../core/Norvik_Routines.h"
#include "../core/Runtime.h"
#include "../software/Norvik_WnASPI32.h"
#include "Norvik_WinIOCTL.h"

namespace nsx {
namespace {

struct TMethodName {
  TAccessMethod method;
  const char* name;
};
const TMethodName kMethodNames[] = {
    // method     report text
    {amPhysical, "Physical"}, {amSCSI, "SCSI"}, {amInt21h, "Int21"},
    {amSMART, "SMART"},       {amASPI, "ASPI"}, {amRegistry, "Registry"},
};

const char* const kPositionNames[] = {"Primary Master", "Primary Slave", "Secondary Master", "Secondary Slave"};

// What the positions of one gathering share: the ASPI scan, made when the
// first position asks for it (a device that hangs costs one bounded wait,
// not one per position).
class TChainState {
 public:
  long ReadAspi(int position, TDriveInfo& info) {
    if (!scanned_) {
      status_ = GetASPIDevices(scan_);
      scanned_ = true;
    }
    return ReadIdeAspi(scan_, status_, position, info);
  }

 private:
  bool scanned_ = false;
  std::uint32_t status_ = 0;
  TASPIScanResult scan_;
};

// The direct drive command: on the NT family through the SMART driver of the
// physical drive, on the 9x family through the SMART VxD, which is that
// family's way to the drive (so its reports keep the source "Physical").
long ReadPhysicalAt(int position, TDriveInfo& info, TChainState&) {
  return OSInfo().IsNT ? ReadIdePhysical(position, info) : ReadIdeSmart(position, info);
}
// Positions 0 and 1 are drives 0 and 1 of port 0, positions 2 and 3 of port 1.
long ReadScsiAt(int position, TDriveInfo& info, TChainState&) {
  return ReadIdeScsi(position / 2, position % 2, info);
}
long ReadSmartAt(int position, TDriveInfo& info, TChainState&) { return ReadIdeSmart(position, info); }
long ReadAspiAt(int position, TDriveInfo& info, TChainState& state) { return state.ReadAspi(position, info); }
long ReadRegistryAt(int position, TDriveInfo& info, TChainState&) { return ReadIdeRegistry(position, info); }

struct TMethodStep {
  TAccessMethod method;
  long (*read)(int position, TDriveInfo& info, TChainState& state);
  bool systemCodes;  // the reader returns system error codes (not a layer's own status)
};
// The access methods in the order they are tried.
const TMethodStep kMethodChain[] = {
    // method     reader          system codes
    {amPhysical, ReadPhysicalAt,  true},
    {amSCSI,     ReadScsiAt,      true},
    {amSMART,    ReadSmartAt,     true},
    {amASPI,     ReadAspiAt,      false},
    {amRegistry, ReadRegistryAt,  true},
};

}  // namespace

std::string AccessErrorText(std::uint32_t code, bool systemCode) {
  if (systemCode || code == 0) return Machine().DeviceIo().SystemMessage(code);
  char text[32];
  std::snprintf(text, sizeof text, "Status 0x%02X", static_cast<unsigned>(code));
  return text;
}

std::string AccessMethodName(TAccessMethod method) {
  for (const auto& row : kMethodNames)
    if (row.method == method) return row.name;
  return "";
}

TIDE::TIDE() {
  for (auto& position : positions_) position = std::make_unique<TDeviceInfo>();
}

TIDE::~TIDE() = default;

void TIDE::GetInfo() {
  TChainState state;
  for (const auto& step : kMethodChain) {
    for (int index = 0; index < 4; ++index) {
      TDeviceInfo& device = Position(index);
      if (!IsBlank(device.ModelNumber)) continue;
      device.AccessMethod = step.method;
      TDriveInfo info;
      long code = step.read(index, info, state);
      device.SerialNumber = info.SerialNumber;
      device.ModelNumber = info.ModelNumber;
      device.RevisionNumber = info.Revision;
      device.Cylinders = info.Cylinders;
      device.Heads = info.Heads;
      device.SectorsPerTrack = info.SectorsPerTrack;
      device.Capacity = info.Capacity;
      device.ErrorCode = static_cast<std::uint32_t>(code);
      device.ErrorMessage = AccessErrorText(device.ErrorCode, step.systemCodes);
    }
  }
}

void TIDE::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "IDE", ClassName());
  for (int index = 0; index < 4; ++index) {
    const TDeviceInfo& device = Position(index);
    std::string source = AccessMethodName(device.AccessMethod);
    WriteSectionStart(list, kPositionNames[index]);
    WriteString(list, "SerialNumber", device.SerialNumber, source);
    WriteString(list, "ModelNumber", device.ModelNumber, source);
    WriteString(list, "RevisionNumber", device.RevisionNumber, source);
    WriteInteger(list, "CylinderCount", device.Cylinders, source);
    WriteInteger(list, "HeadCount", device.Heads, source);
    WriteInteger(list, "SectorsPerTrack", device.SectorsPerTrack, source);
    WriteInteger(list, "Capacity", device.Capacity / 1024 / 1024, source, "MB");
    WriteSectionEnd(list);
  }
  WriteElementEnd(list, "IDE");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
