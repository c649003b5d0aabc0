#include "NSX_Media.h"

#include <algorithm>

#include "../core/Runtime.h"
#include "../hardware/NSX_Devices.h"
#include "MediaCaps.h"

namespace nsx {
namespace {

using platform::MediaDeviceKind;

const std::uint8_t kMediaDeviceClass = 30;  // the "MEDIA" class of the device list

struct TApiList {
  MediaDeviceKind kind;
  std::size_t capsSize;
  TStringList& list;
};

}  // namespace

TMedia::TMedia() { PickDevices(); }

void TMedia::PickDevices() {
  devices_.clear();
  soundCardIndex_ = -1;
  gamePortIndex_ = -1;
  for (const TDevice& device : DevicesOfClass(kMediaDeviceClass, emMessage)) {
    std::string title = device.FriendlyName.empty() ? device.Description : device.FriendlyName;
    auto index = static_cast<std::int32_t>(devices_.size());
    devices_.push_back(title);
    if (UpperCase(title).find("GAME") != std::string::npos)
      gamePortIndex_ = index;  // the last game port wins
    else if (!device.Location.empty() && soundCardIndex_ == -1)
      soundCardIndex_ = index;
  }
}

void TMedia::GetInfo() {
  PickDevices();
  ListApiDevices();
}

void TMedia::ListApiDevices() {
  const TApiList lists[] = {
      // kind                    caps bytes        list
      {MediaDeviceKind::WaveOut, kWaveOutCapsSize, waveOut_},
      {MediaDeviceKind::WaveIn,  kWaveInCapsSize,  waveIn_},
      {MediaDeviceKind::MidiOut, kMidiOutCapsSize, midiOut_},
      {MediaDeviceKind::MidiIn,  kMidiInCapsSize,  midiIn_},
      {MediaDeviceKind::Aux,     kAuxCapsSize,     aux_},
      {MediaDeviceKind::Mixer,   kMixerCapsSize,   mixer_},
  };
  platform::MultimediaApi& media = Machine().Multimedia();
  for (const auto& api : lists) {
    api.list.clear();
    std::uint32_t count = media.DeviceCount(api.kind);
    for (std::uint32_t id = 0; id < count; ++id) {
      platform::Bytes caps(api.capsSize, 0);
      if (media.DeviceCaps(api.kind, id, &caps) != platform::kMmSysErrNoError) continue;
      std::string text = MediaCapsText(caps);
      if (std::find(api.list.begin(), api.list.end(), text) == api.list.end()) api.list.push_back(text);
    }
  }
}

void TMedia::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "Media", ClassName());
  WriteSectionStart(list, "Devices");
  WriteStringsData(devices_, "Count", "Device", list);
  WriteSectionEnd(list);
  WriteSectionStart(list, "WAVE");
  WriteStringsData(waveIn_, "WaveInCount", "WaveIn", list);
  WriteStringsData(waveOut_, "WaveOutCount", "WaveOut", list);
  WriteSectionEnd(list);
  WriteSectionStart(list, "MIDI");
  WriteStringsData(midiIn_, "MIDIInCount", "MIDIIn", list);
  WriteStringsData(midiOut_, "MIDIOutCount", "MIDIOut", list);
  WriteSectionEnd(list);
  WriteSectionStart(list, "AUX");
  WriteStringsData(aux_, "AUXCount", "AUX", list);
  WriteSectionEnd(list);
  WriteSectionStart(list, "Mixer");
  WriteStringsData(mixer_, "MixerCount", "Mixer", list);
  WriteSectionEnd(list);
  WriteElementEnd(list, "Media");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
