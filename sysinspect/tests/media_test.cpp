// The multimedia topic: the devices of the MEDIA class with the sound card
// and game port, the API's devices by kind with their driver versions, a
// gathering that starts afresh, and the report.
#include <gtest/gtest.h>

#include "DeviceTestMachines.h"
#include "TestMachine.h"
#include "software/MediaCaps.h"
#include "software/NSX_Media.h"

namespace nsx {
namespace {

using platform::MediaDeviceKind;

const char kMediaGuid[] = "{4D36E96C-E325-11CE-BFC1-08002BE10318}";
const char kNTEnum[] = "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\";

// A WAVEOUTCAPSA as the driver fills it: the fields after szPname are not 0.
platform::Bytes WaveOutCaps(std::uint32_t version, const std::string& name) {
  platform::Bytes caps(kWaveOutCapsSize, 0xEE);
  for (int i = 0; i < 4; ++i) caps[4 + i] = static_cast<std::uint8_t>(version >> (8 * i));
  for (size_t i = 0; i < 32; ++i) caps[8 + i] = i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0;
  return caps;
}

TEST(MediaCaps, NameAndDriverVersion) {
  const std::string full32 = "Creative Sound Blaster PCI128 Ma";  // fills szPname, no NUL
  struct Case {
    platform::Bytes caps;
    std::string text;
  } cases[] = {
      {WaveOutCaps(0x0503, "SB16 Wave Out"), "SB16 Wave Out v5.3"},
      {WaveOutCaps(0x1234050A, "ESS"), "ESS v5.10"},  // only the low word counts
      {WaveOutCaps(0x0100, full32), full32 + " v1.0"},
      {WaveOutCaps(0, ""), " v0.0"},
      {platform::Bytes{0, 0, 0, 0, 3, 4, 'A', 'B'}, " v4.3"},  // too short for the name
  };
  for (const auto& c : cases) EXPECT_EQ(MediaCapsText(c.caps), c.text);
}

struct MediaDevice {
  const char* path;
  const char* title;
  const char* location;
};

sim::SimMachine MediaMachine(const std::vector<MediaDevice>& devices) {
  auto m = test::WinXPSP3();
  test::AddNTClass(m, kMediaGuid, "MEDIA", "Sound, video and game controllers");
  for (const auto& d : devices) {
    test::AddNTDevice(m, {d.path, kMediaGuid, "MEDIA", d.title, "", "", ""});
    if (*d.location) m.registry.SetString(kNTEnum + std::string(d.path), "LocationInformation", d.location);
  }
  return m;
}

TEST(TMedia, SoundCardIsTheFirstWithALocationAndTheLastGamePortWins) {
  struct Case {
    const char* name;
    std::vector<MediaDevice> devices;
    std::int32_t soundCard, gamePort;
  } cases[] = {
      {"none", {}, -1, -1},
      {"card and port",
       {{"PCI\\VEN_1274\\1", "Creative AudioPCI", "PCI bus 0, device 9"},
        {"PCI\\VEN_1274\\2", "Gameport Joystick", "PCI bus 0, device 9"}},
       0, 1},
      {"card without a location is not the sound card",
       {{"PCI\\VEN_0000\\0", "Legacy Audio Drivers", ""}, {"PCI\\VEN_8086\\1", "AC'97 Audio", "PCI bus 0, device 31"}},
       1, -1},
      {"two game ports",
       {{"ACPI\\GAME\\1", "Standard Game Port", ""}, {"ACPI\\GAME\\2", "game port 2", "ISA"}}, -1, 1},
  };
  for (const auto& c : cases) {
    auto m = MediaMachine(c.devices);
    test::TestMachine running(m);
    TMedia media;
    EXPECT_EQ(media.Devices().size(), c.devices.size()) << c.name;
    EXPECT_EQ(media.SoundCardIndex(), c.soundCard) << c.name;
    EXPECT_EQ(media.GamePortIndex(), c.gamePort) << c.name;
  }
}

TEST(TMedia, ListsEachKindOnceWithItsDriverVersion) {
  auto m = MediaMachine({});
  auto& devices = m.media.devices;
  devices[MediaDeviceKind::WaveOut] = {{"SB Live! Wave Device", 0x0503}, {"Broken", 0, platform::kMmSysErrNoDriver}};
  devices[MediaDeviceKind::WaveIn] = {{"SB Live! Wave In", 0x0503}};
  devices[MediaDeviceKind::MidiOut] = {{"SB Live! MIDI Synth", 0x0500}, {"Microsoft GS Wavetable", 0x0100}};
  devices[MediaDeviceKind::MidiIn] = {{"SB Live! MIDI UART", 0x0501}, {"SB Live! MIDI UART", 0x0501}};
  devices[MediaDeviceKind::Aux] = {{"CD Audio", 0x0400}};
  devices[MediaDeviceKind::Mixer] = {{"SB Live! Mixer", 0x050A}};
  test::TestMachine running(m);
  TMedia media;
  media.GetInfo();
  EXPECT_EQ(media.WAVEOut(), (TStringList{"SB Live! Wave Device v5.3"}));
  EXPECT_EQ(media.WAVEIn(), (TStringList{"SB Live! Wave In v5.3"}));
  EXPECT_EQ(media.MIDIOut(), (TStringList{"SB Live! MIDI Synth v5.0", "Microsoft GS Wavetable v1.0"}));
  EXPECT_EQ(media.MIDIIn(), (TStringList{"SB Live! MIDI UART v5.1"}));
  EXPECT_EQ(media.AUX(), (TStringList{"CD Audio v4.0"}));
  EXPECT_EQ(media.Mixer(), (TStringList{"SB Live! Mixer v5.10"}));
}

TEST(TMedia, EveryGatheringStartsAfresh) {
  auto m = MediaMachine({{"PCI\\VEN_1102\\1", "USB Audio & Headset", "Port_#0001"}});
  m.media.devices[MediaDeviceKind::WaveOut] = {{"USB Audio", 0x0100}};
  test::TestMachine running(m);
  TMedia media;
  media.GetInfo();
  media.GetInfo();
  EXPECT_EQ(media.WAVEOut().size(), 1u);
  // The headset is unplugged.
  running.Data().media.devices.clear();
  running.Data().registry.Root(platform::RegRoot::LocalMachine).Find("SYSTEM\\CurrentControlSet\\Enum")->subKeys.clear();
  media.GetInfo();
  EXPECT_TRUE(media.WAVEOut().empty());
  EXPECT_TRUE(media.Devices().empty());
  EXPECT_EQ(media.SoundCardIndex(), -1);
}

TEST(TMedia, Report) {
  auto m = MediaMachine({{"PCI\\VEN_1102\\1", "Sound & \"Game\" Card", "PCI"}});
  m.media.devices[MediaDeviceKind::MidiIn] = {{"MPU-401 <in>", 0x0401}};
  test::TestMachine running(m);
  TMedia media;
  media.GetInfo();
  TReportList list(1252);
  media.Report(list, false);
  const std::vector<std::string> expected = {
      "<Media classname=\"TMedia\">",
      "<section name=\"Devices\">",
      "<data name=\"Count\" type=\"integer\">1</data>",
      "<data name=\"Device[0]\" type=\"string\">Sound &amp; &quot;Game&quot; Card</data>",
      "</section>",
      "<section name=\"WAVE\">",
      "<data name=\"WaveInCount\" type=\"integer\">0</data>",
      "<data name=\"WaveOutCount\" type=\"integer\">0</data>",
      "</section>",
      "<section name=\"MIDI\">",
      "<data name=\"MIDIInCount\" type=\"integer\">1</data>",
      "<data name=\"MIDIIn[0]\" type=\"string\">MPU-401 &lt;in&gt; v4.1</data>",
      "<data name=\"MIDIOutCount\" type=\"integer\">0</data>",
      "</section>",
      "<section name=\"AUX\">",
      "<data name=\"AUXCount\" type=\"integer\">0</data>",
      "</section>",
      "<section name=\"Mixer\">",
      "<data name=\"MixerCount\" type=\"integer\">0</data>",
      "</section>",
      "</Media>",
  };
  EXPECT_EQ(list.Lines(), expected);
}

}  // namespace
}  // namespace nsx
