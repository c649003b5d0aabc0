// Delivering an inventory: the server addresses accepted and refused, the
// request's bytes, reading HTTP answers whole or broken, the verdict on the
// OCS reply, and the socket layer's bounds (time and size) on loopback.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "delivery/Delivery.h"
#include "delivery/HttpAnswer.h"
#include "delivery/HttpRequest.h"
#include "delivery/HttpUrl.h"
#include "platform/Socket.h"

namespace nsx::delivery {
namespace {

TEST(ParseHttpUrl, AcceptsHostPortAndPath) {
  struct Case {
    const char* text;
    const char* host;
    int port;
    const char* path;
  } cases[] = {
      // text                                      host         port  path
      {"http://127.0.0.1:8080/ocsinventory", "127.0.0.1", 8080, "/ocsinventory"},
      {"HTTP://ocs.example.org/ocsinventory", "ocs.example.org", 80, "/ocsinventory"},
      {"http://ocs", "ocs", 80, "/"},
      {"http://ocs:65535", "ocs", 65535, "/"},
      {"http://ocs?a=1", "ocs", 80, "/?a=1"},
      {"http://ocs/x/y?a=1#top", "ocs", 80, "/x/y?a=1"},
      {"http://my_host-1.lan/", "my_host-1.lan", 80, "/"},
  };
  for (const Case& c : cases) {
    TUrlParse parse = ParseHttpUrl(c.text);
    ASSERT_TRUE(parse.url) << c.text << ": " << parse.problem;
    EXPECT_EQ(parse.url->host, c.host) << c.text;
    EXPECT_EQ(parse.url->port, c.port) << c.text;
    EXPECT_EQ(parse.url->path, c.path) << c.text;
  }
}

TEST(ParseHttpUrl, RefusesWhatItCannotSpeakSayingWhy) {
  struct Case {
    const char* text;
    const char* saying;
  } cases[] = {
      // text                                  words of the problem
      {"https://127.0.0.1/ocsinventory", "HTTPS is not supported"},
      {"HTTPS://ocs/", "HTTPS is not supported"},
      {"ftp://ocs/", "must begin with http://"},
      {"127.0.0.1:8080/ocsinventory", "must begin with http://"},
      {"", "must begin with http://"},
      {"http://", "names no host"},
      {"http://:80/", "names no host"},
      {"http://user:pw@ocs/", "user name"},
      {"http://[::1]:80/", "IPv6"},
      {"http://ocs:0/", "port"},
      {"http://ocs:65536/", "port"},
      {"http://ocs:/", "port"},
      {"http://ocs:8o/", "port"},
      {"http://ocs:0000080/", "port"},
      {"http://oc s/", "host name is not valid"},
      {"http://ocs/a b", "blank or control"},
      {"http://ocs/a\r\nHost: evil", "blank or control"},
  };
  for (const Case& c : cases) {
    TUrlParse parse = ParseHttpUrl(c.text);
    EXPECT_FALSE(parse.url) << c.text;
    EXPECT_NE(parse.problem.find(c.saying), std::string::npos) << c.text << ": " << parse.problem;
    EXPECT_EQ(parse.problem.find('\n'), std::string::npos) << "one line: " << c.text;
  }
}

TEST(BuildPostRequest, HttpOnePointZeroWithTheBodyItsLengthNames) {
  THttpUrl url{"127.0.0.1", 8080, "/ocsinventory"};
  std::string body = "<?xml version=\"1.0\"?>\r\n<REQUEST>\xE9</REQUEST>";
  std::string request = BuildPostRequest(url, body, "application/x-compress", kUserAgent);
  std::size_t head = request.find("\r\n\r\n");
  ASSERT_NE(head, std::string::npos);
  EXPECT_EQ(request.substr(head + 4), body);
  EXPECT_EQ(request.compare(0, 35, "POST /ocsinventory HTTP/1.0\r\nHost: "), 0);
  std::string headers = request.substr(0, head + 2);
  EXPECT_NE(headers.find("\r\nHost: 127.0.0.1:8080\r\n"), std::string::npos);
  EXPECT_NE(headers.find("\r\nContent-Length: " + std::to_string(body.size()) + "\r\n"), std::string::npos);
  EXPECT_NE(headers.find("\r\nContent-Type: application/x-compress\r\n"), std::string::npos);
  EXPECT_NE(headers.find("\r\nUser-Agent: sysinspect-report/1.0\r\n"), std::string::npos);
  // The default port is not named.
  std::string plain = BuildPostRequest(THttpUrl{"ocs", 80, "/"}, "", "text/xml", kUserAgent);
  EXPECT_NE(plain.find("\r\nHost: ocs\r\n"), std::string::npos);
  EXPECT_NE(plain.find("\r\nContent-Length: 0\r\n\r\n"), std::string::npos);
}

const char kReply[] = "<?xml version='1.0' encoding='UTF-8'?>\n<REPLY>\n  <RESPONSE>NO_ACCOUNT_UPDATE</RESPONSE>\n</REPLY>\n";

std::string Answer(const std::string& statusLine, const std::string& headers, const std::string& body) {
  return statusLine + "\r\n" + headers + "\r\n" + body;
}

TEST(ParseHttpAnswer, ReadsStatusHeadersAndTheBodyContentLengthBounds) {
  std::string body = kReply;
  TAnswerParse parse = ParseHttpAnswer(Answer(
      "HTTP/1.1 200 OK", "Date: x\r\ncontent-length:  " + std::to_string(body.size()) + " \r\nX-Empty:\r\n",
      body + "trailing bytes past the length"));
  ASSERT_TRUE(parse.answer) << parse.problem;
  EXPECT_EQ(parse.answer->status, 200);
  EXPECT_EQ(parse.answer->reason, "OK");
  EXPECT_EQ(parse.answer->body, body);
  EXPECT_EQ(parse.answer->Header("Content-Length").value_or(""), std::to_string(body.size()));
  EXPECT_EQ(parse.answer->Header("x-empty").value_or("absent"), "");
  EXPECT_FALSE(parse.answer->Header("Server"));

  // Without Content-Length the body is all until the close; bare LF lines and
  // a status line without reason are read too.
  parse = ParseHttpAnswer("HTTP/1.0 500\nServer: x\n\nfailed");
  ASSERT_TRUE(parse.answer) << parse.problem;
  EXPECT_EQ(parse.answer->status, 500);
  EXPECT_EQ(parse.answer->reason, "");
  EXPECT_EQ(parse.answer->body, "failed");
}

TEST(ParseHttpAnswer, BrokenAnswersAreProblemsNotAnswers) {
  struct Case {
    std::string bytes;
    const char* saying;
  } cases[] = {
      {"", "without answering"},
      {"<REPLY><RESPONSE>NO_ACCOUNT_UPDATE</RESPONSE></REPLY>", "no HTTP status line"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n", "cut short in its headers"},
      {"HTTP/1.1 200 OK", "cut short in its headers"},
      {"HTTP/1.1 2000 OK\r\n\r\n", "no HTTP status line"},
      {"HTTP/1.1 20 OK\r\n\r\n", "no HTTP status line"},
      {"HTTP/1.1 099 Low\r\n\r\n", "no HTTP status line"},
      {"HTTP/1.1 OK 200\r\n\r\n", "no HTTP status line"},
      {"SMTP/1.1 200 OK\r\n\r\n", "no HTTP status line"},
      {"HTTP/1.1 200 OK\r\nno colon here\r\n\r\n", "malformed header"},
      {"HTTP/1.1 200 OK\r\n: empty name\r\n\r\n", "malformed header"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n<REPLY>", "cut short: 7 of 100"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\nx", "invalid Content-Length"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 999999999999999\r\n\r\nx", "cut short: 1 of 999999999999999"},
      {"HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\nx", "invalid Content-Length"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 0x10\r\n\r\nx", "invalid Content-Length"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nxx", "invalid Content-Length"},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n", "transfer coding"},
  };
  for (const Case& c : cases) {
    TAnswerParse parse = ParseHttpAnswer(c.bytes);
    EXPECT_FALSE(parse.answer) << c.bytes;
    EXPECT_NE(parse.problem.find(c.saying), std::string::npos) << c.bytes << ": " << parse.problem;
  }
}

TEST(HttpAnswerComplete, OnlyOnceHeadersAndTheCountedBodyAreIn) {
  std::string whole = Answer("HTTP/1.1 200 OK", "Content-Length: 5\r\n", "hello");
  for (std::size_t cut = 0; cut < whole.size(); ++cut) EXPECT_FALSE(HttpAnswerComplete(whole.substr(0, cut))) << cut;
  EXPECT_TRUE(HttpAnswerComplete(whole));
  // Without a length only the close ends the answer.
  EXPECT_FALSE(HttpAnswerComplete(Answer("HTTP/1.0 200 OK", "", "hello")));
  EXPECT_FALSE(HttpAnswerComplete(Answer("HTTP/1.0 200 OK", "Content-Length: 99999999999999999999\r\n", "x")));
}

TEST(JudgeAnswer, StoredOnlyForTheTwoRepliesThatSaySo) {
  struct Case {
    std::string bytes;
    TDeliveryOutcome outcome;
    std::string saying;
  } cases[] = {
      {Answer("HTTP/1.1 200 OK", "", kReply), TDeliveryOutcome::stored, "(NO_ACCOUNT_UPDATE)"},
      {Answer("HTTP/1.1 200 OK", "", "<REPLY><RESPONSE> ACCOUNT_UPDATE </RESPONSE></REPLY>"),
       TDeliveryOutcome::stored, "(ACCOUNT_UPDATE)"},
      {Answer("HTTP/1.1 500 Internal Server Error", "", "<html>oops</html>"), TDeliveryOutcome::refused,
       "server refused the inventory: HTTP 500 Internal Server Error"},
      {Answer("HTTP/1.1 400 Bad Request", "", ""), TDeliveryOutcome::refused, "HTTP 400 Bad Request"},
      {Answer("HTTP/1.1 302 Found", "Location: /x\r\n", kReply), TDeliveryOutcome::refused, "HTTP 302"},
      {Answer("HTTP/1.1 200 OK", "", "<REPLY><RESPONSE>STOP</RESPONSE></REPLY>"), TDeliveryOutcome::refused,
       "it answered STOP"},
      {Answer("HTTP/1.1 200 OK", "", "<html>a web page</html>"), TDeliveryOutcome::refused, "no OCS reply"},
      {Answer("HTTP/1.1 200 OK", "", "<RESPONSE>NO_ACCOUNT_UPDATE</RESPONSE>"), TDeliveryOutcome::refused,
       "no OCS reply"},
      {Answer("HTTP/1.1 200 OK", "", "<REPLY><RESPONSE>NO_ACCOUNT_UPDATE"), TDeliveryOutcome::refused,
       "no OCS reply"},
      {Answer("HTTP/1.1 200 OK", "Content-Length: 500\r\n", kReply), TDeliveryOutcome::refused, "cut short"},
      {"garbage", TDeliveryOutcome::refused, "no HTTP status line"},
      // What the server says is quoted on one short line.
      {Answer("HTTP/1.1 503 Busy\x1b[2J", "", ""), TDeliveryOutcome::refused, "HTTP 503 Busy?[2J"},
      {Answer("HTTP/1.1 200 OK", "", "<REPLY><RESPONSE>BAD\nLINE</RESPONSE></REPLY>"), TDeliveryOutcome::refused,
       "it answered BAD?LINE"},
      {Answer("HTTP/1.1 200 OK", "", "<REPLY><RESPONSE>" + std::string(500, 'X') + "</RESPONSE></REPLY>"),
       TDeliveryOutcome::refused, "it answered " + std::string(80, 'X') + "..."},
  };
  for (const Case& c : cases) {
    TDeliveryResult result = JudgeAnswer(c.bytes);
    EXPECT_EQ(result.outcome, c.outcome) << c.bytes;
    EXPECT_EQ(result.message.find('\n'), std::string::npos) << result.message;
    EXPECT_NE(result.message.find(c.saying), std::string::npos) << c.bytes << ": " << result.message;
  }
}

// A loopback listener on a port of its own, closed at the end of the scope.
class Listener {
 public:
  Listener() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) == 0 && ::listen(fd_, 4) == 0 &&
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
      port_ = ntohs(address.sin_port);
  }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  ~Listener() { ::close(fd_); }
  std::uint16_t Port() const { return port_; }
  int Fd() const { return fd_; }

 private:
  int fd_;
  std::uint16_t port_ = 0;
};

// The peer's side of one connection: `bytes` sent, then held open `holdMs`.
void ServeOnce(int listener, std::string bytes, int holdMs) {
  int peer = ::accept(listener, nullptr, nullptr);
  if (peer < 0) return;
  if (!bytes.empty()) (void)::send(peer, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
  ::close(peer);
}

TEST(ConnectTcp, EachWaitEndsWithinItsBound) {
  using platform::TNetResult;
  {  // Nothing listening: refused at once.
    std::uint16_t port;
    {
      Listener gone;
      port = gone.Port();
    }
    EXPECT_EQ(platform::ConnectTcp("127.0.0.1", port, 2000).status.result, TNetResult::refused);
  }
  EXPECT_EQ(platform::ConnectTcp("nonexistent.invalid", 80, 2000).status.result, TNetResult::unknownHost);

  struct Case {
    const char* what;
    std::string sent;
    std::size_t limit;
    platform::TAnswerComplete complete;
    TNetResult result;
  } cases[] = {
      // what                     peer sends            limit  complete when       result
      {"silent peer", "", 1000, nullptr, TNetResult::timedOut},
      {"more than the bound", std::string(5000, 'x'), 4000, nullptr, TNetResult::tooLarge},
      {"whole answer, peer open", Answer("HTTP/1.0 200 OK", "Content-Length: 2\r\n", "ok"), 1000,
       HttpAnswerComplete, TNetResult::ok},
  };
  for (const Case& c : cases) {
    Listener listener;
    ASSERT_NE(listener.Port(), 0);
    std::thread peer(ServeOnce, listener.Fd(), c.sent, 800);
    platform::TConnectResult connected = platform::ConnectTcp("127.0.0.1", listener.Port(), 2000);
    ASSERT_TRUE(connected.status.Ok()) << c.what;
    std::string received;
    auto start = std::chrono::steady_clock::now();
    platform::TNetStatus status = connected.connection->ReceiveAll(received, c.limit, 300, c.complete);
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(status.result, c.result) << c.what;
    EXPECT_LE(received.size(), c.limit) << c.what;
    if (c.result == TNetResult::ok) EXPECT_EQ(received.size(), c.sent.size()) << c.what;
    EXPECT_LT(took, std::chrono::milliseconds(1000)) << c.what << ": the wait outlived its bound";
    peer.join();
  }
}

}  // namespace
}  // namespace nsx::delivery
