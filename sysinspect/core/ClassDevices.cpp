#include "Norvik_Routines.h"
#include "TextCompare.h"

namespace nsx {
namespace {

using platform::RegKey;
using platform::RegRoot;

void AppendOnce(TStringList& list, const std::string& text) {
  for (const auto& item : list)
    if (SameText(item, text)) return;
  list.push_back(text);
}

// The value of every subkey of a class key.
void AddComponents(const RegKey& classKey, const std::string& valueName, TStringList& list) {
  for (const auto& name : classKey.SubKeyNames()) {
    RegKey component = classKey.OpenSub(name);
    if (!component) continue;
    if (auto text = component.String(valueName)) AppendOnce(list, *text);
  }
}

}  // namespace

void GetClassDevices(const std::string& root, const std::string& className, const std::string& valueName,
                     TStringList& list) {
  list.clear();
  if (!OSInfo().IsNT) {
    // Opened for reading, as every key here.
    AddComponents(RegKey::Open(Reg(), RegRoot::LocalMachine, root + "\\" + className), valueName, list);
    return;
  }
  RegKey rootKey = RegKey::Open(Reg(), RegRoot::LocalMachine, root);
  for (const auto& name : rootKey.SubKeyNames()) {
    RegKey classKey = rootKey.OpenSub(name);
    if (!classKey || !SameText(classKey.String("Class").value_or(""), className)) continue;
    AddComponents(classKey, valueName, list);
    return;
  }
}

std::string ReadRegistryString(RegRoot root, const std::string& keyPath, const std::string& valueName) {
  RegKey key = RegKey::Open(Reg(), root, keyPath);
  return key ? key.String(valueName).value_or("") : std::string();
}

}  // namespace nsx
