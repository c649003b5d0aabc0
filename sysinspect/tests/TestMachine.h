// Building simulated machines and version resources for tests.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/Runtime.h"
#include "platform/sim/SimPlatform.h"

namespace nsx::test {

// Installs `machine` for the scope of a test and gives access to it.
class TestMachine {
 public:
  explicit TestMachine(sim::SimMachine machine = {});
  sim::SimPlatform& Platform() { return *platform_; }
  sim::SimMachine& Data() { return platform_->Machine(); }

 private:
  sim::SimPlatform* platform_;
  ScopedMachine scope_;
};

sim::SimMachine Win98SE();
sim::SimMachine WinXPSP3();

// A 32-bit VS_VERSIONINFO block with the fixed version and string table.
platform::Bytes BuildVersionResource(std::uint32_t ms, std::uint32_t ls, std::uint16_t language,
                                     std::uint16_t codePage,
                                     const std::vector<std::pair<std::string, std::u16string>>& strings);

}  // namespace nsx::test
