#include "ProductDetails.h"

#include <cctype>

#include "../core/Norvik_Datetime.h"
#include "../core/RegistryText.h"

namespace nsx::inventory {
namespace {

using platform::RegKey;
using platform::RegRoot;

// The table the software topic reads its products from.
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

bool AllDigits(const std::string& text) {
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return !text.empty();
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", as Windows Installer names its entries.
bool IsProductCode(const std::string& name) {
  if (name.size() != 38 || name.front() != '{' || name.back() != '}') return false;
  for (std::size_t i = 1; i < 37; ++i) {
    bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (dash ? c != '-' : !std::isxdigit(c)) return false;
  }
  return true;
}

}  // namespace

std::string InstallDateText(const std::string& yyyymmdd) {
  std::string text = Trim(yyyymmdd);
  if (text.size() != 8 || !AllDigits(text)) return "";
  int year = std::stoi(text.substr(0, 4)), month = std::stoi(text.substr(4, 2)), day = std::stoi(text.substr(6, 2));
  if (year < 1980 || day < 1 || day > DaysInMonth(year, month)) return "";
  return text.substr(0, 4) + "-" + text.substr(4, 2) + "-" + text.substr(6, 2);
}

std::vector<TProductDetails> ReadProductDetails() {
  std::vector<TProductDetails> details;
  RegKey table = RegKey::Open(Reg(), RegRoot::LocalMachine, kUninstallKey);
  if (!table) return details;
  for (const auto& subKey : table.SubKeyNames()) {
    RegKey entry = table.OpenSub(subKey);
    auto name = ReadValueAsText(entry, "DisplayName");
    if (!name) continue;
    TProductDetails d;
    d.Name = *name;
    d.Version = ReadValueAsText(entry, "DisplayVersion").value_or("");
    d.Publisher = ReadValueAsText(entry, "Publisher").value_or("");
    d.Folder = ReadValueAsText(entry, "InstallLocation").value_or("");
    d.Comments = ReadValueAsText(entry, "Comments").value_or("");
    d.InstallDate = InstallDateText(ReadValueAsText(entry, "InstallDate").value_or(""));
    if (IsProductCode(subKey)) d.Guid = subKey;
    details.push_back(d);
  }
  return details;
}

std::vector<TProductDetails> MatchProducts(const TStringList& products, const std::vector<TProductDetails>& details) {
  std::vector<bool> taken(details.size(), false);
  std::vector<TProductDetails> matched;
  for (const auto& product : products) {
    TProductDetails record;
    record.Name = product;
    for (std::size_t i = 0; i < details.size(); ++i) {
      if (taken[i] || details[i].Name != product) continue;
      taken[i] = true;
      record = details[i];
      break;
    }
    matched.push_back(record);
  }
  return matched;
}

}  // namespace nsx::inventory
