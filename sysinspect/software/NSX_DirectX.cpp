#include "../core/Runtime.h"
#include "NSX_Engines.h"

namespace nsx {
namespace {

const char kDirectXKey[] = "SOFTWARE\\Microsoft\\DirectX";

std::uint32_t BigEndian32(const platform::Bytes& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | bytes[at + i];
  return value;
}

}  // namespace

std::string DirectXInstalledVersion(const platform::Bytes& value) {
  if (value.size() < 4) return {};
  std::uint32_t major = BigEndian32(value, 0);
  if (major == 0) return {};
  if (value.size() < 8) return std::to_string(major);
  return std::to_string(major) + "." + std::to_string(BigEndian32(value, 4));
}

void TDirectX::GetInfo() {
  version_.clear();
  auto key = platform::RegKey::Open(Reg(), platform::RegRoot::LocalMachine, kDirectXKey);
  if (auto text = key.String("Version")) version_ = *text;
  if (version_.empty()) {
    if (auto installed = key.Value("InstalledVersion")) version_ = DirectXInstalledVersion(installed->data);
  }

  struct TDriverList {
    const char* root;
    TStringList& list;
  };
  const TDriverList lists[] = {
      // registry key                                    list
      {"SOFTWARE\\Microsoft\\Direct3D\\Drivers",         direct3D_},
      {"SOFTWARE\\Microsoft\\DirectPlay\\Services",      directPlay_},
      {"SOFTWARE\\Microsoft\\DirectMusic\\SoftwareSynths", directMusic_},
  };
  for (const auto& drivers : lists) {
    drivers.list.clear();
    auto root = platform::RegKey::Open(Reg(), platform::RegRoot::LocalMachine, drivers.root);
    for (const auto& name : root.SubKeyNames()) {
      auto driver = root.OpenSub(name);
      if (driver.HasValue("Description")) drivers.list.push_back(ReadValueAsText(driver, "Description", false));
    }
  }
}

void TDirectX::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "DirectX", ClassName());
  if (!version_.empty()) {
    WriteString(list, "Version", version_);
    const std::pair<const char*, const TStringList*> sections[] = {
        {"Direct3D", &direct3D_}, {"DirectPlay", &directPlay_}, {"DirectMusic", &directMusic_}};
    for (const auto& [name, drivers] : sections) {
      WriteSectionStart(list, name);
      WriteStringsData(*drivers, "Count", "Device", list);
      WriteSectionEnd(list);
    }
  }
  WriteElementEnd(list, "DirectX");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
