#pragma once
#include "../Registry.h"

namespace nsx::win32 {

class Win32Registry : public platform::RegistryApi {
 public:
  long OpenKey(platform::RegHandle parent, const std::string& subKey, platform::RegHandle* key) override;
  void CloseKey(platform::RegHandle key) override;
  long QueryValue(platform::RegHandle key, const std::string& name, std::uint32_t* type,
                  platform::Bytes* data) override;
  long EnumKey(platform::RegHandle key, std::uint32_t index, std::string* name) override;
  long EnumValue(platform::RegHandle key, std::uint32_t index, std::string* name) override;
};

}  // namespace nsx::win32
