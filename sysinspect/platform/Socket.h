// A TCP connection to a server, for delivering inventories: connect, send
// everything, read the answer until the server closes. Every wait is
// bounded; platform/win32 implements it over Windows Sockets 1.1,
// platform/posix over BSD sockets.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace nsx::platform {

enum class TNetResult {
  ok,
  unknownHost,  // the name resolves to no address
  refused,      // nothing listens there
  timedOut,     // the wait's bound passed
  lost,         // the connection broke (reset, network down)
  tooLarge,     // the peer sent more than the bound allows
  failed,       // any other error of the system
};

struct TNetStatus {
  TNetResult result = TNetResult::ok;
  int systemError = 0;  // the system's error number, where there is one
  bool Ok() const { return result == TNetResult::ok; }
};

// True once the bytes received so far hold a whole answer (reading may stop).
using TAnswerComplete = std::function<bool(const std::string& received)>;

class TcpConnection {
 public:
  virtual ~TcpConnection() = default;
  // Sends every byte within `timeoutMs` in all.
  virtual TNetStatus SendAll(const std::string& bytes, unsigned timeoutMs) = 0;
  // Appends what arrives to `received` until the peer closes or `complete`
  // (when given) says the answer is whole, within `timeoutMs` in all;
  // tooLarge once more than `limit` bytes came.
  virtual TNetStatus ReceiveAll(std::string& received, std::size_t limit, unsigned timeoutMs,
                                const TAnswerComplete& complete) = 0;
};

struct TConnectResult {
  TNetStatus status;
  std::unique_ptr<TcpConnection> connection;  // set when status is ok
};

// Resolves `host` (a name or a dotted IPv4 address) and connects within
// `timeoutMs` (the name lookup is the system's and not bounded by it).
// Each build links one: the program hands it to whoever delivers.
TConnectResult ConnectTcp(const std::string& host, std::uint16_t port, unsigned timeoutMs);
using TConnector = TConnectResult (*)(const std::string& host, std::uint16_t port, unsigned timeoutMs);

}  // namespace nsx::platform
