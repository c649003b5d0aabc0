// The multimedia devices of winmm: the wave, MIDI, auxiliary and mixer
// devices, each kind with its count and its capabilities query.
#pragma once
#include <cstddef>
#include <cstdint>

#include "WinTypes.h"

namespace nsx::platform {

enum class MediaDeviceKind { WaveOut, WaveIn, MidiOut, MidiIn, Aux, Mixer };

// Where every kind's capabilities structure keeps vDriverVersion (a
// DWORD) and szPname (32 bytes).
constexpr std::size_t kCapsDriverVersionAt = 4;
constexpr std::size_t kCapsNameAt = 8;
constexpr std::size_t kCapsNameLength = 32;

// MMSYSERR_NOERROR, and the errors a capabilities query may answer.
enum : std::uint32_t {
  kMmSysErrNoError = 0,
  kMmSysErrBadDeviceId = 2,
  kMmSysErrNoDriver = 6,
};

class MultimediaApi {
 public:
  virtual ~MultimediaApi() = default;
  // waveOutGetNumDevs, waveInGetNumDevs, midiOutGetNumDevs,
  // midiInGetNumDevs, auxGetNumDevs or mixerGetNumDevs.
  virtual std::uint32_t DeviceCount(MediaDeviceKind kind) = 0;
  // waveOutGetDevCapsA ... mixerGetDevCapsA of device `id`, with a buffer
  // of caps->size() bytes (the kind's ANSI capabilities structure), which
  // receives what the call wrote: the call's result, MMSYSERR_NOERROR (0)
  // when it succeeded.
  virtual std::uint32_t DeviceCaps(MediaDeviceKind kind, std::uint32_t id, Bytes* caps) = 0;
};

}  // namespace nsx::platform
