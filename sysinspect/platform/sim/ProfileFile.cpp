#include "ProfileFile.h"

#include <fstream>
#include <sstream>

namespace nsx::sim {

bool ReadProfileFile(const std::string& path, std::string* content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  *content = buffer.str();
  return true;
}

bool ReadProfileFile(const std::string& path, platform::Bytes* bytes) {
  std::string content;
  if (!ReadProfileFile(path, &content)) return false;
  bytes->assign(content.begin(), content.end());
  return true;
}

}  // namespace nsx::sim
