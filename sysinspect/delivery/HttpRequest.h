// The bytes of an HTTP/1.0 POST: one request per connection, the server
// closes when it has answered, so no keep-alive or chunking is involved.
#pragma once
#include <string>

#include "HttpUrl.h"

namespace nsx::delivery {

// POST path HTTP/1.0 with Host, User-Agent, Content-Type and Content-Length,
// then `body` as it is.
std::string BuildPostRequest(const THttpUrl& url, const std::string& body, const std::string& contentType,
                             const std::string& userAgent);

}  // namespace nsx::delivery
