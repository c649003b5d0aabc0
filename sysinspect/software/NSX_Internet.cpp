#include "NSX_Internet.h"

namespace nsx {
namespace {

const char* const kConnectionTypeNames[] = {"None", "LAN", "Dialup"};

}  // namespace

std::string TInternet::GetConnectionTypeStr(TConnectionType type) {
  return type >= ctNone && type <= ctDialup ? kConnectionTypeNames[type] : "";
}

void TInternet::GetInfo() {
  defaultBrowser_ = GetDefaultBrowser();
  defaultMailClient_ = GetDefaultMailClient();
  connectionType_ = GetConnectionType();
  proxyServer_ = GetProxyServer();
}

void TInternet::Report(TReportList& list, bool standalone) {
  if (standalone) WriteReportHeader(list);
  WriteElementStart(list, "Internet", ClassName());
  WriteString(list, "DefaultBrowser", defaultBrowser_);
  WriteString(list, "DfaultMailClient", defaultMailClient_);  // the name readers of the report know
  WriteString(list, "Connection", GetConnectionTypeStr(connectionType_));
  WriteString(list, "ProxyServer", proxyServer_);
  WriteElementEnd(list, "Internet");
  if (standalone) WriteReportFooter(list);
}

}  // namespace nsx
