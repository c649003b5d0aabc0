// TTimeZone: the current time zone, its display name from the registry's
// zone table, and this year's daylight-saving transitions and total biases.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "../core/NSX_Common.h"
#include "../core/Norvik_Datetime.h"
#include "../platform/Regional.h"

namespace nsx {

// A zone table entry's "TZI" value (REG_TZI_FORMAT).
struct TZoneRule {
  std::int32_t Bias = 0;
  std::int32_t StandardBias = 0;
  std::int32_t DaylightBias = 0;
  platform::SystemTime StandardDate;
  platform::SystemTime DaylightDate;
};

// A zone with its names in the ANSI code page.
struct TZoneDescription {
  TZoneRule Rule;
  std::string StandardName;
  std::string DaylightName;
};

// The 44 bytes of a "TZI" value; nothing for any other length.
std::optional<TZoneRule> DecodeTZI(const platform::Bytes& data);

// Same biases, same transition dates in all eight fields, same names
// (case-sensitive).
bool SameZone(const TZoneDescription& a, const TZoneDescription& b);

class TTimeZone : public TTopic {
 public:
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TTimeZone"; }

  const std::string& DisplayName() const { return displayName_; }
  const std::string& StandardName() const { return standardName_; }
  const std::string& DaylightName() const { return daylightName_; }
  TDateTime DaylightStart() const { return daylightStart_; }
  TDateTime StandardStart() const { return standardStart_; }
  std::int32_t Bias() const { return bias_; }
  std::int32_t DaylightBias() const { return daylightBias_; }
  std::int32_t StandardBias() const { return standardBias_; }

 private:
  std::string displayName_;
  std::string standardName_;
  std::string daylightName_;
  TDateTime daylightStart_ = 0;
  TDateTime standardStart_ = 0;
  std::int32_t bias_ = 0;
  std::int32_t daylightBias_ = 0;
  std::int32_t standardBias_ = 0;
};

}  // namespace nsx
