// The TCP connection of the Windows programs: Windows Sockets 1.1 (wsock32,
// on every Windows from 95 and NT 3.5 on), the socket non-blocking and
// every wait a select() bounded by what is left of the step's time.
#include <winsock.h>
#include <windows.h>

#include <cstring>
#include <memory>

#include "../Socket.h"

namespace nsx::platform {

namespace {

// GetTickCount's milliseconds; the unsigned difference survives its wrap.
class Deadline {
 public:
  explicit Deadline(unsigned timeoutMs) : start_(::GetTickCount()), timeoutMs_(timeoutMs) {}
  unsigned Left() const {
    DWORD passed = ::GetTickCount() - start_;
    return passed >= timeoutMs_ ? 0 : static_cast<unsigned>(timeoutMs_ - passed);
  }

 private:
  DWORD start_;
  DWORD timeoutMs_;
};

// WSAStartup for version 1.1, undone with WSACleanup when it succeeded.
class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data;
    std::memset(&data, 0, sizeof data);
    started_ = ::WSAStartup(MAKEWORD(1, 1), &data) == 0;
    error_ = started_ ? 0 : ::WSAGetLastError();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  ~WinsockSession() {
    if (started_) ::WSACleanup();
  }
  bool Started() const { return started_; }
  int Error() const { return error_; }

 private:
  bool started_ = false;
  int error_ = 0;
};

class SocketHandle {
 public:
  SocketHandle() : socket_(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
  SocketHandle(const SocketHandle&) = delete;
  SocketHandle& operator=(const SocketHandle&) = delete;
  ~SocketHandle() {
    if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
  }
  SOCKET get() const { return socket_; }

 private:
  SOCKET socket_;
};

TNetStatus FromError(int error) {
  switch (error) {
    case WSAECONNREFUSED: return {TNetResult::refused, error};
    case WSAETIMEDOUT: return {TNetResult::timedOut, error};
    case WSAECONNRESET: case WSAECONNABORTED: case WSAENETDOWN: case WSAENETUNREACH:
    case WSAEHOSTUNREACH: case WSAENETRESET: case WSAESHUTDOWN:
      return {TNetResult::lost, error};
    default: return {TNetResult::failed, error};
  }
}

enum class TWaitFor { read, write, connect };

// Waits until the socket is ready or the deadline passes. A connection
// attempt that fails shows in the exception set (Windows) or as writable
// with an error (elsewhere); SO_ERROR tells which error.
TNetStatus WaitFor(SOCKET socket, TWaitFor what, const Deadline& deadline) {
  fd_set ready, failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(socket, &ready);
  FD_SET(socket, &failed);
  unsigned left = deadline.Left();
  timeval wait;
  wait.tv_sec = static_cast<long>(left / 1000);
  wait.tv_usec = static_cast<long>((left % 1000) * 1000);
  int count = ::select(0, what == TWaitFor::read ? &ready : nullptr, what == TWaitFor::read ? nullptr : &ready,
                       &failed, &wait);
  if (count == 0) return {TNetResult::timedOut, 0};
  if (count == SOCKET_ERROR) return FromError(::WSAGetLastError());
  // One socket in each set: a set that still holds it is the one that fired
  // (its count, so that no __WSAFDIsSet is needed).
  if (failed.fd_count > 0 || what == TWaitFor::connect) {
    int error = 0;
    int size = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) == SOCKET_ERROR)
      error = ::WSAGetLastError();
    if (error != 0) return FromError(error);
    if (failed.fd_count > 0) return {TNetResult::failed, 0};
  }
  return {};
}

bool WouldBlock(int error) { return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS || error == WSAEINTR; }

class Win32Connection final : public TcpConnection {
 public:
  Win32Connection() = default;
  bool Started() const { return winsock_.Started(); }
  int StartError() const { return winsock_.Error(); }
  SOCKET Socket() const { return socket_.get(); }

  TNetStatus SendAll(const std::string& bytes, unsigned timeoutMs) override {
    Deadline deadline(timeoutMs);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
      if (TNetStatus ready = WaitFor(Socket(), TWaitFor::write, deadline); !ready.Ok()) return ready;
      std::size_t chunk = bytes.size() - sent;
      if (chunk > 65536) chunk = 65536;
      int n = ::send(Socket(), bytes.data() + sent, static_cast<int>(chunk), 0);
      if (n > 0) {
        sent += static_cast<std::size_t>(n);
      } else if (n == SOCKET_ERROR && !WouldBlock(::WSAGetLastError())) {
        return FromError(::WSAGetLastError());
      }
    }
    return {};
  }

  TNetStatus ReceiveAll(std::string& received, std::size_t limit, unsigned timeoutMs,
                        const TAnswerComplete& complete) override {
    Deadline deadline(timeoutMs);
    char buffer[4096];
    for (;;) {
      if (complete && complete(received)) return {};
      if (TNetStatus ready = WaitFor(Socket(), TWaitFor::read, deadline); !ready.Ok()) return ready;
      int n = ::recv(Socket(), buffer, sizeof buffer, 0);
      if (n == 0) return {};
      if (n == SOCKET_ERROR) {
        int error = ::WSAGetLastError();
        if (WouldBlock(error)) continue;
        return FromError(error);
      }
      if (received.size() + static_cast<std::size_t>(n) > limit) return {TNetResult::tooLarge, 0};
      received.append(buffer, static_cast<std::size_t>(n));
    }
  }

 private:
  WinsockSession winsock_;  // first made, last undone: the socket closes before WSACleanup
  SocketHandle socket_;
};

// The IPv4 address of `host`: dotted digits as they are, else the resolver's first.
TNetStatus Resolve(const std::string& host, in_addr& address) {
  unsigned long numeric = ::inet_addr(host.c_str());
  if (numeric != INADDR_NONE) {
    address.s_addr = numeric;
    return {};
  }
  const hostent* entry = ::gethostbyname(host.c_str());
  if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list || !entry->h_addr_list[0])
    return {TNetResult::unknownHost, entry ? 0 : ::WSAGetLastError()};
  std::memcpy(&address, entry->h_addr_list[0], sizeof address);
  return {};
}

}  // namespace

TConnectResult ConnectTcp(const std::string& host, std::uint16_t port, unsigned timeoutMs) {
  TConnectResult result;
  auto connection = std::make_unique<Win32Connection>();
  if (!connection->Started()) {
    result.status = {TNetResult::failed, connection->StartError()};
    return result;
  }
  sockaddr_in target;
  std::memset(&target, 0, sizeof target);
  target.sin_family = AF_INET;
  target.sin_port = ::htons(port);
  if (result.status = Resolve(host, target.sin_addr); !result.status.Ok()) return result;

  SOCKET socket = connection->Socket();
  u_long nonBlocking = 1;
  if (socket == INVALID_SOCKET || ::ioctlsocket(socket, FIONBIO, &nonBlocking) == SOCKET_ERROR) {
    result.status = FromError(::WSAGetLastError());
    return result;
  }
  Deadline deadline(timeoutMs);
  if (::connect(socket, reinterpret_cast<const sockaddr*>(&target), sizeof target) == SOCKET_ERROR) {
    int error = ::WSAGetLastError();
    if (!WouldBlock(error)) {
      result.status = FromError(error);
      return result;
    }
    if (result.status = WaitFor(socket, TWaitFor::connect, deadline); !result.status.Ok()) return result;
  }
  result.connection = std::move(connection);
  return result;
}

}  // namespace nsx::platform
