#include "DeviceEnumeration.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>

#include "../core/Norvik_Routines.h"
#include "../core/Runtime.h"
#include "../core/TextCompare.h"

namespace nsx {
namespace {

using platform::RegKey;
using platform::RegRoot;

const char kNTEnumPath[] = "\\SYSTEM\\CurrentControlSet\\Enum";
const char kNTClassRoot[] = "\\SYSTEM\\CurrentControlSet\\Control\\Class";
const char k9xEnumPath[] = "\\Enum";
const char k9xClassRoot[] = "\\SYSTEM\\CurrentControlSet\\Services\\Class";
const char kConfigManagerPath[] = "\\Config Manager\\Enum";
const char kServicesPath[] = "\\SYSTEM\\CurrentControlSet\\Services";

struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const { return CompareText(a, b) < 0; }
};

std::string Text(const RegKey& key, const std::string& name) { return ReadValueAsText(key, name, false); }

// A service type is a number; any other text counts as 0.
std::int32_t NumberOrZero(const std::string& text) {
  if (text.empty()) return 0;
  errno = 0;
  char* end = nullptr;
  long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || end != text.c_str() + text.size() || value < INT32_MIN || value > INT32_MAX) return 0;
  return static_cast<std::int32_t>(value);
}

struct TServiceInfo {
  std::string displayName, group;
  std::int32_t type = 0;
};

// The services' display names, groups and types, each read once per walk.
class TServiceKeys {
 public:
  // An empty name names no service: its values are empty.
  const TServiceInfo& Find(const std::string& name) {
    static const TServiceInfo kNone;
    if (name.empty()) return kNone;
    auto found = cache_.find(name);
    if (found != cache_.end()) return found->second;
    TServiceInfo info;
    RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine, std::string(kServicesPath) + "\\" + name);
    if (key) {
      info.displayName = Text(key, "DisplayName");
      info.group = Text(key, "Group");
      info.type = NumberOrZero(Text(key, "Type"));
    }
    return cache_.emplace(name, std::move(info)).first->second;
  }

 private:
  std::map<std::string, TServiceInfo, NoCaseLess> cache_;
};

struct TClassInfo {
  std::string className, icon, description;
};

// The class keys under the class root, found by GUID without regard to
// case. On 9x a class key links ("Link") to the key that holds its icon and
// description.
class TClassKeys {
 public:
  TClassKeys(const char* root, bool followLink) : root_(root), followLink_(followLink) {
    RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine, root_);
    for (auto& name : key.SubKeyNames()) names_.emplace(name, name);
  }

  const std::string& Root() const { return root_; }

  // Nothing when the GUID has no class key.
  const std::optional<TClassInfo>& Find(const std::string& guid) {
    auto cached = cache_.find(guid);
    if (cached != cache_.end()) return cached->second;
    return cache_.emplace(guid, Read(guid)).first->second;
  }

 private:
  std::optional<TClassInfo> Read(const std::string& guid) const {
    auto name = names_.find(guid);
    if (name == names_.end()) return std::nullopt;
    RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine, root_ + "\\" + name->second);
    if (!key) return std::nullopt;
    TClassInfo info;
    info.className = Text(key, "Class");
    if (followLink_) {
      std::string link = Text(key, "Link");
      key = link.empty() ? RegKey() : RegKey::Open(Reg(), RegRoot::LocalMachine, root_ + "\\" + link);
    }
    info.icon = Text(key, "Icon");
    info.description = Text(key, "");
    return info;
  }

  std::string root_;
  bool followLink_;
  std::map<std::string, std::string, NoCaseLess> names_;
  std::map<std::string, std::optional<TClassInfo>, NoCaseLess> cache_;
};

// The values every device key holds on both families.
void ReadDeviceValues(const RegKey& key, TDevice& d) {
  d.GUID = UpperCase(Text(key, "ClassGUID"));
  d.FriendlyName = Text(key, "FriendlyName");
  d.Description = Text(key, "DeviceDesc");
  d.Manufacturer = Text(key, "Mfg");
  d.Service = Text(key, "Service");
  d.Location = Text(key, "LocationInformation");
}

void ReadClass(TClassKeys& classes, const RegKey& key, TDevice& d) {
  if (const auto& info = classes.Find(d.GUID)) {
    d.ClassName = info->className;
    d.ClassIcon = info->icon;
    d.ClassDesc = info->description;
  }
  if (d.ClassName.empty()) d.ClassName = Text(key, "Class");
}

void ReadDriver(const std::string& classRoot, const RegKey& key, TDevice& d) {
  d.Driver = Text(key, "Driver");
  if (d.Driver.empty()) return;
  std::string driver = d.Driver;
  for (size_t at = driver.find("\\\\"); at != std::string::npos; at = driver.find("\\\\", at + 1))
    driver.erase(at, 1);
  RegKey driverKey = RegKey::Open(Reg(), RegRoot::LocalMachine, classRoot + "\\" + driver);
  if (!driverKey) return;
  d.DriverDate = Text(driverKey, "DriverDate");
  d.DriverVersion = Text(driverKey, "DriverVersion");
  d.DriverProvider = Text(driverKey, "ProviderName");
  d.InfPath = Text(driverKey, "InfPath");
}

void ApplyService(const TServiceInfo& service, TDevice& d) {
  d.ServiceName = service.displayName;
  d.ServiceGroup = service.group;
  d.ServiceType = service.type;
}

// The first value of type REG_RESOURCE_LIST in the instance's subkeys, taken
// in text order ("Control" before "LogConf").
void FindResourceList(const RegKey& key, const std::string& path, TDevice& d) {
  auto subKeys = key.SubKeyNames();
  std::sort(subKeys.begin(), subKeys.end(), NoCaseLess());
  for (const auto& name : subKeys) {
    RegKey sub = key.OpenSub(name);
    for (const auto& value : sub.ValueNames()) {
      auto data = sub.Value(value);
      if (data && data->type == platform::kRegResourceList) {
        d.ResourceListKey = path + "\\" + name;
        d.ResourceListValue = value;
        return;
      }
    }
  }
}

// The first named plain-string value of the "Device Parameters" subkey.
std::string FirstNamedString(const RegKey& parameters) {
  for (const auto& name : parameters.ValueNames()) {
    if (name.empty()) continue;
    auto value = parameters.Value(name);
    if (value && value->type == platform::kRegSz) return parameters.String(name).value_or("");
  }
  return {};
}

}  // namespace

std::vector<TDevice> EnumerateNTDevices() {
  std::vector<TDevice> devices;
  TClassKeys classes(kNTClassRoot, false);
  TServiceKeys services;
  RegKey root = RegKey::Open(Reg(), RegRoot::LocalMachine, kNTEnumPath);
  for (const auto& enumerator : root.SubKeyNames()) {
    RegKey enumeratorKey = root.OpenSub(enumerator);
    for (const auto& device : enumeratorKey.SubKeyNames()) {
      RegKey deviceKey = enumeratorKey.OpenSub(device);
      for (const auto& instance : deviceKey.SubKeyNames()) {
        RegKey key = deviceKey.OpenSub(instance);
        // Only devices started in this boot have a "Control" subkey.
        if (!key || !key.OpenSub("Control")) continue;
        TDevice d;
        ReadDeviceValues(key, d);
        if (d.Location.empty()) d.Location = services.Find(enumerator).displayName;
        ReadClass(classes, key, d);
        ReadDriver(classes.Root(), key, d);
        ApplyService(services.Find(d.Service), d);
        d.RegKey = std::string(kNTEnumPath) + "\\" + enumerator + "\\" + device + "\\" + instance;
        d.HardwareID = Text(key, "HardwareID");
        FindResourceList(key, d.RegKey, d);
        d.DeviceParam = FirstNamedString(key.OpenSub("Device Parameters"));
        if (IsBlank(d.ClassName)) continue;
        d.DeviceClass = TDevices::GetDeviceClass(d.ClassName);
        devices.push_back(std::move(d));
      }
    }
  }
  return devices;
}

std::vector<TDevice> Enumerate9xDevices() {
  std::vector<std::string> hardwareKeys;
  RegKey configManager = RegKey::Open(Reg(), RegRoot::DynData, kConfigManagerPath);
  for (const auto& name : configManager.SubKeyNames())
    hardwareKeys.push_back(Text(configManager.OpenSub(name), "HardwareKey"));

  std::vector<TDevice> devices;
  TClassKeys classes(k9xClassRoot, true);
  TServiceKeys services;
  // The same device may be listed more than once: a class and description
  // already taken is not taken again.
  std::set<std::string, NoCaseLess> taken;
  for (const auto& hardwareKey : hardwareKeys) {
    if (hardwareKey.empty() || UpperCase(hardwareKey).find("NETWORK") != std::string::npos) continue;
    std::string path = std::string(k9xEnumPath) + "\\" + hardwareKey;
    RegKey key = RegKey::Open(Reg(), RegRoot::LocalMachine, path);
    if (!key) continue;
    TDevice d;
    ReadDeviceValues(key, d);
    ReadClass(classes, key, d);
    ReadDriver(classes.Root(), key, d);
    ApplyService(services.Find(d.Service), d);
    d.RegKey = path;
    d.HardwareID = Text(key, "HardwareID");
    if (IsBlank(d.ClassName)) continue;
    if (!taken.insert(d.ClassName + "-" + d.Description).second) continue;
    d.DeviceClass = TDevices::GetDeviceClass(d.ClassName);
    devices.push_back(std::move(d));
  }
  return devices;
}

}  // namespace nsx
