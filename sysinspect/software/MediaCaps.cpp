#include "MediaCaps.h"

#include "../platform/Multimedia.h"
#include "FixedText.h"

namespace nsx {
std::string MediaCapsText(const platform::Bytes& caps) {
  using platform::kCapsDriverVersionAt;
  unsigned major = caps.size() > kCapsDriverVersionAt + 1 ? caps[kCapsDriverVersionAt + 1] : 0;
  unsigned minor = caps.size() > kCapsDriverVersionAt ? caps[kCapsDriverVersionAt] : 0;
  return FixedFieldText(caps, platform::kCapsNameAt, platform::kCapsNameLength) + " v" + std::to_string(major) + "." +
         std::to_string(minor);
}

}  // namespace nsx
