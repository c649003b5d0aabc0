#include "Norvik_Internet.h"

#include "../platform/Internet.h"
#include "Runtime.h"

namespace nsx {
namespace {

using platform::RegKey;
using platform::RegRoot;

const char kInternetSettingsKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet settings";
constexpr size_t kMaxTailLength = 1024;
constexpr std::uint32_t kRasEntries = 4;  // 1648 bytes of 412-byte RASCONN records

std::string ProgramOfCommand(const char* keyPath) {
  RegKey key = RegKey::Open(Reg(), RegRoot::ClassesRoot, keyPath);
  if (!key) return {};
  return FindExistingFile(key.String("").value_or(""));
}

// Replaces the first occurrence of `pattern` by `value`; the rest of the text
// after it is cut to 1024 characters.
bool ReplaceFirst(std::string& text, const std::string& pattern, const std::string& value) {
  auto at = text.find(pattern);
  if (at == std::string::npos) return false;
  std::string tail = text.substr(at + pattern.size(), kMaxTailLength);
  text = text.substr(0, at) + value + tail;
  return true;
}

}  // namespace

std::string Dequote(const std::string& text, char quote) {
  if (text.size() > 1 && text.front() == quote && text.back() == quote) return text.substr(1, text.size() - 2);
  return text;
}

std::string ExpandEnvVars(const std::string& text, const TStringList& environment) {
  std::string result = text;
  for (const auto& entry : environment) {
    auto eq = entry.find('=');
    std::string name = entry.substr(0, eq);
    std::string value = eq == std::string::npos ? std::string() : entry.substr(eq + 1);
    if (IsBlank(name)) continue;
    if (!ReplaceFirst(result, "%" + name + "%", value)) ReplaceFirst(result, "\\" + name, value);
  }
  return result;
}

std::string ExpandEnvVars(const std::string& text) {
  TStringList environment;
  GetEnvironment(environment);
  return ExpandEnvVars(text, environment);
}

std::string FindExistingFile(const std::string& commandLine, const TStringList& environment,
                             const std::function<bool(const std::string&)>& fileExists) {
  // A command that is one quoted path and nothing else loses its quotes
  // first; otherwise its closing quote would be cut before its opening one
  // could go.
  std::string text = Dequote(ExpandEnvVars(commandLine, environment), '"');
  while (!text.empty() && !fileExists(text)) {
    text.pop_back();
    text = Dequote(text, '"');
  }
  return text;
}

std::string FindExistingFile(const std::string& commandLine) {
  TStringList environment;
  GetEnvironment(environment);
  auto& internet = Machine().Internet();
  return FindExistingFile(commandLine, environment, [&](const std::string& path) { return internet.FileExists(path); });
}

std::string GetDefaultBrowser() { return ProgramOfCommand("\\htmlfile\\shell\\open\\command"); }
std::string GetDefaultMailClient() { return ProgramOfCommand("\\mailto\\shell\\open\\command"); }

std::string GetProxyServer() {
  RegKey key = RegKey::Open(Reg(), RegRoot::CurrentUser, kInternetSettingsKey);
  return key.String("ProxyServer").value_or("");
}

std::optional<bool> ProxyEnableFlag(const platform::RegValue& value) {
  const auto& d = value.data;
  if (value.type == platform::kRegBinary) {
    // Fewer than four bytes read as zeros beyond the data.
    std::uint32_t number = 0;
    for (size_t i = 0; i < 4 && i < d.size(); ++i) number |= std::uint32_t(d[i]) << (8 * i);
    return number != 0;
  }
  if (value.type == platform::kRegDword && d.size() >= 4) return (d[0] | d[1] | d[2] | d[3]) != 0;
  return std::nullopt;
}

TConnectionType ConnectionTypeOf(bool proxyInUse, int rasConnections) {
  if (proxyInUse) return ctLAN;
  return rasConnections > 0 ? ctDialup : ctNone;
}

TConnectionType GetConnectionType() {
  bool proxyInUse = false;
  RegKey key = RegKey::Open(Reg(), RegRoot::CurrentUser, kInternetSettingsKey);
  if (auto enable = key.Value("ProxyEnable")) {
    auto flag = ProxyEnableFlag(*enable);
    auto server = key.String("ProxyServer");
    proxyInUse = flag && *flag && server && !server->empty();
  }
  // Dial-up connections are only counted when no proxy is in use.
  return ConnectionTypeOf(proxyInUse, proxyInUse ? 0 : GetRASConnectionCount());
}

int GetRASConnectionCount() {
  auto answer = Machine().Internet().EnumRasConnections(kRasEntries);
  if (!answer) return 0;
  if (answer->status != platform::kErrorSuccess && answer->status != platform::kErrorBufferTooSmall) return 0;
  return static_cast<int>(answer->connections);
}

}  // namespace nsx
