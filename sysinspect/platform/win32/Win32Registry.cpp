#include "Win32Registry.h"

#include <windows.h>

namespace nsx::win32 {
namespace {

HKEY ToHkey(platform::RegHandle handle) { return reinterpret_cast<HKEY>(handle); }

}  // namespace

long Win32Registry::OpenKey(platform::RegHandle parent, const std::string& subKey, platform::RegHandle* key) {
  HKEY opened = nullptr;
  LONG rc = RegOpenKeyExA(ToHkey(parent), subKey.c_str(), 0, KEY_READ, &opened);
  if (rc == ERROR_SUCCESS) *key = reinterpret_cast<platform::RegHandle>(opened);
  return rc;
}

void Win32Registry::CloseKey(platform::RegHandle key) { RegCloseKey(ToHkey(key)); }

long Win32Registry::QueryValue(platform::RegHandle key, const std::string& name, std::uint32_t* type,
                               platform::Bytes* data) {
  // The size may grow between the two calls; ask again while it does.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD valueType = 0, size = 0;
    LONG rc = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &valueType, nullptr, &size);
    if (rc != ERROR_SUCCESS) return rc;
    data->assign(size + 2, 0);  // room for a NUL the value may lack
    DWORD got = size;
    rc = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &valueType, data->data(), &got);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS) return rc;
    data->resize(got);
    *type = valueType;
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

long Win32Registry::EnumKey(platform::RegHandle key, std::uint32_t index, std::string* name) {
  char buffer[512];
  DWORD size = sizeof buffer;
  LONG rc = RegEnumKeyExA(ToHkey(key), index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
  if (rc == ERROR_SUCCESS) name->assign(buffer, size);
  return rc;
}

long Win32Registry::EnumValue(platform::RegHandle key, std::uint32_t index, std::string* name) {
  char buffer[16384];
  DWORD size = sizeof buffer;
  LONG rc = RegEnumValueA(ToHkey(key), index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
  if (rc == ERROR_SUCCESS) name->assign(buffer, size);
  return rc;
}

}  // namespace nsx::win32
