#include "SimRegistry.h"

#include <algorithm>

namespace nsx::sim {
namespace {

// ASCII letters only, as tolower in the "C" locale the programs keep; inline,
// since every key lookup of a large simulated registry compares names.
inline char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (c == '\\') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

// Root names as they appear in .reg files and paths.
struct RootName {
  const char* name;
  RegRoot root;
};
const RootName kRootNames[] = {
    // name                   root
    {"HKEY_CLASSES_ROOT", RegRoot::ClassesRoot},
    {"HKEY_CURRENT_USER", RegRoot::CurrentUser},
    {"HKEY_LOCAL_MACHINE", RegRoot::LocalMachine},
    {"HKEY_USERS", RegRoot::Users},
    {"HKEY_PERFORMANCE_DATA", RegRoot::PerformanceData},
    {"HKEY_CURRENT_CONFIG", RegRoot::CurrentConfig},
    {"HKEY_DYN_DATA", RegRoot::DynData},
    {"HKCR", RegRoot::ClassesRoot},
    {"HKCU", RegRoot::CurrentUser},
    {"HKLM", RegRoot::LocalMachine},
    {"HKU", RegRoot::Users},
    {"HKCC", RegRoot::CurrentConfig},
    {"HKDD", RegRoot::DynData},
};

Bytes StringBytes(const std::string& text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

}  // namespace

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

SimKey::SimKey(const SimKey& other) : values(other.values) {
  for (const auto& [name, child] : other.subKeys) subKeys[name] = std::make_unique<SimKey>(*child);
}

SimKey& SimKey::operator=(const SimKey& other) {
  if (this != &other) {
    SimKey copy(other);
    *this = std::move(copy);
  }
  return *this;
}

SimKey* SimKey::Find(const std::string& path) {
  SimKey* key = this;
  for (const auto& part : SplitPath(path)) {
    auto it = key->subKeys.find(part);
    if (it == key->subKeys.end()) return nullptr;
    key = it->second.get();
  }
  return key;
}

SimKey& SimKey::Create(const std::string& path) {
  SimKey* key = this;
  for (const auto& part : SplitPath(path)) {
    auto& slot = key->subKeys[part];
    if (!slot) slot = std::make_unique<SimKey>();
    key = slot.get();
  }
  return *key;
}

const platform::RegValue* SimKey::FindValue(const std::string& name) const {
  for (const auto& entry : values)
    if (EqualNoCase(entry.first, name)) return &entry.second;
  return nullptr;
}

void SimKey::SetValue(const std::string& name, std::uint32_t type, Bytes data) {
  for (auto& entry : values) {
    if (EqualNoCase(entry.first, name)) {
      entry.second = {type, std::move(data)};
      return;
    }
  }
  values.push_back({name, {type, std::move(data)}});
}

bool SplitRootPath(const std::string& fullPath, RegRoot* root, std::string* rest) {
  auto slash = fullPath.find('\\');
  std::string first = fullPath.substr(0, slash);
  for (const auto& row : kRootNames) {
    if (EqualNoCase(first, row.name)) {
      *root = row.root;
      *rest = slash == std::string::npos ? std::string() : fullPath.substr(slash + 1);
      return true;
    }
  }
  return false;
}

SimKey& SimRegistry::Root(RegRoot root) { return roots_[root]; }

SimKey* SimRegistry::FindRoot(platform::RegHandle handle) {
  if (handle < 0x80000000u || handle > 0x80000006u) return nullptr;
  return &roots_[static_cast<RegRoot>(handle)];
}

SimKey& SimRegistry::CreateKey(const std::string& path) {
  RegRoot root;
  std::string rest;
  if (!SplitRootPath(path, &root, &rest)) rest = path, root = RegRoot::LocalMachine;
  return Root(root).Create(rest);
}

void SimRegistry::SetString(const std::string& path, const std::string& name, const std::string& value,
                            std::uint32_t type) {
  CreateKey(path).SetValue(name, type, StringBytes(value));
}

void SimRegistry::SetDword(const std::string& path, const std::string& name, std::uint32_t value) {
  Bytes bytes = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  CreateKey(path).SetValue(name, platform::kRegDword, std::move(bytes));
}

void SimRegistry::SetBinary(const std::string& path, const std::string& name, Bytes value,
                            std::uint32_t type) {
  CreateKey(path).SetValue(name, type, std::move(value));
}

void SimRegistry::SetMultiString(const std::string& path, const std::string& name,
                                 const std::vector<std::string>& items) {
  Bytes bytes;
  for (const auto& item : items) {
    bytes.insert(bytes.end(), item.begin(), item.end());
    bytes.push_back(0);
  }
  bytes.push_back(0);
  CreateKey(path).SetValue(name, platform::kRegMultiSz, std::move(bytes));
}

SimKey* SimRegistryApi::Resolve(platform::RegHandle handle) {
  if (SimKey* root = registry_.FindRoot(handle)) return root;
  auto it = open_.find(handle);
  return it == open_.end() ? nullptr : it->second.key;
}

long SimRegistryApi::OpenKey(platform::RegHandle parent, const std::string& subKey,
                             platform::RegHandle* key) {
  SimKey* base = Resolve(parent);
  if (!base) return platform::kErrorInvalidHandle;
  SimKey* found = base->Find(subKey);
  if (!found) return platform::kErrorFileNotFound;
  *key = next_++;
  open_[*key] = OpenedKey{found, 0, found->subKeys.size(), found->subKeys.cbegin()};
  return platform::kErrorSuccess;
}

void SimRegistryApi::CloseKey(platform::RegHandle key) { open_.erase(key); }

long SimRegistryApi::QueryValue(platform::RegHandle key, const std::string& name, std::uint32_t* type,
                                Bytes* data) {
  SimKey* found = Resolve(key);
  if (!found) return platform::kErrorInvalidHandle;
  const platform::RegValue* value = found->FindValue(name);
  if (!value) return platform::kErrorFileNotFound;
  *type = value->type;
  *data = value->data;
  return platform::kErrorSuccess;
}

long SimRegistryApi::EnumKey(platform::RegHandle key, std::uint32_t index, std::string* name) {
  SimKey* found = Resolve(key);
  if (!found) return platform::kErrorInvalidHandle;
  if (index >= found->subKeys.size()) return platform::kErrorNoMoreItems;
  decltype(OpenedKey::next) it = found->subKeys.cbegin();
  auto open = open_.find(key);
  if (open != open_.end() && open->second.nextIndex == index && open->second.count == found->subKeys.size()) {
    it = open->second.next;  // the usual walk: index after index
  } else {
    std::advance(it, index);
  }
  *name = it->first;
  if (open != open_.end()) open->second = OpenedKey{found, index + 1, found->subKeys.size(), std::next(it)};
  return platform::kErrorSuccess;
}

long SimRegistryApi::EnumValue(platform::RegHandle key, std::uint32_t index, std::string* name) {
  SimKey* found = Resolve(key);
  if (!found) return platform::kErrorInvalidHandle;
  if (index >= found->values.size()) return platform::kErrorNoMoreItems;
  *name = found->values[index].first;
  return platform::kErrorSuccess;
}

}  // namespace nsx::sim
