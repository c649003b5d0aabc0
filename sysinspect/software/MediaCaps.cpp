#include "MediaCaps.h"

#include "FixedText.h"

namespace nsx {
namespace {

const std::size_t kDriverVersionAt = 4;
const std::size_t kNameAt = 8;
const std::size_t kNameLength = 32;

}  // namespace

std::string MediaCapsText(const platform::Bytes& caps) {
  unsigned major = caps.size() > kDriverVersionAt + 1 ? caps[kDriverVersionAt + 1] : 0;
  unsigned minor = caps.size() > kDriverVersionAt ? caps[kDriverVersionAt] : 0;
  return FixedFieldText(caps, kNameAt, kNameLength) + " v" + std::to_string(major) + "." + std::to_string(minor);
}

}  // namespace nsx
