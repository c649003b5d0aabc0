// Reading a server's HTTP answer from the bytes received: status line,
// headers and body, with the body's length checked against Content-Length
// so that an answer cut short is never taken for a whole one.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace nsx::delivery {

struct THttpAnswer {
  int status = 0;      // 100..999
  std::string reason;  // the status line's text after the code
  std::vector<std::pair<std::string, std::string>> headers;  // in order, values trimmed
  std::string body;

  // The first header of that name (compared without regard to case), or nothing.
  std::optional<std::string> Header(const std::string& name) const;
};

struct TAnswerParse {
  std::optional<THttpAnswer> answer;  // set when the bytes are a whole answer
  std::string problem;                // one line saying what is wrong, otherwise
};

// The answer in `bytes`, all that came before the server closed.
TAnswerParse ParseHttpAnswer(const std::string& bytes);

// True when `bytes` already hold the headers and as many body bytes as
// Content-Length says (without Content-Length the end is the close).
bool HttpAnswerComplete(const std::string& bytes);

}  // namespace nsx::delivery
