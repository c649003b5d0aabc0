// The display topic on simulated machines: where each family keeps the
// adapter's details, values of unexpected types, the screen's context and
// the mode list, and the report element.
#include <gtest/gtest.h>

#include "DeviceTestMachines.h"
#include "TestMachine.h"
#include "platform/sim/Profile.h"
#include "software/NSX_Display.h"

namespace nsx {
namespace {

const char kDisplayGuid[] = "{4D36E968-E325-11CE-BFC1-08002BE10318}";
const char kVideoKey[] = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Video\\{V1}\\0000";

platform::Bytes Utf16(const std::u16string& text, bool withNul) {
  platform::Bytes bytes;
  for (char16_t c : text) bytes.insert(bytes.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8)});
  if (withNul) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

// An NT machine whose display device names its video key by a VideoID
// (or, without one, by its service).
sim::SimMachine NTDisplayMachine(bool withVideoId) {
  sim::SimMachine m = test::WinXPSP3();
  test::AddNTClass(m, kDisplayGuid, "Display", "Display adapters");
  test::AddNTDevice(m, {"PCI\\VEN_10DE&DEV_0110\\0", kDisplayGuid, "Display", "NVIDIA GeForce2 MX", "", "nv4",
                        std::string(kDisplayGuid) + "\\0000"});
  if (withVideoId)
    m.registry.SetString("HKLM\\SYSTEM\\CurrentControlSet\\Enum\\PCI\\VEN_10DE&DEV_0110\\0\\Device Parameters",
                         "VideoID", "{V1}");
  m.display.caps = {{platform::kCapsHorzRes, 1024}, {platform::kCapsVertRes, 768}, {platform::kCapsBitsPixel, 32},
                    {platform::kCapsTechnology, 1}, {platform::kCapsVRefresh, 85}};
  return m;
}

TEST(TDisplay, NTDetailsFromTheVideoKeyOrTheServiceKey) {
  for (bool withVideoId : {true, false}) {
    sim::SimMachine m = NTDisplayMachine(withVideoId);
    std::string key = withVideoId ? kVideoKey : "HKLM\\SYSTEM\\CurrentControlSet\\Services\\nv4\\Device0";
    m.registry.SetBinary(key, "HardwareInformation.ChipType", Utf16(u"GeForce2 MX", true));
    // No NUL at the end: the value's length ends the text.
    m.registry.SetBinary(key, "HardwareInformation.BiosString", Utf16(u"Version 3.11.01.24", false));
    m.registry.SetBinary(key, "HardwareInformation.DacType", Utf16(u"Integrated RAMDAC", true), platform::kRegDword);
    m.registry.SetBinary(key, "HardwareInformation.MemorySize", {0x00, 0x00, 0x00, 0x02});
    test::TestMachine machine(m);
    TDisplay display;
    display.GetInfo();
    EXPECT_EQ(display.Adapter(), "NVIDIA GeForce2 MX");
    EXPECT_EQ(display.Chipset(), "GeForce2 MX") << withVideoId;
    EXPECT_EQ(display.BIOSString(), "Version 3.11.01.24");
    EXPECT_EQ(display.DAC(), "") << "a value of another type leaves its field empty";
    EXPECT_EQ(display.Memory(), 1 << 25);
    EXPECT_EQ(display.VerticalRefreshRate(), 85u);
    EXPECT_EQ(display.Technology(), "Raster Display");
  }
}

TEST(TDisplay, NineXDetailsAndVideoMemoryOfEachType) {
  struct Case {
    std::uint32_t type;
    platform::Bytes data;
    std::int32_t memory;
  } cases[] = {
      // type                 data                          memory
      {platform::kRegDword,  {0x00, 0x00, 0x80, 0x00},      8 << 20},
      {platform::kRegBinary, {0x00, 0x00, 0x40, 0x00},      4 << 20},
      {platform::kRegSz,     {'4', '1', '9', '4', 0},       0},
      {platform::kRegBinary, {0x00, 0x01},                  0},
  };
  for (const auto& c : cases) {
    sim::SimMachine m = test::Win98SE();
    test::Add9xDevice(m, "C29A1800", {"PCI\\VEN_5333&DEV_8A01\\BUS_01", kDisplayGuid, "DISPLAY", "S3 Trio3D", "", "",
                                      "DISPLAY\\0001"});
    std::string info = "HKLM\\System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001\\INFO";
    m.registry.SetBinary(info, "VideoMemory", c.data, c.type);
    m.registry.SetString(info, "ChipType", "S3 Trio3D");
    m.registry.SetString(info, "DacType", "Internal");
    m.display.caps = {{platform::kCapsVRefresh, 75}};
    m.display.modes = {{640, 480, 8, 0}, {800, 600, 16, 0}};
    test::TestMachine machine(m);
    TDisplay display;
    display.GetInfo();
    EXPECT_EQ(display.Memory(), c.memory) << c.type;
    EXPECT_EQ(display.Chipset(), "S3 Trio3D");
    EXPECT_EQ(display.DAC(), "Internal");
    EXPECT_EQ(display.VerticalRefreshRate(), 0u) << "the 9x family's driver is not asked";
    EXPECT_EQ(display.Modes(), (TStringList{"640 x 480 - 8 bit", "800 x 600 - 16 bit"}));
  }
}

TEST(TDisplay, ModesOnceEachAndTheLoopBounded) {
  sim::SimMachine m = test::WinXPSP3();
  m.display.modes = {{1024, 768, 32, 60}, {1024, 768, 32, 75}, {1024, 768, 32, 85}, {800, 600, 16, 60},
                     {1024, 768, 16, 60}};
  test::TestMachine machine(m);
  TDisplay display;
  display.GetInfo();
  display.GetInfo();  // a second gathering rebuilds the list
  EXPECT_EQ(display.Modes(), (TStringList{"1024 x 768 - 32 bit", "800 x 600 - 16 bit", "1024 x 768 - 16 bit"}));

  machine.Data().display.endlessModes = true;
  machine.Data().display.modeQueries = 0;
  display.GetInfo();
  EXPECT_EQ(machine.Data().display.modeQueries, kMaxDisplayModes);
  EXPECT_EQ(display.Modes().size(), 3u);
}

TEST(TDisplay, EveryContextReleasedAndNoneMeansNoValues) {
  sim::SimMachine m = test::WinXPSP3();
  m.display.caps = {{platform::kCapsTechnology, 1}, {platform::kCapsHorzRes, 800}};
  test::TestMachine machine(m);
  TDisplay display;
  display.GetInfo();
  EXPECT_EQ(machine.Data().display.openDCs, 0);
  EXPECT_EQ(display.HorzRes(), 800);
  machine.Data().display.screenDC = false;
  display.GetInfo();
  EXPECT_EQ(display.HorzRes(), 0);
  EXPECT_EQ(display.Technology(), "Raster Display") << "no context: the technology's text stays";
  EXPECT_EQ(machine.Data().display.openDCs, 0);
}

TEST(TDisplay, CapabilitySetsInSetOrder) {
  sim::SimMachine m = test::WinXPSP3();
  // TEXTCAPS 0x8000 names no member; RASTERCAPS lists banding (0x2) before bitmaps (0x1).
  m.display.caps = {{platform::kCapsTextCaps, 0x10000 | 0x8000 | 0x400}, {platform::kCapsRasterCaps, 0x0002},
                    {platform::kCapsShadeBlendCaps, 0x10}, {platform::kCapsColorMgmtCaps, 0x4}};
  test::TestMachine machine(m);
  TDisplay display;
  display.GetInfo();
  EXPECT_TRUE(display.TextCaps().Contains(tcNoScrollUsingBlts));
  EXPECT_TRUE(display.TextCaps().Contains(tcItalics));
  EXPECT_EQ(display.TextCaps().Bits(), (1u << tcNoScrollUsingBlts) | (1u << tcItalics));
  TStringList raster, shade, colour;
  display.GetRasterCapsStr(raster);
  display.GetShadeBlendCapsStr(shade);
  display.GetColorMgmtCapsStr(colour);
  EXPECT_EQ(raster[0], "Requires Banding=1");
  EXPECT_EQ(raster[1], "Can Transfer Bitmaps=0");
  EXPECT_EQ(shade[1], "GradientFill rectangles=1");
  EXPECT_EQ(colour, (TStringList{"CMYK color space ICC color profile=1", "ICM performation=0", "Gamma Ramp support=0"}));

  TReportList list;
  display.Report(list, false);
  const auto& lines = list.Lines();
  auto at = std::find(lines.begin(), lines.end(), "<section name=\"RasterCapabilities\">");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(at[1], "<data name=\"RequiresBanding\" type=\"boolean\">1</data>");
  EXPECT_EQ(at[2], "<data name=\"BitmapsTransferSupport\" type=\"boolean\">0</data>");
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "<data name=\"GradientFill rectangles\" type=\"boolean\">1</data>"), lines.end());
}

TEST(TDisplay, ProfileReportReadsBack) {
  test::TestMachine machine(sim::LoadProfile(SYSINSPECT_TEST_PROFILES "/w2k-lan"));
  TDisplay display;
  display.GetInfo();
  TReportList list;
  display.Report(list, true);
  const auto& lines = list.Lines();
  for (const char* line : {"<data name=\"Adapter\" type=\"string\">S3 Graphics Savage4</data>",
                           "<data name=\"MemorySize\" type=\"integer\" unit=\"B\">33554432</data>",
                           "<data name=\"BIOSVersion\" type=\"string\">S3 Savage4 BIOS 1.04</data>",
                           "<data name=\"VerticalRefreshRate\" type=\"integer\" unit=\"Hz\">85</data>",
                           "<data name=\"Mode[2]\" type=\"string\">1024 x 768 - 32 bit</data>"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  EXPECT_EQ(lines.back(), "</classes>");
}

}  // namespace
}  // namespace nsx
