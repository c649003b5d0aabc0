#include "AspiInquiry.h"

#include "FixedText.h"

namespace nsx {

TInquiryText DecodeInquiry(const platform::Bytes& data) {
  return {FixedFieldText(data, 8, 8), FixedFieldText(data, 16, 16), FixedFieldText(data, 32, 4),
          FixedFieldText(data, 36, 20)};
}

}  // namespace nsx
