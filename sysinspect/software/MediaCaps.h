// The text a multimedia device is listed by, decoded from the ANSI
// capabilities structure of its kind (every kind begins with wMid, wPid,
// vDriverVersion and szPname[32]).
#pragma once
#include <string>

#include "../platform/WinTypes.h"

namespace nsx {

// Capabilities bytes of each kind as the queries are asked for them.
constexpr std::size_t kWaveOutCapsSize = 52;
constexpr std::size_t kWaveInCapsSize = 48;
constexpr std::size_t kMidiOutCapsSize = 52;
constexpr std::size_t kMidiInCapsSize = 44;
constexpr std::size_t kAuxCapsSize = 48;
constexpr std::size_t kMixerCapsSize = 48;

// The product name (szPname up to its first NUL, never past its 32
// bytes), " v", and the driver version's major and minor numbers in
// decimal (the high and low byte of the low word of vDriverVersion): a
// name, " v5.10". Bytes too few to hold the name give what they hold.
std::string MediaCapsText(const platform::Bytes& caps);

}  // namespace nsx
