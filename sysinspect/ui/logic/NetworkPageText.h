// What the Display and Network pages make of their topics: the display's
// value rows, the network adapters' icons, the DNS lines and the address
// rows of one TCP/IP adapter.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "software/NSX_Display.h"
#include "software/NSX_Network.h"

namespace nsx::ui {

// The Display page's "Variable" / "Value" rows; the refresh rate only on
// the NT family.
std::vector<std::pair<std::string, std::string>> DisplayValueRows(const TDisplay& display, bool isNT);

// A capability button by its tag (0 to 6): its dialog title and lines.
struct TCapsButton {
  const char* caption;
  const char* title;
  TCapsKind kind;
};
const TCapsButton& CapsButton(int tag);
TStringList CapsButtonLines(const TDisplay& display, int tag);

// The adapter list's icon: the chosen card's row 15, every other row 22.
int NetworkAdapterIcon(int row, int cardAdapterIndex);

// One line per DNS server, followed by a blank and the DNS suffix of the
// same index where there is one.
TStringList DNSBoxLines(const TStringList& servers, const TStringList& suffixes);

struct TAddressRow {
  std::string resource, address, mask;
};
// The local addresses, gateways, DHCP server and WINS servers of an
// adapter, each with the mask of the same index (empty where none).
std::vector<TAddressRow> AdapterAddressRows(const TAdapter& adapter);

}  // namespace nsx::ui
