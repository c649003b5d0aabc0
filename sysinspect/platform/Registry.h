// Read-only registry access with the semantics of the advapi32 A functions.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "WinTypes.h"

namespace nsx::platform {

using RegHandle = std::uintptr_t;

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;
  // RegOpenKeyExA with KEY_READ; `parent` is a root handle value or an open key.
  virtual long OpenKey(RegHandle parent, const std::string& subKey, RegHandle* key) = 0;
  virtual void CloseKey(RegHandle key) = 0;
  // RegQueryValueExA: the type and the data bytes as the A function returns
  // them (strings in the ANSI code page, with their terminating NULs).
  virtual long QueryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                          Bytes* data) = 0;
  // RegEnumKeyExA / RegEnumValueA by index.
  virtual long EnumKey(RegHandle key, std::uint32_t index, std::string* name) = 0;
  virtual long EnumValue(RegHandle key, std::uint32_t index, std::string* name) = 0;
};

inline RegHandle RootHandle(RegRoot root) { return static_cast<RegHandle>(root); }

struct RegValue {
  std::uint32_t type = kRegNone;
  Bytes data;
};

// An open key, closed when it goes out of scope. Paths may start with a
// backslash: like the framework's registry object, that means "from the root".
class RegKey {
 public:
  RegKey() = default;
  RegKey(RegistryApi& api, RegHandle handle) : api_(&api), handle_(handle) {}
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& other) noexcept { *this = std::move(other); }
  RegKey& operator=(RegKey&& other) noexcept;
  ~RegKey() { Close(); }

  static RegKey Open(RegistryApi& api, RegRoot root, const std::string& path);
  RegKey OpenSub(const std::string& path) const;

  bool IsOpen() const { return api_ != nullptr; }
  explicit operator bool() const { return IsOpen(); }
  RegHandle Handle() const { return handle_; }

  std::optional<RegValue> Value(const std::string& name) const;
  bool HasValue(const std::string& name) const { return Value(name).has_value(); }
  // String-typed values as text (up to the first NUL); other types give nothing.
  std::optional<std::string> String(const std::string& name) const;
  // REG_DWORD (or a 4-byte binary) as a 32-bit integer.
  std::optional<std::uint32_t> Dword(const std::string& name) const;
  std::vector<std::string> SubKeyNames() const;
  std::vector<std::string> ValueNames() const;
  void Close();

 private:
  RegistryApi* api_ = nullptr;
  RegHandle handle_ = 0;
};

// Strips one leading backslash, as a path "from the root" is given.
std::string RelativeKeyPath(const std::string& path);

}  // namespace nsx::platform
