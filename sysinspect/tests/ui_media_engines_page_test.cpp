// What the Media and Engines pages show: the device pictures, the sound
// devices by kind, the engine labels, the DirectX drivers and the ASPI
// devices.
#include <gtest/gtest.h>

#include "DeviceTestMachines.h"
#include "TestMachine.h"
#include "software/NSX_Engines.h"
#include "software/NSX_Media.h"
#include "ui/logic/MediaEnginesPage.h"

namespace nsx::ui {
namespace {

using platform::MediaDeviceKind;

TEST(MediaPage, RowsAndPictures) {
  const char kMedia[] = "{4D36E96C-E325-11CE-BFC1-08002BE10318}";
  auto m = test::WinXPSP3();
  test::AddNTClass(m, kMedia, "MEDIA", "Sound, video and game controllers");
  test::AddNTDevice(m, {"PCI\\A\\1", kMedia, "MEDIA", "Creative SB Live!", "", "", ""});
  test::AddNTDevice(m, {"PCI\\A\\2", kMedia, "MEDIA", "Creative Game Port", "", "", ""});
  test::AddNTDevice(m, {"PCI\\A\\3", kMedia, "MEDIA", "Video Capture", "", "", ""});
  m.registry.SetString("HKLM\\SYSTEM\\CurrentControlSet\\Enum\\PCI\\A\\1", "LocationInformation", "PCI slot 2");
  m.media.devices[MediaDeviceKind::Mixer] = {{"Mixer", 0x0100}};
  m.media.devices[MediaDeviceKind::WaveIn] = {{"Rec", 0x0100}};
  m.media.devices[MediaDeviceKind::MidiOut] = {{"Synth", 0x0100}};
  test::TestMachine running(m);
  TMedia media;
  media.GetInfo();
  auto devices = MediaDeviceRows(media);
  ASSERT_EQ(devices.size(), 3u);
  EXPECT_EQ(devices[0].icon, kSoundCardIcon);
  EXPECT_EQ(devices[1].icon, kGamePortIcon);
  EXPECT_EQ(devices[2].icon, kMediaDeviceIcon);
  auto sound = SoundDeviceRows(media);
  ASSERT_EQ(sound.size(), 3u);
  EXPECT_EQ(sound[0].cells, (std::vector<std::string>{"Rec v1.0", "Wave In"}));
  EXPECT_EQ(sound[1].cells, (std::vector<std::string>{"Synth v1.0", "MIDI Out"}));
  EXPECT_EQ(sound[2].icon, kMixerIcon);
}

TEST(EnginesPage, LabelsAndLists) {
  auto m = test::WinXPSP3();
  m.com.classes["DAO.DBEngine.36"] = {"3.6", true, false};
  m.registry.SetString("HKLM\\SOFTWARE\\Microsoft\\DirectX", "Version", "4.08.01.0881");
  m.registry.SetString("HKLM\\SOFTWARE\\Microsoft\\DirectPlay\\Services\\{1}", "Description", "Internet TCP/IP");
  m.registry.SetString("HKLM\\SOFTWARE\\Microsoft\\Direct3D\\Drivers\\HAL", "Description", "HAL");
  m.aspi.library = true;
  m.aspi.adapters.resize(1);
  m.aspi.adapters[0].targets[2].inquiry = sim::StandardInquiry(5, "NEC", "CD-ROM DRIVE:28", "1.0", "1998");
  test::TestMachine running(m);
  TEngines engines;
  engines.GetInfo();
  EXPECT_EQ(EngineLabels(engines),
            (std::vector<std::string>{"Open Database Connectivity not found", "Borland Database Engine not found",
                                      "Microsoft Data Access Objects 3.6",
                                      "Microsoft ActiveX Data Objects not found"}));
  EXPECT_EQ(DirectXLabel(engines.DirectX()), "Installed version: 4.08.01.0881");
  auto drivers = DirectXRows(engines.DirectX());
  ASSERT_EQ(drivers.size(), 2u);
  EXPECT_EQ(drivers[0].cells, (std::vector<std::string>{"HAL", "Direct3D"}));
  EXPECT_EQ(drivers[1].cells, (std::vector<std::string>{"Internet TCP/IP", "DirectPlay"}));
  // The library has no version: "not found", yet its devices are listed.
  EXPECT_EQ(AspiLabel(engines.ASPI32()), "Adaptec ASPI not found");
  auto devices = AspiRows(engines.ASPI32().Scan());
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0].cells, (std::vector<std::string>{"NEC     CD-ROM DRIVE:28 ", "1.0 ", "0", "2", "0",
                                                        "1998                "}));
  EXPECT_EQ(devices[0].icon, -1);

  running.Data().registry.Root(platform::RegRoot::LocalMachine).subKeys.clear();
  engines.GetInfo();
  EXPECT_EQ(DirectXLabel(engines.DirectX()), "Not installed.");
  EXPECT_TRUE(DirectXRows(engines.DirectX()).empty());
}

}  // namespace
}  // namespace nsx::ui
