#include "NSX_Display.h"

#include <set>

#include "../hardware/NSX_Devices.h"
#include "../platform/LittleEndian.h"

namespace nsx {
namespace {

using platform::RegKey;
using platform::RegRoot;

const std::uint8_t kDisplayDeviceClass = 3;  // the "Display" class of the device list
const char kSystemKey[] = "HARDWARE\\DESCRIPTION\\System";

// A text value of an NT display driver's key: UTF-16 in a binary value (a
// plain string is taken as it is). Absent: unchanged; of another type: empty.
void ReadDriverText(const RegKey& key, const char* name, std::string& field) {
  auto value = key.Value(name);
  if (!value) return;
  if (value->type == platform::kRegBinary)
    field = Sys().WideToAnsi(Utf16RegistryText(value->data));
  else if (value->type == platform::kRegSz)
    field = key.String(name).value_or("");
  else
    field.clear();
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

std::string ModeText(const platform::DisplayMode& mode) {
  return std::to_string(static_cast<std::int32_t>(mode.width)) + " x " +
         std::to_string(static_cast<std::int32_t>(mode.height)) + " - " +
         std::to_string(static_cast<std::int32_t>(mode.bitsPerPel)) + " bit";
}

}  // namespace

std::u16string Utf16RegistryText(const platform::Bytes& data) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

TDisplay::TDisplay() { FindAdapter(); }

void TDisplay::FindAdapter() {
  // A device list that cannot be read leaves the adapter unknown; it is no
  // reason to stop the program being built.
  auto adapters = DevicesOfClass(kDisplayDeviceClass, emSilent);
  if (adapters.empty()) return;
  const TDevice& device = adapters.front();
  adapter_ = DeviceTitle(device);
  service_ = device.Service;
  driver_ = device.Driver;
  deviceParam_ = device.DeviceParam;
}

void TDisplay::GetInfo() {
  if (OSInfo().IsNT)
    ReadNTAdapterDetails();
  else
    Read9xAdapterDetails();
  biosVersion_ = FirstLine(ReadRegistryValueAsText(RegRoot::LocalMachine, kSystemKey, "VideoBiosVersion", false));
  biosDate_ = ReadRegistryValueAsText(RegRoot::LocalMachine, kSystemKey, "VideoBiosDate", false);
  ReadScreen();
  ReadModes();
}

void TDisplay::ReadNTAdapterDetails() {
  std::string path;
  if (!deviceParam_.empty())
    path = "SYSTEM\\CurrentControlSet\\Control\\Video\\" + deviceParam_ + "\\0000";
  else if (!service_.empty())
    path = "SYSTEM\\CurrentControlSet\\Services\\" + service_ + "\\Device0";
  else
    return;  // no display device: nothing to look up
  RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine, path);
  if (!key) return;
  ReadDriverText(key, "HardwareInformation.DacType", dac_);
  ReadDriverText(key, "HardwareInformation.ChipType", chipset_);
  ReadDriverText(key, "HardwareInformation.BiosString", biosString_);
  if (auto value = key.Value("HardwareInformation.MemorySize")) {
    bool number = value->type == platform::kRegBinary || value->type == platform::kRegDword;
    memory_ = number && value->data.size() >= 4 ? static_cast<std::int32_t>(platform::LittleEndian32(value->data, 0)) : 0;
  }
}

void TDisplay::Read9xAdapterDetails() {
  if (driver_.empty()) return;
  RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine,
                            "System\\CurrentControlSet\\Services\\Class\\" + driver_ + "\\INFO");
  if (!key) return;
  if (key.HasValue("DacType")) dac_ = key.String("DacType").value_or("");
  if (key.HasValue("ChipType")) chipset_ = key.String("ChipType").value_or("");
  // A number, as a DWORD or four binary bytes; any other kind of value leaves it unknown.
  if (key.HasValue("VideoMemory")) memory_ = static_cast<std::int32_t>(key.Dword("VideoMemory").value_or(0));
}

void TDisplay::ReadScreen() {
  platform::ScreenDC dc(Machine().Display());
  deviceDriverVersion_ = dc.Caps(platform::kCapsDriverVersion);
  fontResolution_ = static_cast<std::uint32_t>(dc.Caps(platform::kCapsLogPixelsY));
  horzRes_ = dc.Caps(platform::kCapsHorzRes);
  vertRes_ = dc.Caps(platform::kCapsVertRes);
  horzSize_ = dc.Caps(platform::kCapsHorzSize);
  vertSize_ = dc.Caps(platform::kCapsVertSize);
  colorDepth_ = dc.Caps(platform::kCapsBitsPixel);
  // The 9x family's drivers are not asked: they have no such index.
  verticalRefreshRate_ = OSInfo().IsNT ? static_cast<std::uint32_t>(dc.Caps(platform::kCapsVRefresh)) : 0;
  // Without a context there is no technology to name: the text stays.
  if (const char* text = dc ? TechnologyText(dc.Caps(platform::kCapsTechnology)) : nullptr) technology_ = text;
  pixelWidth_ = dc.Caps(platform::kCapsAspectX);
  pixelHeight_ = dc.Caps(platform::kCapsAspectY);
  pixelDiagonal_ = dc.Caps(platform::kCapsAspectXY);

  auto decode = [&](TCapsKind kind) { return DecodeCapsSet(kind, dc.Caps(CapsSetInfo(kind).capsIndex)); };
  curveCaps_ = TCurveCaps(decode(ckCurve));
  lineCaps_ = TLineCaps(decode(ckLine));
  polygonCaps_ = TPolygonCaps(decode(ckPolygon));
  rasterCaps_ = TRasterCaps(decode(ckRaster));
  textCaps_ = TTextCaps(decode(ckText));
  shadeBlendCaps_ = TShadeBlendCaps(decode(ckShadeBlend));
  colorMgmtCaps_ = TColorMgmtCaps(decode(ckColorMgmt));
}

void TDisplay::ReadModes() {
  modes_.clear();
  std::set<std::string> seen;
  platform::DisplayApi& display = Machine().Display();
  for (std::uint32_t number = 0; number < kMaxDisplayModes; ++number) {
    auto mode = display.DisplaySettings(number);
    if (!mode) break;
    std::string text = ModeText(*mode);
    // Modes that differ only in their refresh rate appear once.
    if (seen.insert(text).second) modes_.push_back(text);
  }
}

void TDisplay::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "Display", ClassName());
  WriteString(list, "Adapter", adapter_);
  WriteString(list, "Chipset", chipset_);
  WriteString(list, "DAC", dac_);
  WriteInteger(list, "MemorySize", memory_, "", "B");
  WriteString(list, "BIOSVersion", biosVersion_);
  WriteString(list, "BIOSDate", biosDate_);
  WriteString(list, "BIOSString", biosString_);
  WriteString(list, "Technology", technology_);
  WriteInteger(list, "DeviceDriverVersion", deviceDriverVersion_);
  WriteInteger(list, "HorizontalResolution", horzRes_, "", "px");
  WriteInteger(list, "VerticalResolution", vertRes_, "", "px");
  WriteInteger(list, "HorizontalSize", horzSize_, "", "mm");
  WriteInteger(list, "VerticalSize", vertSize_, "", "mm");
  WriteInteger(list, "ColorDepth", colorDepth_, "", "b");
  WriteInteger(list, "PixelWidth", pixelWidth_);
  WriteInteger(list, "PixelHeight", pixelHeight_);
  WriteInteger(list, "PixelDiagonal", pixelDiagonal_);
  WriteInteger(list, "FontResolution", fontResolution_, "", "dpi");
  WriteInteger(list, "VerticalRefreshRate", verticalRefreshRate_, "", "Hz");
  WriteSectionStart(list, "VideoModes");
  WriteStringsData(modes_, "Count", "Mode", list);
  WriteSectionEnd(list);
  const std::uint32_t sets[kCapsKindCount] = {curveCaps_.Bits(),  lineCaps_.Bits(),       polygonCaps_.Bits(),
                                              rasterCaps_.Bits(), textCaps_.Bits(),       shadeBlendCaps_.Bits(),
                                              colorMgmtCaps_.Bits()};
  for (int kind = 0; kind < kCapsKindCount; ++kind) {
    const TCapsSetInfo& set = CapsSetInfo(static_cast<TCapsKind>(kind));
    WriteSectionStart(list, set.section);
    for (std::size_t i = 0; i < set.count; ++i) WriteBoolean(list, set.members[i].reportName, (sets[kind] >> i) & 1u);
    WriteSectionEnd(list);
  }
  WriteElementEnd(list, "Display");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
