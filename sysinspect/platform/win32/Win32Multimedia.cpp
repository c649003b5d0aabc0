#include <windows.h>
#include <mmsystem.h>

#include "Win32Engines.h"

namespace nsx::win32 {
namespace {

using platform::MediaDeviceKind;

class Win32Multimedia : public platform::MultimediaApi {
 public:
  std::uint32_t DeviceCount(MediaDeviceKind kind) override {
    switch (kind) {
      case MediaDeviceKind::WaveOut: return waveOutGetNumDevs();
      case MediaDeviceKind::WaveIn: return waveInGetNumDevs();
      case MediaDeviceKind::MidiOut: return midiOutGetNumDevs();
      case MediaDeviceKind::MidiIn: return midiInGetNumDevs();
      case MediaDeviceKind::Aux: return auxGetNumDevs();
      case MediaDeviceKind::Mixer: return mixerGetNumDevs();
    }
    return 0;
  }

  std::uint32_t DeviceCaps(MediaDeviceKind kind, std::uint32_t id, platform::Bytes* caps) override {
    if (caps->empty()) return MMSYSERR_INVALPARAM;
    void* buffer = caps->data();
    UINT size = static_cast<UINT>(caps->size());
    switch (kind) {
      case MediaDeviceKind::WaveOut: return waveOutGetDevCapsA(id, static_cast<LPWAVEOUTCAPSA>(buffer), size);
      case MediaDeviceKind::WaveIn: return waveInGetDevCapsA(id, static_cast<LPWAVEINCAPSA>(buffer), size);
      case MediaDeviceKind::MidiOut: return midiOutGetDevCapsA(id, static_cast<LPMIDIOUTCAPSA>(buffer), size);
      case MediaDeviceKind::MidiIn: return midiInGetDevCapsA(id, static_cast<LPMIDIINCAPSA>(buffer), size);
      case MediaDeviceKind::Aux: return auxGetDevCapsA(id, static_cast<LPAUXCAPSA>(buffer), size);
      case MediaDeviceKind::Mixer: return mixerGetDevCapsA(id, static_cast<LPMIXERCAPSA>(buffer), size);
    }
    return MMSYSERR_BADDEVICEID;
  }
};

}  // namespace

std::unique_ptr<platform::MultimediaApi> CreateWin32Multimedia() { return std::make_unique<Win32Multimedia>(); }

}  // namespace nsx::win32
