// TInternet: the default web browser and mail client, the proxy server and
// how the machine reaches the internet.
#pragma once
#include <string>

#include "../core/NSX_Common.h"
#include "../core/Norvik_Internet.h"

namespace nsx {

class TInternet : public TTopic {
 public:
  void GetInfo();
  void Report(TReportList& list, bool standalone) override;
  std::string ClassName() const override { return "TInternet"; }

  // "None", "LAN" or "Dialup".
  static std::string GetConnectionTypeStr(TConnectionType type);

  const std::string& DefaultBrowser() const { return defaultBrowser_; }
  const std::string& DefaultMailClient() const { return defaultMailClient_; }
  TConnectionType ConnectionType() const { return connectionType_; }
  const std::string& ProxyServer() const { return proxyServer_; }

 private:
  std::string defaultBrowser_;
  std::string defaultMailClient_;
  TConnectionType connectionType_ = ctNone;
  std::string proxyServer_;
};

}  // namespace nsx
