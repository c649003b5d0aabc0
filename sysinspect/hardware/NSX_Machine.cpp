#include "NSX_Machine.h"

#include <cmath>

#include "../core/DateTimeText.h"
#include "../core/Runtime.h"
#include "NSX_Devices.h"

namespace nsx {
namespace {

// Where the 9x family's BIOS keeps its texts, within the area read.
const std::uint32_t kBiosTextArea = 0xFE000;
const std::uint32_t kBiosTextAreaLength = 0x2000;

const char kSystemKey[] = "HARDWARE\\DESCRIPTION\\System";
const std::uint8_t kComputerDeviceClass = 1;  // the "Computer" class of the device list
const std::uint8_t kToggledOnly = 1;  // toggled, and not held down at this moment
const int kCapital = 0x14, kNumLock = 0x90, kScroll = 0x91;

std::string JoinLines(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " ");
  return text;
}

}  // namespace

std::string BiosAreaText(const platform::Bytes& area, std::size_t offset) {
  std::string text;
  for (std::size_t i = offset; i < area.size(); ++i) {
    std::uint8_t byte = area[i];
    if (byte < 0x20 || byte > 0x7E) break;
    text += static_cast<char>(byte);
  }
  return text;
}

void TBIOS::GetInfo() {
  if (OnNTPlatform()) {
    copyright_ = JoinLines(ReadRegistryValueAsText(platform::RegRoot::LocalMachine, kSystemKey, "SystemBiosVersion", false));
    name_ = ReadRegistryValueAsText(platform::RegRoot::LocalMachine, kSystemKey, "Identifier", false);
    date_ = ReadRegistryValueAsText(platform::RegRoot::LocalMachine, kSystemKey, "SystemBiosDate", false);
    return;
  }
  platform::Bytes area(kBiosTextAreaLength, 0);
  if (!Machine().Firmware().CopyLinearMemory(kBiosTextArea, kBiosTextAreaLength, area.data())) area.clear();
  auto text = [&](std::uint32_t address) { return BiosAreaText(area, address - kBiosTextArea); };
  name_ = text(0xFE061);
  date_ = text(0xFFFF5);
  copyright_ = text(0xFE091);
  extendedInfo_ = text(0xFEC71);
}

void TBIOS::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "BIOS", ClassName());
  WriteString(list, "Name", name_);
  WriteString(list, "Copyright", copyright_);
  WriteString(list, "Date", date_);
  WriteString(list, "Extended Info", extendedInfo_);
  WriteElementEnd(list, "BIOS");
  if (standalone) WriteReportFooter(list);
}

TMachine::TMachine() : smbios_(std::make_unique<TSMBIOS>()), bios_(std::make_unique<TBIOS>()) {
  smbios_->SetExceptionMode(exceptionMode_);
  FindComputer();
}

void TMachine::FindComputer() {
  auto computers = DevicesOfClass(kComputerDeviceClass, exceptionMode_);
  if (computers.empty()) return;
  const TDevice& device = computers.front();
  computer_ = device.FriendlyName.empty() ? device.Description : device.FriendlyName;
}

TMachine::~TMachine() {
  bios_.reset();
  smbios_.reset();
}

double TMachine::CurrentUpTime() {
  if (auto ticks = Machine().Session().TickCount64()) return static_cast<double>(*ticks) / 1000.0;
  return Sys().GetTickCount() / 1000.0;
}

std::int64_t TMachine::WholeSeconds(double seconds) { return static_cast<std::int64_t>(std::nearbyint(seconds)); }

void TMachine::GetInfo(std::int32_t mode) {
  GuardCall(bios_->ClassName() + ".GetInfo", exceptionMode_, *bios_, &TBIOS::GetInfo);
  if (mode == 1) GuardCall(smbios_->ClassName() + ".GetInfo", exceptionMode_, *smbios_, &TSMBIOS::GetInfo, 1);

  systemUpTime_ = CurrentUpTime();
  try {
    platform::SystemTime now = Machine().Regional().LocalTime();
    TDateTime today = EncodeDate(now.year, now.month, now.day) +
                      EncodeTime(now.hour, now.minute, now.second, now.milliseconds);
    lastBoot_ = today - systemUpTime_ / 86400.0;
  } catch (const std::exception&) {
    lastBoot_ = 0.0;
  }

  name_ = GetMachineName();
  user_ = GetCurrentUserName();

  platform::KeyboardState keys{};
  if (auto state = Machine().Session().Keyboard()) keys = *state;
  capsLock_ = keys[kCapital] == kToggledOnly;
  numLock_ = keys[kNumLock] == kToggledOnly;
  scrollLock_ = keys[kScroll] == kToggledOnly;
}

void TMachine::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "Machine", ClassName());
  WriteString(list, "Name", name_);
  WriteString(list, "User", user_);
  TFormatSettings settings = LoadFormatSettings(Machine().Regional(), platform::kLocaleUserDefault);
  WriteString(list, "LastBoot", DateTimeToText(lastBoot_, settings));
  WriteString(list, "SystemUpTime", FormatDuration(WholeSeconds(systemUpTime_)));
  WriteString(list, "Computer", computer_);
  WriteElementEnd(list, "Machine");
  smbios_->Report(list, false);
  bios_->Report(list, false);
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
