// The server address of an inventory delivery: http://host[:port][/path].
// Only plain HTTP is spoken; an https:// address is refused by name, so
// that the user learns why rather than seeing a failed connection.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace nsx::delivery {

struct THttpUrl {
  std::string host;          // a name or a dotted IPv4 address
  std::uint16_t port = 80;
  std::string path = "/";    // with the query, as the request line carries it
};

struct TUrlParse {
  std::optional<THttpUrl> url;  // set when the address is usable
  std::string problem;          // one line saying why not, otherwise
};

// Host names of letters, digits, '-', '.', '_'; no user name, no IPv6
// literal; the path without blanks or control characters (they would
// break the request line). A fragment (#...) is dropped.
TUrlParse ParseHttpUrl(const std::string& text);

}  // namespace nsx::delivery
