#include "Registry.h"

namespace nsx::platform {

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    api_ = other.api_;
    handle_ = other.handle_;
    other.api_ = nullptr;
    other.handle_ = 0;
  }
  return *this;
}

void RegKey::Close() {
  if (api_) api_->CloseKey(handle_);
  api_ = nullptr;
  handle_ = 0;
}

std::string RelativeKeyPath(const std::string& path) {
  if (!path.empty() && path[0] == '\\') return path.substr(1);
  return path;
}

RegKey RegKey::Open(RegistryApi& api, RegRoot root, const std::string& path) {
  RegHandle handle = 0;
  if (api.OpenKey(RootHandle(root), RelativeKeyPath(path), &handle) != kErrorSuccess) return {};
  return RegKey(api, handle);
}

RegKey RegKey::OpenSub(const std::string& path) const {
  if (!api_) return {};
  RegHandle handle = 0;
  if (api_->OpenKey(handle_, RelativeKeyPath(path), &handle) != kErrorSuccess) return {};
  return RegKey(*api_, handle);
}

std::optional<RegValue> RegKey::Value(const std::string& name) const {
  if (!api_) return std::nullopt;
  RegValue value;
  if (api_->QueryValue(handle_, name, &value.type, &value.data) != kErrorSuccess) return std::nullopt;
  return value;
}

std::optional<std::string> RegKey::String(const std::string& name) const {
  auto value = Value(name);
  if (!value) return std::nullopt;
  if (value->type != kRegSz && value->type != kRegExpandSz && value->type != kRegMultiSz)
    return std::nullopt;
  std::string text(value->data.begin(), value->data.end());
  auto nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

std::optional<std::uint32_t> RegKey::Dword(const std::string& name) const {
  auto value = Value(name);
  if (!value || value->data.size() < 4) return std::nullopt;
  if (value->type != kRegDword && value->type != kRegBinary && value->type != kRegDwordBigEndian)
    return std::nullopt;
  const auto& d = value->data;
  if (value->type == kRegDwordBigEndian)
    return (std::uint32_t(d[0]) << 24) | (std::uint32_t(d[1]) << 16) | (std::uint32_t(d[2]) << 8) | d[3];
  return std::uint32_t(d[0]) | (std::uint32_t(d[1]) << 8) | (std::uint32_t(d[2]) << 16) |
         (std::uint32_t(d[3]) << 24);
}

std::vector<std::string> RegKey::SubKeyNames() const {
  std::vector<std::string> names;
  if (!api_) return names;
  std::string name;
  for (std::uint32_t i = 0; api_->EnumKey(handle_, i, &name) == kErrorSuccess; ++i) names.push_back(name);
  return names;
}

std::vector<std::string> RegKey::ValueNames() const {
  std::vector<std::string> names;
  if (!api_) return names;
  std::string name;
  for (std::uint32_t i = 0; api_->EnumValue(handle_, i, &name) == kErrorSuccess; ++i) names.push_back(name);
  return names;
}

}  // namespace nsx::platform
