// The TCP connection of the native reporter: BSD sockets, non-blocking,
// every wait a poll() bounded by what is left of the step's time.
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <memory>

#include "../Socket.h"

namespace nsx::platform {

namespace {

using Clock = std::chrono::steady_clock;

class Deadline {
 public:
  explicit Deadline(unsigned timeoutMs) : end_(Clock::now() + std::chrono::milliseconds(timeoutMs)) {}
  // Milliseconds left, 0 once passed.
  int Left() const {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end_ - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
  }

 private:
  Clock::time_point end_;
};

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

TNetStatus FromErrno(int error) {
  switch (error) {
    case ECONNREFUSED: return {TNetResult::refused, error};
    case ETIMEDOUT: return {TNetResult::timedOut, error};
    case ECONNRESET: case EPIPE: case ENETDOWN: case ENETUNREACH: case EHOSTUNREACH: case ECONNABORTED:
      return {TNetResult::lost, error};
    default: return {TNetResult::failed, error};
  }
}

// Waits until `fd` is ready for `events` or the deadline passes.
TNetStatus WaitFor(int fd, short events, const Deadline& deadline) {
  for (;;) {
    pollfd entry{fd, events, 0};
    int ready = ::poll(&entry, 1, deadline.Left());
    if (ready > 0) return {};
    if (ready == 0) return {TNetResult::timedOut, 0};
    if (errno != EINTR) return FromErrno(errno);
  }
}

class PosixConnection final : public TcpConnection {
 public:
  explicit PosixConnection(int fd) : fd_(fd) {}
  int Descriptor() const { return fd_.get(); }

  TNetStatus SendAll(const std::string& bytes, unsigned timeoutMs) override {
    Deadline deadline(timeoutMs);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
      if (TNetStatus ready = WaitFor(fd_.get(), POLLOUT, deadline); !ready.Ok()) return ready;
      ssize_t n = ::send(fd_.get(), bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n > 0) {
        sent += static_cast<std::size_t>(n);
      } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
        return FromErrno(errno);
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
      if (TNetStatus ready = WaitFor(fd_.get(), POLLIN, deadline); !ready.Ok()) return ready;
      ssize_t n = ::recv(fd_.get(), buffer, sizeof buffer, 0);
      if (n == 0) return {};
      if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) continue;
        return FromErrno(errno);
      }
      if (received.size() + static_cast<std::size_t>(n) > limit) return {TNetResult::tooLarge, 0};
      received.append(buffer, static_cast<std::size_t>(n));
    }
  }

 private:
  FileDescriptor fd_;
};

// The first IPv4 address of `host`, or why there is none.
TNetStatus Resolve(const std::string& host, in_addr& address) {
  if (::inet_pton(AF_INET, host.c_str(), &address) == 1) return {};
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* list = nullptr;
  int error = ::getaddrinfo(host.c_str(), nullptr, &hints, &list);
  std::unique_ptr<addrinfo, void (*)(addrinfo*)> found(list, &::freeaddrinfo);
  if (error != 0 || !found) return {TNetResult::unknownHost, error};
  address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
  return {};
}

}  // namespace

TConnectResult ConnectTcp(const std::string& host, std::uint16_t port, unsigned timeoutMs) {
  TConnectResult result;
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(port);
  if (result.status = Resolve(host, target.sin_addr); !result.status.Ok()) return result;

  auto connection = std::make_unique<PosixConnection>(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  int fd = connection->Descriptor();
  if (fd < 0 || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK) < 0) {
    result.status = FromErrno(errno);
    return result;
  }
  Deadline deadline(timeoutMs);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) < 0) {
    if (errno != EINPROGRESS && errno != EINTR) {
      result.status = FromErrno(errno);
      return result;
    }
    if (result.status = WaitFor(fd, POLLOUT, deadline); !result.status.Ok()) return result;
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) < 0) error = errno;
    if (error != 0) {
      result.status = FromErrno(error);
      return result;
    }
  }
  result.connection = std::move(connection);
  return result;
}

}  // namespace nsx::platform
