// Texts the overview pages make of topic values: captions and headlines,
// the names of enumerated values, check-list items from name=value lines,
// indicator colours and the live update's labels.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nsx::ui {

// Operating System page.
std::string OSTabCaption(std::uint32_t platformId);  // "Windows 3.1x", "Windows 9x", "Windows NT"
std::string OSVersionLine(const std::string& familyName, bool isNT, std::uint32_t productType);
std::string VersionNumberLine(std::uint32_t major, std::uint32_t minor, std::uint32_t build);

// The locale list's enumerated rows; an unknown value gives empty text.
enum TLocaleEnum { lePositiveCurrencyMode, leDateOrder, leTimeFormatSpecifier, leYearFormat, leMeasurementSystem };
std::string LocaleEnumText(TLocaleEnum kind, std::int64_t value);

// CPU page.
std::string CPUVendorShortName(int vendorIndex);  // 1..8; "Unknown" otherwise
std::string CPUTypeName(int cpuType);             // 0..3; empty otherwise
std::string CPUHeadline(int count, int vendorIndex, const std::string& friendlyName, int frequencyMHz);
std::string CacheLevel1Line(int totalKB, int dataKB, int instructionKB);

// A check-list item made of a name=value line: checked when the value,
// read as an integer, is not 0.
struct TCheckItem {
  std::string text;
  bool checked;
};
TCheckItem CheckItemFromPair(const std::string& line);
std::vector<TCheckItem> CheckItemsFromPairs(const std::vector<std::string>& lines);
// A name=value line split at its first '='; the value is empty without one.
void SplitPair(const std::string& line, std::string* name, std::string* value);

// Memory page.
std::string HexAddress(std::uint32_t address);  // 8 upper-case digits
std::string AppAddressRange(std::uint32_t minAddress, std::uint32_t maxAddress);
std::string ResourceFreeLabel(const std::string& heap, int percentFree);  // "GDI - 42% free"

// Machine page and live update.
struct TColour {
  std::uint8_t red, green, blue;
  bool operator==(const TColour& o) const { return red == o.red && green == o.green && blue == o.blue; }
};
constexpr TColour kLime{0, 255, 0};
constexpr TColour kSilver{192, 192, 192};
// A lock key's indicator from its keyboard-state byte: lime only when the
// key is toggled on and not held down (the byte is exactly 1).
TColour LockIndicatorColour(std::uint8_t keyState);

// APM page: the battery time fields, or the notice when the percentage is
// unknown (above 100).
constexpr const char* kInfoNotAvailable = "<info not available>";
bool BatteryPercentKnown(std::uint32_t percent);

}  // namespace nsx::ui
