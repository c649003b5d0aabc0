// The interactive session's state: the keyboard's lock keys and the time
// since Windows started.
#pragma once
#include <array>
#include <cstdint>
#include <optional>

namespace nsx::platform {

using KeyboardState = std::array<std::uint8_t, 256>;

class SessionApi {
 public:
  virtual ~SessionApi() = default;
  // GetKeyboardState; nullopt when the call fails.
  virtual std::optional<KeyboardState> Keyboard() = 0;
  // GetTickCount64 (kernel32, bound at run time; Vista and later): nullopt
  // where the entry point is absent. The 32-bit count is SystemApi's.
  virtual std::optional<std::uint64_t> TickCount64() = 0;
};

}  // namespace nsx::platform
