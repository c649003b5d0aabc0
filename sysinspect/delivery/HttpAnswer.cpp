#include "HttpAnswer.h"

#include <cctype>
#include <cstdint>

namespace nsx::delivery {

namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::string Trim(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Where the header block ends and the body begins; npos when not yet.
// Bare LF line ends are accepted, as clients commonly do.
struct THeadEnd {
  std::size_t headEnd = std::string::npos;
  std::size_t bodyStart = std::string::npos;
};

THeadEnd FindHeadEnd(const std::string& bytes) {
  for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
    std::size_t next = i + 1;
    if (next < bytes.size() && bytes[next] == '\r') ++next;
    if (next < bytes.size() && bytes[next] == '\n') return {i, next + 1};
  }
  return {};
}

// Content-Length as a number; nothing when absent; `valid` false when it is
// no plain decimal count (or more than any answer we accept could hold).
std::optional<std::uint64_t> ContentLength(const THttpAnswer& answer, bool& valid) {
  valid = true;
  std::optional<std::uint64_t> length;
  for (const auto& header : answer.headers) {
    if (!EqualNoCase(header.first, "Content-Length")) continue;
    const std::string& digits = header.second;
    std::uint64_t value = 0;
    if (digits.empty() || digits.size() > 15) valid = false;
    for (char c : digits) {
      if (!std::isdigit(static_cast<unsigned char>(c))) valid = false;
      value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (!valid || (length && *length != value)) {
      valid = false;
      return std::nullopt;
    }
    length = value;
  }
  return length;
}

// Status line "HTTP/x.y NNN reason" and the header lines of `head`.
bool ReadHead(const std::string& head, THttpAnswer& answer, std::string& problem) {
  std::size_t lineEnd = head.find('\n');
  std::string statusLine = head.substr(0, lineEnd);
  if (!statusLine.empty() && statusLine.back() == '\r') statusLine.pop_back();
  if (statusLine.compare(0, 5, "HTTP/") != 0 || statusLine.size() < 12 || statusLine[8] != ' ' ||
      !std::isdigit(static_cast<unsigned char>(statusLine[9])) || statusLine[9] == '0' ||
      !std::isdigit(static_cast<unsigned char>(statusLine[10])) ||
      !std::isdigit(static_cast<unsigned char>(statusLine[11])) ||
      (statusLine.size() > 12 && statusLine[12] != ' ')) {
    problem = "the server's answer has no HTTP status line";
    return false;
  }
  answer.status = (statusLine[9] - '0') * 100 + (statusLine[10] - '0') * 10 + (statusLine[11] - '0');
  answer.reason = Trim(statusLine.size() > 12 ? statusLine.substr(13) : std::string());

  std::size_t start = lineEnd == std::string::npos ? head.size() : lineEnd + 1;
  while (start < head.size()) {
    std::size_t end = head.find('\n', start);
    if (end == std::string::npos) end = head.size();
    std::string line = head.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (line.empty()) continue;
    std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string::npos || line[0] == ' ' || line[0] == '\t') {
      problem = "the server's answer has a malformed header line";
      return false;
    }
    answer.headers.emplace_back(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
  }
  return true;
}

}  // namespace

std::optional<std::string> THttpAnswer::Header(const std::string& name) const {
  for (const auto& header : headers)
    if (EqualNoCase(header.first, name)) return header.second;
  return std::nullopt;
}

TAnswerParse ParseHttpAnswer(const std::string& bytes) {
  TAnswerParse parse;
  if (bytes.empty()) {
    parse.problem = "the server closed the connection without answering";
    return parse;
  }
  THeadEnd end = FindHeadEnd(bytes);
  if (end.headEnd == std::string::npos) {
    parse.problem = bytes.compare(0, 5, "HTTP/") == 0 ? "the server's answer is cut short in its headers"
                                                       : "the server's answer has no HTTP status line";
    return parse;
  }
  THttpAnswer answer;
  if (!ReadHead(bytes.substr(0, end.headEnd), answer, parse.problem)) return parse;

  bool valid = true;
  std::optional<std::uint64_t> length = ContentLength(answer, valid);
  if (!valid) {
    parse.problem = "the server's answer has an invalid Content-Length";
    return parse;
  }
  if (auto coding = answer.Header("Transfer-Encoding"); coding && !EqualNoCase(*coding, "identity")) {
    parse.problem = "the server's answer uses a transfer coding this program does not read (" + *coding + ")";
    return parse;
  }
  std::size_t available = bytes.size() - end.bodyStart;
  if (length && *length > available) {
    parse.problem = "the server's answer is cut short: " + std::to_string(available) + " of " +
                    std::to_string(*length) + " body bytes";
    return parse;
  }
  answer.body = bytes.substr(end.bodyStart, length ? static_cast<std::size_t>(*length) : std::string::npos);
  parse.answer = std::move(answer);
  return parse;
}

bool HttpAnswerComplete(const std::string& bytes) {
  THeadEnd end = FindHeadEnd(bytes);
  if (end.headEnd == std::string::npos) return false;
  THttpAnswer answer;
  std::string problem;
  if (!ReadHead(bytes.substr(0, end.headEnd), answer, problem)) return false;
  bool valid = true;
  std::optional<std::uint64_t> length = ContentLength(answer, valid);
  return valid && length && bytes.size() - end.bodyStart >= *length;
}

}  // namespace nsx::delivery
