#include "AspiInquiry.h"

#include "../platform/Aspi.h"
#include "FixedText.h"

namespace nsx {

namespace {

std::string FieldText(const platform::Bytes& data, platform::InquiryField field) {
  return FixedFieldText(data, field.at, field.width);
}

}  // namespace

TInquiryText DecodeInquiry(const platform::Bytes& data) {
  return {FieldText(data, platform::kInquiryVendor), FieldText(data, platform::kInquiryProduct),
          FieldText(data, platform::kInquiryRevision), FieldText(data, platform::kInquiryVendorSpecific)};
}

}  // namespace nsx
