// The texts of standard INQUIRY data: fixed-width fields padded with
// blanks, none of them ended by a NUL.
#pragma once
#include <string>

#include "../platform/WinTypes.h"

namespace nsx {

struct TInquiryText {
  std::string Vendor;          // bytes 8 to 15
  std::string Product;         // bytes 16 to 31
  std::string Revision;        // bytes 32 to 35
  std::string VendorSpecific;  // bytes 36 to 55
};

// Each field's bytes as they are (blanks kept), up to a NUL within the
// field; never past the field or the data.
TInquiryText DecodeInquiry(const platform::Bytes& data);

}  // namespace nsx
