// What the uninstall table tells of an installed product beyond the display
// name and uninstall command the software topic keeps: version, publisher,
// folder, comments, installation date and the installer's product code.
#pragma once
#include <string>
#include <vector>

#include "../core/Norvik_Routines.h"

namespace nsx::inventory {

struct TProductDetails {
  std::string Name;         // DisplayName
  std::string Version;      // DisplayVersion
  std::string Publisher;    // Publisher
  std::string Folder;       // InstallLocation
  std::string Comments;     // Comments
  std::string InstallDate;  // InstallDate (YYYYMMDD) as YYYY-MM-DD; empty when it is no such date
  std::string Guid;         // the entry's key name when it is a product code {...}
};

// The entries of the uninstall table that have a display name, in key
// order: the products the software topic lists.
std::vector<TProductDetails> ReadProductDetails();

// One record per product name, in the products' order: the first record not
// yet taken whose name is the same, else the name alone (the table changed
// since the software topic read it).
std::vector<TProductDetails> MatchProducts(const TStringList& products, const std::vector<TProductDetails>& details);

// "YYYY-MM-DD" of an 8-digit "YYYYMMDD" naming a real day; empty otherwise.
std::string InstallDateText(const std::string& yyyymmdd);

}  // namespace nsx::inventory
