// Zone table "TZI" values of any content decode, and the transition rules
// they hold give a date, no date or a date error, never anything else; the
// leading numbers of locale answers decode or raise the conversion error.
#include <cstdint>
#include <string>

#include "core/DateTimeText.h"
#include "core/NSX_Common.h"
#include "core/Norvik_Datetime.h"
#include "software/NSX_Locale.h"
#include "software/NSX_TimeZone.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nsx::platform::Bytes bytes(data, data + size);
  if (size > 44) bytes.resize(44);
  if (auto rule = nsx::DecodeTZI(bytes)) {
    nsx::TFormatSettings formats;
    for (const auto& date : {rule->StandardDate, rule->DaylightDate}) {
      try {
        nsx::TDateTime when = nsx::TransitionToDateTime(date, 1601 + rule->Bias % 8000);
        nsx::DateTimeToText(when, formats);
      } catch (const nsx::Exception&) {
      }
    }
  }
  try {
    nsx::NegativeCurrencyPattern(nsx::DecodeLocaleNumber(std::string(data, data + size)));
  } catch (const nsx::Exception&) {
  }
  return 0;
}
