// The programs and connection the internet settings name: the default web
// browser and mail client (the program of their shell command), the proxy
// server and whether the internet is reached through a LAN proxy or a
// dial-up connection.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "../platform/Registry.h"
#include "Norvik_Routines.h"

namespace nsx {

enum TConnectionType { ctNone = 0, ctLAN = 1, ctDialup = 2 };

std::string GetDefaultBrowser();
std::string GetDefaultMailClient();
std::string GetProxyServer();
TConnectionType GetConnectionType();
int GetRASConnectionCount();

// The longest prefix of the expanded command line that names an existing
// file, without its quotes; empty when none does.
std::string FindExistingFile(const std::string& commandLine);
std::string FindExistingFile(const std::string& commandLine, const TStringList& environment,
                             const std::function<bool(const std::string&)>& fileExists);

// Environment references in the text replaced by their values: "%NAME%"
// (case-sensitive), or failing that "\NAME", first occurrence of each name.
std::string ExpandEnvVars(const std::string& text);
std::string ExpandEnvVars(const std::string& text, const TStringList& environment);

// The text without its enclosing quotes when it starts and ends with one.
std::string Dequote(const std::string& text, char quote);

// "ProxyEnable" as the proxy test reads it: the first four bytes of binary
// data, or a DWORD; nothing for any other type (the test then fails).
std::optional<bool> ProxyEnableFlag(const platform::RegValue& value);

// The connection kind from the proxy test and the number of dial-up
// connections: a LAN proxy wins over a dial-up connection.
TConnectionType ConnectionTypeOf(bool proxyInUse, int rasConnections);

}  // namespace nsx
