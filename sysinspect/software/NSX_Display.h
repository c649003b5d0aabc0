// The display topic: the adapter found at construction among the devices of
// the display class, its chip, DAC, memory and video BIOS from the registry,
// and from the screen's device context the resolution, size, depth, refresh
// rate, technology and the seven GDI capability sets, with the list of
// display modes.
#pragma once
#include <cstdint>
#include <string>

#include "../core/NSX_Common.h"
#include "DisplayCaps.h"

namespace nsx {

// Display modes asked of the driver at most (a driver that never answers
// FALSE would otherwise keep the loop going for ever).
constexpr std::uint32_t kMaxDisplayModes = 65536;

class TDisplay : public TTopic {
 public:
  TDisplay();

  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TDisplay"; }

  // The overview's name=value lines of each capability set, appended.
  void GetCurveCapsStr(TStringList& list) const { AppendCapsLines(ckCurve, curveCaps_.Bits(), list); }
  void GetLineCapsStr(TStringList& list) const { AppendCapsLines(ckLine, lineCaps_.Bits(), list); }
  void GetPolygonCapsStr(TStringList& list) const { AppendCapsLines(ckPolygon, polygonCaps_.Bits(), list); }
  void GetRasterCapsStr(TStringList& list) const { AppendCapsLines(ckRaster, rasterCaps_.Bits(), list); }
  void GetTextCapsStr(TStringList& list) const { AppendCapsLines(ckText, textCaps_.Bits(), list); }
  void GetShadeBlendCapsStr(TStringList& list) const { AppendCapsLines(ckShadeBlend, shadeBlendCaps_.Bits(), list); }
  void GetColorMgmtCapsStr(TStringList& list) const { AppendCapsLines(ckColorMgmt, colorMgmtCaps_.Bits(), list); }

  const std::string& Adapter() const { return adapter_; }
  const std::string& DAC() const { return dac_; }
  const std::string& Chipset() const { return chipset_; }
  std::int32_t Memory() const { return memory_; }
  std::int32_t HorzRes() const { return horzRes_; }
  std::int32_t VertRes() const { return vertRes_; }
  std::int32_t HorzSize() const { return horzSize_; }
  std::int32_t VertSize() const { return vertSize_; }
  std::int32_t ColorDepth() const { return colorDepth_; }
  std::int32_t DeviceDriverVersion() const { return deviceDriverVersion_; }
  const std::string& BIOSVersion() const { return biosVersion_; }
  const std::string& BIOSDate() const { return biosDate_; }
  const std::string& BIOSString() const { return biosString_; }
  const std::string& Technology() const { return technology_; }
  std::int32_t PixelWidth() const { return pixelWidth_; }
  std::int32_t PixelHeight() const { return pixelHeight_; }
  std::int32_t PixelDiagonal() const { return pixelDiagonal_; }
  TRasterCaps RasterCaps() const { return rasterCaps_; }
  TCurveCaps CurveCaps() const { return curveCaps_; }
  TLineCaps LineCaps() const { return lineCaps_; }
  TPolygonCaps PolygonCaps() const { return polygonCaps_; }
  TTextCaps TextCaps() const { return textCaps_; }
  TShadeBlendCaps ShadeBlendCaps() const { return shadeBlendCaps_; }
  TColorMgmtCaps ColorMgmtCaps() const { return colorMgmtCaps_; }
  const TStringList& Modes() const { return modes_; }
  std::uint32_t FontResolution() const { return fontResolution_; }
  std::uint32_t VerticalRefreshRate() const { return verticalRefreshRate_; }

 private:
  void FindAdapter();
  void ReadNTAdapterDetails();
  void Read9xAdapterDetails();
  void ReadScreen();
  void ReadModes();

  // Registry names of the adapter found at construction.
  std::string service_, driver_, deviceParam_;

  std::string adapter_, dac_, chipset_, biosVersion_, biosDate_, biosString_, technology_;
  std::int32_t memory_ = 0, horzRes_ = 0, vertRes_ = 0, horzSize_ = 0, vertSize_ = 0, colorDepth_ = 0;
  std::int32_t deviceDriverVersion_ = 0, pixelWidth_ = 0, pixelHeight_ = 0, pixelDiagonal_ = 0;
  TRasterCaps rasterCaps_;
  TCurveCaps curveCaps_;
  TLineCaps lineCaps_;
  TPolygonCaps polygonCaps_;
  TTextCaps textCaps_;
  TShadeBlendCaps shadeBlendCaps_;
  TColorMgmtCaps colorMgmtCaps_;
  TStringList modes_;
  std::uint32_t fontResolution_ = 0, verticalRefreshRate_ = 0;
};

// The text of a UTF-16LE registry binary: as many characters as its length
// holds (an odd last byte dropped), up to the first NUL among them.
std::u16string Utf16RegistryText(const platform::Bytes& data);

}  // namespace nsx
