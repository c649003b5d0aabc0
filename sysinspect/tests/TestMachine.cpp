#include "TestMachine.h"

#include <cstdio>

namespace nsx::test {
namespace {

std::unique_ptr<platform::Platform> Wrap(sim::SimMachine machine, sim::SimPlatform** out) {
  auto platform = std::make_unique<sim::SimPlatform>(std::move(machine));
  *out = platform.get();
  return platform;
}

void Put16(platform::Bytes& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(platform::Bytes& b, std::uint32_t v) {
  Put16(b, static_cast<std::uint16_t>(v));
  Put16(b, static_cast<std::uint16_t>(v >> 16));
}
void Pad4(platform::Bytes& b) {
  while (b.size() % 4) b.push_back(0);
}

// One node: header, key, value, children; lengths patched in afterwards.
platform::Bytes Node(const std::string& key, const platform::Bytes& value, std::uint16_t valueLength, bool text,
                     const std::vector<platform::Bytes>& children) {
  platform::Bytes b;
  Put16(b, 0);
  Put16(b, valueLength);
  Put16(b, text ? 1 : 0);
  for (char c : key) Put16(b, static_cast<std::uint8_t>(c));
  Put16(b, 0);
  Pad4(b);
  b.insert(b.end(), value.begin(), value.end());
  for (const auto& child : children) {
    Pad4(b);
    b.insert(b.end(), child.begin(), child.end());
  }
  b[0] = static_cast<std::uint8_t>(b.size());
  b[1] = static_cast<std::uint8_t>(b.size() >> 8);
  return b;
}

}  // namespace

TestMachine::TestMachine(sim::SimMachine machine) : scope_(Wrap(std::move(machine), &platform_)) {}

sim::SimMachine Win98SE() {
  sim::SimMachine m;
  m.version = {4, 10, (4u << 24) | (10u << 16) | 2222u, platform::kPlatformWin9x, " A ", false, 0, 0, 0, 0, 0};
  m.windowsDir = "C:\\WINDOWS";
  m.systemDir = "C:\\WINDOWS\\SYSTEM";
  return m;
}

sim::SimMachine WinXPSP3() {
  sim::SimMachine m;
  m.AddNtdllEntries();
  return m;
}

platform::Bytes BuildVersionResource(std::uint32_t ms, std::uint32_t ls, std::uint16_t language,
                                     std::uint16_t codePage,
                                     const std::vector<std::pair<std::string, std::u16string>>& strings) {
  platform::Bytes fixed;
  Put32(fixed, 0xFEEF04BDu);
  Put32(fixed, 0x00010000u);
  Put32(fixed, ms);
  Put32(fixed, ls);
  Put32(fixed, ms);
  Put32(fixed, ls);
  for (int i = 0; i < 7; ++i) Put32(fixed, 0);
  std::vector<platform::Bytes> entries;
  for (const auto& [name, text] : strings) {
    platform::Bytes value;
    for (char16_t c : text) Put16(value, c);
    Put16(value, 0);
    entries.push_back(Node(name, value, static_cast<std::uint16_t>(text.size() + 1), true, {}));
  }
  char table[16];
  std::snprintf(table, sizeof table, "%04X%04X", language, codePage);
  platform::Bytes stringTable = Node(table, {}, 0, true, entries);
  platform::Bytes stringInfo = Node("StringFileInfo", {}, 0, true, {stringTable});
  platform::Bytes translation;
  Put16(translation, language);
  Put16(translation, codePage);
  platform::Bytes var = Node("Translation", translation, 4, false, {});
  platform::Bytes varInfo = Node("VarFileInfo", {}, 0, true, {var});
  return Node("VS_VERSION_INFO", fixed, 52, false, {stringInfo, varInfo});
}

}  // namespace nsx::test
