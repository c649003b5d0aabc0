#include "NSX_IDE.h"

#include <cstdio>

#include "../core/Norvik_Routines.h"
#include "../core/Runtime.h"
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

// The direct drive command: on the NT family through the SMART driver of the
// physical drive, on the 9x family through the SMART VxD, which is that
// family's way to the drive (so its reports keep the source "Physical").
long ReadPhysicalAt(int position, TDriveInfo& info) {
  return OSInfo().IsNT ? ReadIdePhysical(position, info) : ReadIdeSmart(position, info);
}
// Positions 0 and 1 are drives 0 and 1 of port 0, positions 2 and 3 of port 1.
long ReadScsiAt(int position, TDriveInfo& info) { return ReadIdeScsi(position / 2, position % 2, info); }
long ReadSmartAt(int position, TDriveInfo& info) { return ReadIdeSmart(position, info); }

struct TMethodStep {
  TAccessMethod method;
  long (*read)(int position, TDriveInfo& info);
  bool systemCodes;  // the reader returns system error codes (not a layer's own status)
};
// The access methods in the order they are tried. The ASPI source
// (amASPI, ReadIdeAspi on the engines topic's device scan) belongs between
// amSMART and amRegistry, with systemCodes false: its status bytes are
// ASPI's own.
const TMethodStep kMethodChain[] = {
    // method     reader          system codes
    {amPhysical, ReadPhysicalAt,  true},
    {amSCSI,     ReadScsiAt,      true},
    {amSMART,    ReadSmartAt,     true},
    {amRegistry, ReadIdeRegistry, true},
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
  for (const auto& step : kMethodChain) {
    for (int index = 0; index < 4; ++index) {
      TDeviceInfo& device = Position(index);
      if (!IsBlank(device.ModelNumber)) continue;
      device.AccessMethod = step.method;
      TDriveInfo info;
      long code = step.read(index, info);
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
