#include "Delivery.h"

#include "HttpAnswer.h"
#include "HttpRequest.h"

namespace nsx::delivery {

const char kUserAgent[] = "sysinspect-report/1.0";

namespace {

std::string Seconds(unsigned seconds) { return std::to_string(seconds) + " s"; }

std::string SystemError(const platform::TNetStatus& status) {
  return status.systemError ? " (error " + std::to_string(status.systemError) + ")" : std::string();
}

TDeliveryResult Failure(TDeliveryOutcome outcome, const std::string& message) { return {outcome, message}; }

// What went wrong in a step of the exchange with the server at `where`.
TDeliveryResult NetFailure(const platform::TNetStatus& status, const std::string& where, const std::string& step,
                           unsigned boundSeconds) {
  switch (status.result) {
    case platform::TNetResult::unknownHost:
      return Failure(TDeliveryOutcome::cannotConnect, "unknown host: cannot find the server " + where);
    case platform::TNetResult::refused:
      return Failure(TDeliveryOutcome::cannotConnect, "cannot connect to " + where + ": connection refused");
    case platform::TNetResult::timedOut:
      return Failure(TDeliveryOutcome::noAnswer, step + " " + where + " timed out after " + Seconds(boundSeconds));
    case platform::TNetResult::tooLarge:
      return Failure(TDeliveryOutcome::refused, "the answer of " + where + " is larger than this program reads");
    case platform::TNetResult::lost:
      return Failure(TDeliveryOutcome::cannotConnect, "the connection to " + where + " was lost" + SystemError(status));
    default:
      return Failure(TDeliveryOutcome::cannotConnect, step + " " + where + " failed" + SystemError(status));
  }
}

// Text from the server as one short line of the program's message: control
// characters become '?', and at most 80 characters are kept.
std::string Quoted(const std::string& text) {
  std::string line = text.substr(0, 80);
  for (char& c : line)
    if (static_cast<unsigned char>(c) < ' ' || c == 0x7F) c = '?';
  return text.size() > line.size() ? line + "..." : line;
}

bool Accepted(const std::string& response) { return response == "ACCOUNT_UPDATE" || response == "NO_ACCOUNT_UPDATE"; }

}  // namespace

std::string OcsResponse(const std::string& body) {
  static const std::string open = "<RESPONSE>", close = "</RESPONSE>";
  std::size_t reply = body.find("<REPLY>");
  if (reply == std::string::npos) return {};
  std::size_t start = body.find(open, reply);
  if (start == std::string::npos) return {};
  start += open.size();
  std::size_t end = body.find(close, start);
  if (end == std::string::npos) return {};
  std::string text = body.substr(start, end - start);
  std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

TDeliveryResult JudgeAnswer(const std::string& answerBytes) {
  TAnswerParse parse = ParseHttpAnswer(answerBytes);
  if (!parse.answer) return Failure(TDeliveryOutcome::refused, "server refused the inventory: " + parse.problem);
  const THttpAnswer& answer = *parse.answer;
  if (answer.status != 200) {
    std::string status = "HTTP " + std::to_string(answer.status);
    if (!answer.reason.empty()) status += " " + Quoted(answer.reason);
    return Failure(TDeliveryOutcome::refused, "server refused the inventory: " + status);
  }
  std::string response = OcsResponse(answer.body);
  if (response.empty())
    return Failure(TDeliveryOutcome::refused, "server refused the inventory: its answer is no OCS reply");
  if (!Accepted(response))
    return Failure(TDeliveryOutcome::refused, "server refused the inventory: it answered " + Quoted(response));
  return {TDeliveryOutcome::stored, "inventory stored by the server (" + response + ")"};
}

TDeliveryResult DeliverInventory(platform::TConnector connect, const THttpUrl& url, const std::string& request,
                                 const TDeliveryLimits& limits) {
  std::string where = url.host + ":" + std::to_string(url.port);
  platform::TConnectResult connected = connect(url.host, url.port, limits.connectSeconds * 1000u);
  if (!connected.status.Ok()) return NetFailure(connected.status, where, "connecting to", limits.connectSeconds);

  std::string bytes = BuildPostRequest(url, request, "application/x-compress", kUserAgent);
  platform::TNetStatus sent = connected.connection->SendAll(bytes, limits.sendSeconds * 1000u);
  if (!sent.Ok()) return NetFailure(sent, where, "sending the inventory to", limits.sendSeconds);

  std::string answer;
  platform::TNetStatus received = connected.connection->ReceiveAll(
      answer, limits.answerBytes, limits.answerSeconds * 1000u, HttpAnswerComplete);
  if (received.result == platform::TNetResult::timedOut)
    return Failure(TDeliveryOutcome::noAnswer,
                   "no answer from " + where + ": timed out after " + Seconds(limits.answerSeconds));
  // A server may reset the connection right after a whole answer; what came is judged.
  if (!received.Ok() && !(received.result == platform::TNetResult::lost && HttpAnswerComplete(answer)))
    return NetFailure(received, where, "reading the answer of", limits.answerSeconds);
  return JudgeAnswer(answer);
}

}  // namespace nsx::delivery
