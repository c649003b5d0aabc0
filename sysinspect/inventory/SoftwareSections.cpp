#include "../core/NSX_GUI.h"
#include "../software/NSX_Printers.h"
#include "InventorySections.h"

namespace nsx::inventory {
namespace {

struct TShare {
  std::string server, share;
};

// \\server\share: a connection's name on NT, a network printer's port on 9x.
TShare ShareOf(const std::string& path) {
  if (path.size() < 3 || path.compare(0, 2, "\\\\") != 0) return {};
  std::string rest = path.substr(2);
  auto slash = rest.find('\\');
  if (slash == std::string::npos) return {rest, ""};
  return {rest.substr(0, slash), rest.substr(slash + 1)};
}

std::string At(const TStringList& list, std::size_t i) { return i < list.size() ? list[i] : ""; }

}  // namespace

void WritePrinters(TNSystemInfo& info, TInventoryXml& xml) {
  const TPrinters& printers = info.Printers();
  for (std::size_t i = 0; i < printers.Names().size(); ++i) {
    std::string name = printers.Names()[i], port = At(printers.Ports(), i);
    TShare share = ShareOf(name);
    if (share.server.empty()) share = ShareOf(port);
    TEntry entry = xml.Entry(kPrinters);
    entry.Text("NAME", name);
    entry.Text("DRIVER", At(printers.Drivers(), i));
    entry.Text("PORT", port);
    entry.Text("SERVERNAME", share.server);
    entry.Text("SHARENAME", share.share);
    entry.Integer("NETWORK", share.server.empty() ? 0 : 1);
  }
}

void WriteSoftwares(const std::vector<TProductDetails>& products, TInventoryXml& xml) {
  for (const auto& product : products) {
    TEntry entry = xml.Entry(kSoftwares);
    entry.Text("NAME", product.Name);
    entry.Text("VERSION", product.Version);
    entry.Text("PUBLISHER", product.Publisher);
    entry.Text("FOLDER", product.Folder);
    entry.Text("COMMENTS", product.Comments);
    entry.Text("INSTALLDATE", product.InstallDate);
    entry.Text("GUID", product.Guid);
  }
}

}  // namespace nsx::inventory
