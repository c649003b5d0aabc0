#include "NSX_Software.h"

#include "../core/RegistryText.h"
#include "../core/Runtime.h"

namespace nsx {

using platform::RegKey;
using platform::RegRoot;

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

}  // namespace

void TSoftware::GetInfo() {
  products_.clear();
  uninstallStrings_.clear();
  RegKey table = RegKey::Open(Reg(), RegRoot::LocalMachine, kUninstallKey);
  if (!table) return;
  for (const auto& subKey : table.SubKeyNames()) {
    RegKey product = table.OpenSub(subKey);
    auto name = ReadValueAsText(product, "DisplayName");
    if (!name) continue;
    products_.push_back(*name);
    uninstallStrings_.push_back(ReadValueAsText(product, "UninstallString").value_or(""));
  }
}

void TSoftware::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "Software", ClassName());
  for (size_t i = 0; i < products_.size(); ++i) WriteString(list, products_[i], uninstallStrings_[i]);
  WriteElementEnd(list, "Software");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
