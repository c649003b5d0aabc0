// The simulated machine's registry: a tree of keys under the predefined
// roots, names compared without regard to case, values in creation order.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../Registry.h"

namespace nsx::sim {

using platform::Bytes;
using platform::RegRoot;

struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

struct SimKey {
  SimKey() = default;
  SimKey(const SimKey& other);  // deep copy: a machine is a value
  SimKey& operator=(const SimKey& other);
  SimKey(SimKey&&) = default;
  SimKey& operator=(SimKey&&) = default;

  std::map<std::string, std::unique_ptr<SimKey>, NoCaseLess> subKeys;
  std::vector<std::pair<std::string, platform::RegValue>> values;  // creation order

  SimKey* Find(const std::string& path);   // backslash-separated, relative
  SimKey& Create(const std::string& path);
  const platform::RegValue* FindValue(const std::string& name) const;
  void SetValue(const std::string& name, std::uint32_t type, Bytes data);
};

class SimRegistry {
 public:
  // The root key, created empty on first use.
  SimKey& Root(RegRoot root);
  SimKey* FindRoot(platform::RegHandle handle);

  // Conveniences for tests and the profile loader; "path" starts with a root
  // name (HKEY_LOCAL_MACHINE or HKLM, ...), then the key path.
  SimKey& CreateKey(const std::string& path);
  void SetString(const std::string& path, const std::string& name, const std::string& value,
                 std::uint32_t type = platform::kRegSz);
  void SetDword(const std::string& path, const std::string& name, std::uint32_t value);
  void SetBinary(const std::string& path, const std::string& name, Bytes value,
                 std::uint32_t type = platform::kRegBinary);
  void SetMultiString(const std::string& path, const std::string& name,
                      const std::vector<std::string>& items);

 private:
  std::map<RegRoot, SimKey> roots_;
};

// Splits "HKEY_LOCAL_MACHINE\Path\To" into its root and the rest; false when
// the first component names no root.
bool SplitRootPath(const std::string& fullPath, RegRoot* root, std::string* rest);

// The RegistryApi over a SimRegistry: key handles are small numbers.
class SimRegistryApi : public platform::RegistryApi {
 public:
  explicit SimRegistryApi(SimRegistry& registry) : registry_(registry) {}
  long OpenKey(platform::RegHandle parent, const std::string& subKey, platform::RegHandle* key) override;
  void CloseKey(platform::RegHandle key) override;
  long QueryValue(platform::RegHandle key, const std::string& name, std::uint32_t* type,
                  Bytes* data) override;
  long EnumKey(platform::RegHandle key, std::uint32_t index, std::string* name) override;
  long EnumValue(platform::RegHandle key, std::uint32_t index, std::string* name) override;

  size_t OpenHandleCount() const { return open_.size(); }

 private:
  // An open key and where its subkey enumeration stands, so that asking
  // for the next index does not walk the subkeys from the first again.
  struct OpenedKey {
    SimKey* key;
    std::uint32_t nextIndex = 0;
    size_t count = 0;  // the subkeys when `next` was taken (a key added since voids it)
    std::map<std::string, std::unique_ptr<SimKey>, NoCaseLess>::const_iterator next;
  };
  SimKey* Resolve(platform::RegHandle handle);

  SimRegistry& registry_;
  std::map<platform::RegHandle, OpenedKey> open_;
  platform::RegHandle next_ = 0x1000;
};

}  // namespace nsx::sim
