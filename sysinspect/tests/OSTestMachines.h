// Simulated releases for the operating-system tests, and a reader of the
// data lines of one report element.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "TestMachine.h"
#include "core/NSX_Common.h"

namespace nsx::test {
namespace detail {

inline std::string Unescape(std::string text) {
  struct Entity {
    const char* entity;
    char c;
  };
  const Entity kEntities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}, {"&amp;", '&'}};
  for (const auto& e : kEntities) {
    std::string entity = e.entity;
    for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
      text.replace(at, entity.size(), 1, e.c);
  }
  return text;
}

inline sim::SimMachine NTMachine(std::uint32_t major, std::uint32_t minor, std::uint32_t build, const char* csd,
                          bool extended, std::uint16_t suiteMask, std::uint8_t productType) {
  sim::SimMachine m;
  m.version = {major, minor, build, platform::kPlatformNT, csd, extended, 0, 0, suiteMask, productType, 0};
  m.AddNtdllEntries();
  return m;
}

}  // namespace detail

inline sim::SimMachine NT4(const char* csd) {
  auto m = detail::NTMachine(4, 0, 1381, csd, true, 0, 1);
  m.windowsDir = "C:\\WINNT";
  m.systemDir = "C:\\WINNT\\system32";
  return m;
}

inline sim::SimMachine Win2000Server(std::uint16_t suiteMask, std::uint8_t productType = 3) {
  auto m = detail::NTMachine(5, 0, 2195, "Service Pack 4", true, suiteMask, productType);
  m.version.servicePackMajor = 4;
  return m;
}

inline sim::SimMachine WinXP(std::uint16_t suiteMask) {
  auto m = detail::NTMachine(5, 1, 2600, "Service Pack 2", true, suiteMask, 1);
  m.version.servicePackMajor = 2;
  return m;
}

inline sim::SimMachine Win2003(std::uint16_t suiteMask, std::uint8_t productType = 3) {
  auto m = detail::NTMachine(5, 2, 3790, "Service Pack 1", true, suiteMask, productType);
  m.version.servicePackMajor = 1;
  return m;
}

inline sim::SimMachine Win95(const char* csd) {
  sim::SimMachine m;
  m.version = {4, 0, (4u << 24) | 1111u, platform::kPlatformWin9x, csd, false, 0, 0, 0, 0, 0};
  m.systemDir = "C:\\WINDOWS\\SYSTEM";
  return m;
}

inline std::vector<std::string> ElementLines(const TReportList& list, const std::string& element) {
  std::vector<std::string> lines;
  bool inside = false;
  for (const auto& line : list.Lines()) {
    if (line.rfind("<" + element + " ", 0) == 0) inside = true;
    if (inside) lines.push_back(line);
    if (inside && line == "</" + element + ">") break;
  }
  return lines;
}

inline std::optional<std::string> ReportValue(const TReportList& list, const std::string& element,
                                       const std::string& name) {
  std::string prefix = "<data name=\"" + name + "\" ";
  for (const auto& line : ElementLines(list, element)) {
    if (line.rfind(prefix, 0) != 0) continue;
    auto open = line.find('>');
    auto close = line.rfind("</data>");
    return detail::Unescape(line.substr(open + 1, close - open - 1));
  }
  return std::nullopt;
}

}  // namespace nsx::test
