// The multimedia topic: the devices of the MEDIA class from a private
// device list, with the sound card and the game port among them, and the
// wave, MIDI, auxiliary and mixer devices of the multimedia API with their
// driver versions.
#pragma once
#include <cstdint>
#include <string>

#include "../core/NSX_Common.h"

namespace nsx {

class TMedia : public TTopic {
 public:
  // Picks the multimedia devices of a private device list.
  TMedia();
  // Picks the devices again and lists the API's devices afresh.
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TMedia"; }

  const TStringList& Devices() const { return devices_; }
  const TStringList& WAVEIn() const { return waveIn_; }
  const TStringList& WAVEOut() const { return waveOut_; }
  const TStringList& MIDIIn() const { return midiIn_; }
  const TStringList& MIDIOut() const { return midiOut_; }
  const TStringList& AUX() const { return aux_; }
  const TStringList& Mixer() const { return mixer_; }
  // Indexes into Devices; -1 when there is none.
  std::int32_t SoundCardIndex() const { return soundCardIndex_; }
  std::int32_t GamePortIndex() const { return gamePortIndex_; }

 private:
  void PickDevices();
  void ListApiDevices();

  TStringList devices_, waveIn_, waveOut_, midiIn_, midiOut_, aux_, mixer_;
  std::int32_t soundCardIndex_ = -1;
  std::int32_t gamePortIndex_ = -1;
};

}  // namespace nsx
