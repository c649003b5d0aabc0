// Posting an inventory request to an OCS Inventory NG server over HTTP/1.0
// and judging its answer. The server takes a plain XML body (one that
// begins with "<?xml") and answers <REPLY><RESPONSE>...</RESPONSE></REPLY>;
// ACCOUNT_UPDATE or NO_ACCOUNT_UPDATE means the machine was stored.
#pragma once
#include <cstddef>
#include <string>

#include "../platform/Socket.h"
#include "HttpUrl.h"

namespace nsx::delivery {

// Bounds of each wait, and of the answer's size.
struct TDeliveryLimits {
  unsigned connectSeconds = 10;
  unsigned sendSeconds = 30;
  unsigned answerSeconds = 60;
  std::size_t answerBytes = 1 << 20;
};

enum class TDeliveryOutcome {
  stored,         // the server took the inventory
  cannotConnect,  // unknown host, nothing listening, connection lost
  refused,        // the server answered, but not that it stored it
  noAnswer,       // a wait passed its bound
};

struct TDeliveryResult {
  TDeliveryOutcome outcome = TDeliveryOutcome::stored;
  std::string message;  // one line: what the server said, or what went wrong
};

extern const char kUserAgent[];

// Connects through `connect` (platform::ConnectTcp of the build), sends
// `request` (the XML document) and reads the answer, each step within its
// bound.
TDeliveryResult DeliverInventory(platform::TConnector connect, const THttpUrl& url, const std::string& request,
                                 const TDeliveryLimits& limits);

// The verdict on all the bytes a server sent back.
TDeliveryResult JudgeAnswer(const std::string& answerBytes);

// The text of the reply's <RESPONSE> element; empty when there is none.
std::string OcsResponse(const std::string& body);

}  // namespace nsx::delivery
