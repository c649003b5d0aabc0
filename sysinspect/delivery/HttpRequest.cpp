#include "HttpRequest.h"

namespace nsx::delivery {

std::string BuildPostRequest(const THttpUrl& url, const std::string& body, const std::string& contentType,
                             const std::string& userAgent) {
  std::string host = url.host;
  if (url.port != 80) host += ":" + std::to_string(url.port);
  std::string request;
  request.reserve(body.size() + 256);
  request += "POST " + url.path + " HTTP/1.0\r\n";
  request += "Host: " + host + "\r\n";
  request += "User-Agent: " + userAgent + "\r\n";
  request += "Content-Type: " + contentType + "\r\n";
  request += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  request += "\r\n";
  request += body;
  return request;
}

}  // namespace nsx::delivery
