#include "PageText.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace nsx::ui {
namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

struct TEnumName {
  std::int64_t value;
  const char* name;
};

struct TEnumTable {
  TLocaleEnum kind;
  std::vector<TEnumName> names;
};

const std::vector<TEnumTable>& LocaleEnumTables() {
  static const std::vector<TEnumTable> kTables = {
      // kind                   value  name
      {lePositiveCurrencyMode, {{0, "Prefix_No_Separation"},
                                {1, "Suffix_No_Separation"},
                                {2, "Prefix_One_Char_Separation"},
                                {3, "Suffix_One_Char_Separation"}}},
      {leDateOrder,            {{0, "M-D-Y"}, {1, "D-M-Y"}, {2, "Y-M-D"}}},
      {leTimeFormatSpecifier,  {{0, "12H"}, {1, "24H"}}},
      {leYearFormat,           {{0, "Two Digit"}, {1, "Four Digit"}}},
      {leMeasurementSystem,    {{0, "Metric"}, {1, "U.S."}}},
  };
  return kTables;
}

// Reads a whole number as the framework's StrToInt would; anything else is 0.
long long IntegerValue(const std::string& text) {
  if (text.empty()) return 0;
  char* end = nullptr;
  long long value = std::strtoll(text.c_str(), &end, 10);
  return end && *end == '\0' ? value : 0;
}

}  // namespace

std::string OSTabCaption(std::uint32_t platformId) {
  static const char* const kCaptions[] = {
      // platform id 0, 1, 2
      "Windows 3.1x", "Windows 9x", "Windows NT",
  };
  return platformId < 3 ? kCaptions[platformId] : std::string();
}

std::string OSVersionLine(const std::string& familyName, bool isNT, std::uint32_t productType) {
  static const char* const kProductSuffixes[] = {
      // product type 1, 2, 3
      " - Workstation", " - Server", " - Advanced Server",
  };
  if (isNT && productType >= 1 && productType <= 3) return familyName + kProductSuffixes[productType - 1];
  return familyName;
}

std::string VersionNumberLine(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
  return Format("Version: %u.%u.%u", major, minor, build);
}

std::string LocaleEnumText(TLocaleEnum kind, std::int64_t value) {
  for (const auto& table : LocaleEnumTables())
    if (table.kind == kind)
      for (const auto& entry : table.names)
        if (entry.value == value) return entry.name;
  return {};
}

std::string CPUVendorShortName(int vendorIndex) {
  static const char* const kVendors[] = {
      // vendor index 1..8
      "Intel", "AMD", "Cyrix", "IDT", "NexGen", "UMC", "Rise", "Transmeta",
  };
  return vendorIndex >= 1 && vendorIndex <= 8 ? kVendors[vendorIndex - 1] : "Unknown";
}

std::string CPUTypeName(int cpuType) {
  static const char* const kTypes[] = {
      // CPU type 0..3
      "Primary", "OverDrive", "Secondary", "Unknown",
  };
  return cpuType >= 0 && cpuType <= 3 ? kTypes[cpuType] : std::string();
}

std::string CPUHeadline(int count, int vendorIndex, const std::string& friendlyName, int frequencyMHz) {
  return Format("%d x %s %s - %d MHz", count, CPUVendorShortName(vendorIndex).c_str(), friendlyName.c_str(),
                frequencyMHz);
}

std::string CacheLevel1Line(int totalKB, int dataKB, int instructionKB) {
  return Format("Level 1: %d KB (%d KB Data + %d KB Instruction)", totalKB, dataKB, instructionKB);
}

void SplitPair(const std::string& line, std::string* name, std::string* value) {
  auto eq = line.find('=');
  *name = line.substr(0, eq);
  *value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

TCheckItem CheckItemFromPair(const std::string& line) {
  std::string name, value;
  SplitPair(line, &name, &value);
  return {name, IntegerValue(value) != 0};
}

std::vector<TCheckItem> CheckItemsFromPairs(const std::vector<std::string>& lines) {
  std::vector<TCheckItem> items;
  items.reserve(lines.size());
  for (const auto& line : lines) items.push_back(CheckItemFromPair(line));
  return items;
}

std::string HexAddress(std::uint32_t address) { return Format("%08X", address); }

std::string AppAddressRange(std::uint32_t minAddress, std::uint32_t maxAddress) {
  return HexAddress(minAddress) + " - " + HexAddress(maxAddress);
}

std::string ResourceFreeLabel(const std::string& heap, int percentFree) {
  return Format("%s - %d%% free", heap.c_str(), percentFree);
}

TColour LockIndicatorColour(std::uint8_t keyState) { return keyState == 1 ? kLime : kSilver; }

bool BatteryPercentKnown(std::uint32_t percent) { return percent <= 100; }

}  // namespace nsx::ui
