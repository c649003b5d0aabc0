// The installed-software topic: the products the uninstall table names,
// each with its uninstall command.
#pragma once
#include <string>

#include "../core/NSX_Common.h"

namespace nsx {

class TSoftware : public TTopic {
 public:
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TSoftware"; }

  // Display names, in the order of the uninstall table's subkeys.
  const TStringList& Products() const { return products_; }
  // The uninstall command of the product with the same index ("" when none).
  const TStringList& UninstallStrings() const { return uninstallStrings_; }

 private:
  TStringList products_, uninstallStrings_;
};

}  // namespace nsx
