// The internet settings: the programs of the browser's and mail client's
// shell commands, the proxy, the connection kind, and the report element.
#include <gtest/gtest.h>

#include <set>

#include "OSTestMachines.h"
#include "core/Norvik_Internet.h"
#include "software/NSX_Internet.h"

namespace nsx {
namespace {

const char kSettings[] = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

TEST(Dequote, OnlyWhenBothEndsHoldTheQuote) {
  EXPECT_EQ(Dequote("\"C:\\a b.exe\"", '"'), "C:\\a b.exe");
  EXPECT_EQ(Dequote("\"\"", '"'), "");
  EXPECT_EQ(Dequote("\"", '"'), "\"");
  EXPECT_EQ(Dequote("\"C:\\a.exe\" -x", '"'), "\"C:\\a.exe\" -x");
  EXPECT_EQ(Dequote("'x'", '"'), "'x'");
}

TEST(ExpandEnvVars, PercentReferencesThenBackslashNames) {
  TStringList env = {"ProgramFiles=C:\\Program Files", "SystemRoot=C:\\WINNT", "=C:=C:\\", "windir=C:\\WINNT"};
  EXPECT_EQ(ExpandEnvVars("\"%ProgramFiles%\\IE\\iexplore.exe\" -nohome", env),
            "\"C:\\Program Files\\IE\\iexplore.exe\" -nohome");
  EXPECT_EQ(ExpandEnvVars("\\SystemRoot\\system32\\rundll32.exe x", env), "C:\\WINNT\\system32\\rundll32.exe x");
  EXPECT_EQ(ExpandEnvVars("%PROGRAMFILES%\\a.exe", env), "%PROGRAMFILES%\\a.exe");  // names are case-sensitive
  // Only the first occurrence of each name.
  EXPECT_EQ(ExpandEnvVars("%windir%;%windir%", env), "C:\\WINNT;%windir%");
  // The text after a replacement is cut to 1024 characters.
  std::string tail(2000, 'x');
  EXPECT_EQ(ExpandEnvVars("%windir%" + tail, env), "C:\\WINNT" + std::string(1024, 'x'));
}

TEST(FindExistingFile, TheLongestPrefixNamingAFile) {
  TStringList env = {"ProgramFiles=C:\\Program Files"};
  std::set<std::string> files = {"C:\\Program Files\\Internet Explorer\\iexplore.exe", "C:\\Mail\\mail.exe",
                                 "C:\\Program Files\\Mozilla Firefox\\firefox.exe"};
  auto exists = [&](const std::string& path) { return files.count(path) > 0; };
  EXPECT_EQ(FindExistingFile("\"%ProgramFiles%\\Internet Explorer\\iexplore.exe\" -nohome", env, exists),
            "C:\\Program Files\\Internet Explorer\\iexplore.exe");
  EXPECT_EQ(FindExistingFile("C:\\Mail\\mail.exe /mailurl:%1", env, exists), "C:\\Mail\\mail.exe");
  EXPECT_EQ(FindExistingFile("\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -url \"%1\"", env, exists),
            "C:\\Program Files\\Mozilla Firefox\\firefox.exe");
  // A quoted path and nothing else.
  EXPECT_EQ(FindExistingFile("\"C:\\Mail\\mail.exe\"", env, exists), "C:\\Mail\\mail.exe");
  EXPECT_EQ(FindExistingFile("\"C:\\Gone\\gone.exe\" %1", env, exists), "");
  EXPECT_EQ(FindExistingFile("", env, exists), "");
}

TEST(ProxyEnableFlag, BinaryDwordOrNothing) {
  using platform::RegValue;
  EXPECT_EQ(ProxyEnableFlag(RegValue{platform::kRegBinary, {1, 0, 0, 0}}), true);
  EXPECT_EQ(ProxyEnableFlag(RegValue{platform::kRegBinary, {0, 0, 0, 0, 7}}), false);  // only four bytes count
  EXPECT_EQ(ProxyEnableFlag(RegValue{platform::kRegBinary, {1}}), true);  // fewer bytes: zeros beyond them
  EXPECT_EQ(ProxyEnableFlag(RegValue{platform::kRegBinary, {}}), false);
  EXPECT_EQ(ProxyEnableFlag(RegValue{platform::kRegDword, {0, 1, 0, 0}}), true);
  EXPECT_EQ(ProxyEnableFlag(RegValue{platform::kRegDword, {0, 0, 0, 0}}), false);
  EXPECT_EQ(ProxyEnableFlag(RegValue{platform::kRegSz, {'1', 0}}), std::nullopt);
}

struct ConnectionCase {
  const char* what;
  std::optional<std::uint32_t> proxyEnable;  // a DWORD
  std::string proxyServer;
  std::optional<platform::RasEnumResult> ras;
  TConnectionType expected;
};

TEST(GetConnectionType, ProxyFirstThenDialUp) {
  using platform::RasEnumResult;
  const ConnectionCase cases[] = {
      {"proxy and dial-up", 1, "proxy:8080", RasEnumResult{0, 1}, ctLAN},
      {"proxy, no RAS library", 1, "proxy:8080", std::nullopt, ctLAN},
      {"proxy disabled, dial-up", 0, "proxy:8080", RasEnumResult{0, 1}, ctDialup},
      {"proxy without server, dial-up", 1, "", RasEnumResult{0, 2}, ctDialup},
      {"no proxy value, buffer too small", std::nullopt, "", RasEnumResult{603, 5}, ctDialup},
      {"RAS error", std::nullopt, "", RasEnumResult{632, 3}, ctNone},
      {"no connections", std::nullopt, "", RasEnumResult{0, 0}, ctNone},
      {"no RAS library", std::nullopt, "", std::nullopt, ctNone},
  };
  for (const auto& c : cases) {
    sim::SimMachine m;
    if (c.proxyEnable) m.registry.SetDword(kSettings, "ProxyEnable", *c.proxyEnable);
    m.registry.SetString(kSettings, "ProxyServer", c.proxyServer);
    m.internet.ras = c.ras;
    test::TestMachine machine(m);
    EXPECT_EQ(GetConnectionType(), c.expected) << c.what;
    EXPECT_EQ(machine.Platform().RegistryApi().OpenHandleCount(), 0u) << c.what;
  }
}

TEST(GetConnectionType, AProxyEnableOfAnotherTypeIsIgnored) {
  sim::SimMachine m;
  m.registry.SetString(kSettings, "ProxyEnable", "1");
  m.registry.SetString(kSettings, "ProxyServer", "proxy:8080");
  test::TestMachine machine(m);
  EXPECT_EQ(GetConnectionType(), ctNone);
  machine.Data().registry.SetBinary(kSettings, "ProxyEnable", {1, 0, 0, 0});
  EXPECT_EQ(GetConnectionType(), ctLAN);
}

TEST(GetRASConnectionCount, MoreConnectionsThanTheBufferHolds) {
  sim::SimMachine m;
  m.internet.ras = platform::RasEnumResult{0, 6};  // the simulated call reports the shortage
  test::TestMachine machine(m);
  EXPECT_EQ(GetRASConnectionCount(), 6);
}

TEST(TInternet, BrowserMailClientProxyAndReport) {
  sim::SimMachine m = test::WinXPSP3();
  m.environment = {"ProgramFiles=C:\\Program Files", "SystemRoot=C:\\WINDOWS"};
  m.registry.SetString("HKCR\\htmlfile\\shell\\open\\command", "",
                       "\"%ProgramFiles%\\Internet Explorer\\iexplore.exe\" -nohome", platform::kRegExpandSz);
  m.registry.SetString("HKCR\\mailto\\shell\\open\\command", "",
                       "\\SystemRoot\\system32\\rundll32.exe url.dll,MailToProtocolHandler %1");
  m.internet.existingFiles = {"C:\\Program Files\\Internet Explorer\\iexplore.exe",
                              "C:\\WINDOWS\\system32\\rundll32.exe"};
  m.registry.SetDword(kSettings, "ProxyEnable", 1);
  m.registry.SetString(kSettings, "ProxyServer", "http=proxy<1>:80");
  test::TestMachine machine(m);
  TInternet internet;
  internet.GetInfo();
  EXPECT_EQ(internet.DefaultBrowser(), "C:\\Program Files\\Internet Explorer\\iexplore.exe");
  EXPECT_EQ(internet.DefaultMailClient(), "C:\\WINDOWS\\system32\\rundll32.exe");
  EXPECT_EQ(internet.ProxyServer(), "http=proxy<1>:80");
  EXPECT_EQ(internet.ConnectionType(), ctLAN);
  TReportList list;
  internet.Report(list, false);
  EXPECT_EQ(test::ElementLines(list, "Internet"),
            (std::vector<std::string>{
                "<Internet classname=\"TInternet\">",
                "<data name=\"DefaultBrowser\" type=\"string\">C:\\Program Files\\Internet Explorer\\iexplore.exe</data>",
                "<data name=\"DfaultMailClient\" type=\"string\">C:\\WINDOWS\\system32\\rundll32.exe</data>",
                "<data name=\"Connection\" type=\"string\">LAN</data>",
                "<data name=\"ProxyServer\" type=\"string\">http=proxy&lt;1&gt;:80</data>",
                "</Internet>"}));
  EXPECT_EQ(TInternet::GetConnectionTypeStr(ctDialup), "Dialup");
  EXPECT_EQ(TInternet::GetConnectionTypeStr(ctNone), "None");
}

TEST(TInternet, NothingConfigured) {
  sim::SimMachine m;
  m.internet.ras.reset();
  test::TestMachine machine(m);
  TInternet internet;
  internet.GetInfo();
  TReportList list;
  internet.Report(list, true);
  EXPECT_EQ(test::ReportValue(list, "Internet", "DefaultBrowser"), "");
  EXPECT_EQ(test::ReportValue(list, "Internet", "Connection"), "None");
  EXPECT_EQ(test::ReportValue(list, "Internet", "ProxyServer"), "");
}

}  // namespace
}  // namespace nsx
