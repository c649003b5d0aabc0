#include "HttpUrl.h"

#include <cctype>

namespace nsx::delivery {

namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  std::size_t i = 0;
  for (; prefix[i]; ++i)
    if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

bool IsHostCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
}

TUrlParse Problem(const std::string& text) { return TUrlParse{std::nullopt, text}; }

// The address as a message may quote it: on one line, whatever it holds.
std::string Shown(const std::string& text) {
  std::string shown = text;
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < ' ' || c == 0x7F) c = '?';
  return shown;
}

}  // namespace

TUrlParse ParseHttpUrl(const std::string& address) {
  const std::string text = Shown(address);
  static const char kScheme[] = "http://";
  if (StartsWithNoCase(text, "https://"))
    return Problem("HTTPS is not supported: give an http:// address (" + text + ")");
  if (!StartsWithNoCase(text, kScheme))
    return Problem("the server address must begin with http:// (" + text + ")");

  std::string rest = address.substr(sizeof kScheme - 1);
  std::size_t hash = rest.find('#');
  if (hash != std::string::npos) rest.erase(hash);
  std::size_t end = rest.find_first_of("/?");
  std::string authority = rest.substr(0, end);
  std::string path = end == std::string::npos ? "/" : rest.substr(end);
  if (path[0] == '?') path.insert(0, "/");

  if (authority.find('@') != std::string::npos)
    return Problem("a user name in the server address is not supported (" + text + ")");
  if (!authority.empty() && authority[0] == '[')
    return Problem("IPv6 addresses are not supported (" + text + ")");

  THttpUrl url;
  std::size_t colon = authority.find(':');
  url.host = authority.substr(0, colon);
  if (url.host.empty()) return Problem("the server address names no host (" + text + ")");
  for (char c : url.host)
    if (!IsHostCharacter(c)) return Problem("the server's host name is not valid (" + text + ")");

  if (colon != std::string::npos) {
    std::string digits = authority.substr(colon + 1);
    unsigned long port = 0;
    bool valid = !digits.empty() && digits.size() <= 5;
    for (char c : digits) {
      if (!std::isdigit(static_cast<unsigned char>(c))) valid = false;
      port = port * 10 + static_cast<unsigned long>(c - '0');
    }
    if (!valid || port == 0 || port > 65535)
      return Problem("the server's port must be a number from 1 to 65535 (" + text + ")");
    url.port = static_cast<std::uint16_t>(port);
  }

  for (char c : path)
    if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F)
      return Problem("the server's path holds a blank or control character (" + text + ")");
  url.path = path;
  return TUrlParse{url, {}};
}

}  // namespace nsx::delivery
